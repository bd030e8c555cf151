#pragma once
// The wallpaper setter library (SetWallpaper.dll), imported at load time by ORV.exe and by the
// context-menu handler library. Every wallpaper change is StringToPWide followed at once by
// SetNewWallpaper with its result; the caller never frees that result.
#include <cstdint>

#include <windows.h>

#ifdef ORV_BUILDING_SETWALLPAPER
#define ORV_SETWALLPAPER_API extern "C" __declspec(dllexport)
#else
#define ORV_SETWALLPAPER_API extern "C" __declspec(dllimport)
#endif

// `path`: ANSI text, or null for an empty path. `cell`: a 4-byte out-parameter; it receives the
// length of the converted path in characters.
ORV_SETWALLPAPER_API wchar_t* WINAPI StringToPWide(const char* path, int32_t* cell);
// Applies the converted path as the desktop wallpaper, then releases it.
ORV_SETWALLPAPER_API void WINAPI SetNewWallpaper(wchar_t* widePath);
