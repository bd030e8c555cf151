// Our stand-in for the wallpaper setter library. The desktop draws only bitmaps (as Windows XP
// did, and Wine's desktop does), so any other picture is converted, at full size, to a bitmap in
// a per-user folder; "Wallpaper" then names that bitmap and "ConvertedWallpaper" the original.
#define ORV_BUILDING_SETWALLPAPER
#include "outside/SetWallpaper.h"

#include <string>

#include <shlobj.h>

#include "outside/setwallpaper/BitmapConversion.h"

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

std::wstring ConvertedBitmapPath() {
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder))) return {};
    std::wstring path = std::wstring(folder) + L"\\Orvane";
    CreateDirectoryW(path.c_str(), nullptr);
    return path + L"\\Wallpaper.bmp";
}

bool IsExistingFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RecordOriginal(const std::wstring& original) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, L"ConvertedWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(original.c_str()),
                   static_cast<DWORD>((original.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void ShowOnDesktop(const std::wstring& bitmap) {
    SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(bitmap.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

void Apply(const std::wstring& path) {
    if (path.empty() || !IsExistingFile(path)) return;  // nothing to show: keep the wallpaper there is
    std::wstring converted = ConvertedBitmapPath();
    if (!converted.empty() && lstrcmpiW(path.c_str(), converted.c_str()) == 0) {
        ShowOnDesktop(path);  // re-applying our own bitmap (a position change): the original stays
        return;
    }
    if (orv::IsBitmapFile(path)) {
        ShowOnDesktop(path);
    } else {
        if (converted.empty() || !orv::ConvertToBitmap(path, converted)) return;
        ShowOnDesktop(converted);
    }
    RecordOriginal(path);
}

} // namespace

wchar_t* WINAPI StringToPWide(const char* path, int32_t* cell) {
    int length = path ? MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0) : 1;
    if (length <= 0) length = 1;
    auto* wide = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, length * sizeof(wchar_t)));
    if (!wide) return nullptr;
    if (path) MultiByteToWideChar(CP_ACP, 0, path, -1, wide, length);
    if (cell) *cell = length - 1;
    return wide;
}

void WINAPI SetNewWallpaper(wchar_t* widePath) {
    if (!widePath) return;
    try {
        Apply(widePath);
    } catch (...) {
        // Nothing may escape into the caller, which may be the shell's own process.
    }
    HeapFree(GetProcessHeap(), 0, widePath);
}
