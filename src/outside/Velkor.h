#pragma once
// The shell integration library (Velkor.dll), imported at load time by ORV.exe.
#include <cstdint>

#include <windows.h>

#ifdef ORV_BUILDING_VELKOR
#define ORV_VELKOR_API extern "C" __declspec(dllexport)
#else
#define ORV_VELKOR_API extern "C" __declspec(dllimport)
#endif

// Makes the shell use the handler library at `libraryPath` (ANSI) with class `clsid` for files
// of `extension` / `fileClass`. The two numbers are reserved and passed as zero.
ORV_VELKOR_API int32_t WINAPI PMIntegrateIntoShell(const char* libraryPath, const char* extension,
                                                   const char* fileClass, int32_t reserved1, const char* clsid,
                                                   int32_t reserved2);
// Registers the handler for folder backgrounds (the desktop's own context menu).
ORV_VELKOR_API int32_t WINAPI PMRegisterForFolder(const char* productName, const char* clsid);
// Undoes PMIntegrateIntoShell and PMRegisterForFolder.
ORV_VELKOR_API int32_t WINAPI PMClearIntegration(const char* libraryPath, const char* extension,
                                                 const char* fileClass, int32_t reserved1, const char* clsid,
                                                 int32_t reserved2);
