#pragma once
// Constants of the current build, orvmenu.dll.
#include "shellmenu/BuildConstants.h"

namespace orv::shellmenu {

inline constexpr const wchar_t* kOrvmenuExtensions[] = {L".jpg", L".bmp", nullptr};

inline constexpr BuildConstants kBuild = {
    L"orvmenu.dll",
    L"Software\\Kestovar\\Orvane\\ShellPopup",
    L"SOFTWARE\\Kestovar\\Orvane",
    FolderRule::DesktopOnly,
    7,
    CaptionRule::Fixed,
    {0x1548903A, 0xBE63, 0x4177, {0xAC, 0x5A, 0x36, 0x15, 0x20, 0xB1, 0xB4, 0x9C}},
    L"{1548903A-BE63-4177-AC5A-361520B1B49C}",
    L"Orvane",
    L"ORV",
    kOrvmenuExtensions,
    L"Orvane",
};

} // namespace orv::shellmenu
