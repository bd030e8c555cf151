#pragma once
// The variables every command of the main window shares. All start zeroed.
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

inline constexpr wchar_t kNotLoaded[] = L"Not Loaded";  // profile panel: no profile loaded
inline constexpr wchar_t kNoName[] = L"No Name";        // list panel: the list has no file
inline constexpr wchar_t kProductKey[] = L"SOFTWARE\\Kestovar\\Orvane";
inline constexpr wchar_t kProfilesKey[] = L"Software\\Kestovar\\Orvane\\Profiles";
inline constexpr wchar_t kShellPopupKey[] = L"Software\\Kestovar\\Orvane\\ShellPopup";
inline constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kHandlerClsid[] = L"{1548903A-BE63-4177-AC5A-361520B1B49C}";

// Indexes of the status bar panels.
inline constexpr size_t kProfilePanel = 1, kListPanel = 3, kInfoPanel = 4;

struct ProgramState {
    bool listModified = false;
    bool profileModified = false;
    bool positionChanged = false;
    bool menuEntriesModified = false;
    bool undo = false;
    // The wallpaper position the tray's radio items mark (0 Center, 1 Tile, 2 Stretch).
    int trayPosition = 0;
    std::vector<std::wstring> scanPaths;
    std::vector<std::wstring> scanComments;
    int32_t wallpaperCell = 0;
    std::wstring programFile;    // full path of the program file
    std::wstring programFolder;  // its folder, ending in "\"
    std::wstring profileFolderPath;
    std::wstring currentListPath;
    std::wstring trayWallpaperPath;
    std::wstring undoPath;
    std::wstring currentProfileName;
    bool nameExists = false;
};

} // namespace orv
