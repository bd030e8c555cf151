#pragma once
// The shell integration of the handler library through Velkor.
#include <string>

namespace orv {

inline constexpr wchar_t kHandlerLibrary[] = L"orvmenu.dll";

// The handler library's path as Velkor receives it: ANSI text. A path the ANSI code page cannot
// spell is passed in its short form, which it can, rather than with its letters replaced.
std::string HandlerLibraryPathForVelkor(const std::wstring& programFolder);

// Makes the shell use the handler library in `programFolder` for JPEG files and folders.
void IntegrateHandler(const std::wstring& programFolder);
// Takes that integration back.
void ClearHandlerIntegration(const std::wstring& programFolder);

} // namespace orv
