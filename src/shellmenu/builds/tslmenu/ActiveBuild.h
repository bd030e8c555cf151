#pragma once
// Constants of the older build, tslmenu.dll: its own branch, class and file class.
#include "shellmenu/BuildConstants.h"

namespace orv::shellmenu {

inline constexpr const wchar_t* kTslmenuExtensions[] = {L".jpg", nullptr};

inline constexpr BuildConstants kBuild = {
    L"tslmenu.dll",
    L"Software\\Kestovar\\Tessaline\\ShellPopup",
    L"SOFTWARE\\Kestovar\\Tessaline",
    FolderRule::AnyFileSystemFolder,
    6,
    CaptionRule::ByLanguage,
    {0xC90ED0CA, 0xBB49, 0x4191, {0xBA, 0x5E, 0x09, 0xF5, 0x0F, 0x79, 0x7B, 0xCB}},
    L"{C90ED0CA-BB49-4191-BA5E-09F50F797BCB}",
    L"Tessaline",
    L"TSL",
    kTslmenuExtensions,
    L"Tessaline",
};

} // namespace orv::shellmenu
