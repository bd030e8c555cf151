#pragma once
// What distinguishes the two builds of the handler library. Each build compiles the same sources
// against its own ActiveBuild.h (found through the build's include path), which defines kBuild.
#include <windows.h>

namespace orv::shellmenu {

// Which folders Initialize accepts.
enum class FolderRule { DesktopOnly, AnyFileSystemFolder };
// How the caption of the "Change Wallpaper" item is chosen.
enum class CaptionRule { Fixed, ByLanguage };

struct BuildConstants {
    const wchar_t* libraryName; // as the export directory names it
    const wchar_t* storeKey;    // menu entries, below HKEY_LOCAL_MACHINE
    const wchar_t* branchKey;   // holds "Path" (and "Language"), below HKEY_LOCAL_MACHINE
    FolderRule folderRule;
    int maxEntries; // one fewer than the picture path slots
    CaptionRule captionRule;
    CLSID clsid;
    const wchar_t* clsidText;         // registry form: upper case, in braces
    const wchar_t* description;       // default value of the CLSID key
    const wchar_t* fileClass;         // given to the extensions
    const wchar_t* const* extensions; // null-terminated list
    const wchar_t* approvedData;      // data of the Approved value
};

// Texts the handler shows; ANSI because the menu is built with the A calls.
inline constexpr char kHelpText[] = "Orvane";
inline constexpr char kCaptionEnglish[] = "Change Wallpaper";
// "Сменить обои" in Windows code page 1251, as the older build's Russian menu expects.
inline constexpr char kCaptionRussian1251[] = "\xD1\xEC\xE5\xED\xE8\xF2\xFC \xEE\xE1\xEE\xE8";
inline constexpr char kEditCaption[] = "Edit...";

} // namespace orv::shellmenu
