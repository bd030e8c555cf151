// How long the shell waits for our items: QueryContextMenu with seven entries, measured from the
// call to its return over 1,000 menus, each with a fresh handler as the shell makes them. The
// reference is the cheapest thing the shell does with a menu: creating and destroying it.
// Two figures: menus opened one after another with the store unchanged (the usual case), and
// menus that each follow a change below the product branch, so that each reads the store afresh.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <shlobj.h>
#include <windows.h>

#include "BenchSupport.h"

namespace {

constexpr int kMenus = 1000;
constexpr CLSID kHandlerClass = {
    0x1548903A, 0xBE63, 0x4177, {0xAC, 0x5A, 0x36, 0x15, 0x20, 0xB1, 0xB4, 0x9C}};
constexpr wchar_t kStoreKey[] = L"Software\\Kestovar\\Orvane\\ShellPopup";
constexpr wchar_t kBranchKey[] = L"Software\\Kestovar\\Orvane";

double Seconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

using orv::bench::Median;

bool CallServerExport(const char* name) {
    HMODULE library = LoadLibraryW(L"orvmenu.dll");
    if (!library) return false;
    auto entry =
        reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    const bool done = entry && SUCCEEDED(entry());
    FreeLibrary(library);
    return done;
}

void WriteSevenEntries() {
    for (int number = 1; number <= 7; ++number) {
        const std::wstring key = std::wstring(kStoreKey) + L"\\Wallpaper" + std::to_wstring(number);
        const std::wstring picture = L"C:\\Pictures\\wallpaper" + std::to_wstring(number) + L".jpg";
        HKEY entry = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &entry,
                            nullptr) != ERROR_SUCCESS)
            continue;
        RegSetValueExW(entry, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(picture.c_str()),
                       static_cast<DWORD>((picture.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(entry);
    }
}

// One menu as the shell builds it; returns the time QueryContextMenu took, or a negative value.
double TimeOneMenu(LPCITEMIDLIST desktop) {
    IShellExtInit* init = nullptr;
    if (FAILED(CoCreateInstance(kHandlerClass, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                reinterpret_cast<void**>(&init))))
        return -1;
    IContextMenu* menu = nullptr;
    double seconds = -1;
    if (SUCCEEDED(init->Initialize(desktop, nullptr, nullptr)) &&
        SUCCEEDED(init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu)))) {
        HMENU popup = CreatePopupMenu();
        const LONGLONG start = Now();
        const HRESULT result = menu->QueryContextMenu(popup, 0, 100, 0x7FFF, CMF_NORMAL);
        const LONGLONG end = Now();
        if (HRESULT_CODE(result) == 8) seconds = Seconds(end - start); // all seven entries were added
        DestroyMenu(popup);
        menu->Release();
    }
    init->Release();
    return seconds;
}

// A change below the branch that the menu does not show: the next menu must read the store again.
void TouchBranch(DWORD value) {
    HKEY branch = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kBranchKey, 0, KEY_SET_VALUE, &branch) != ERROR_SUCCESS) return;
    RegSetValueExW(branch, L"BenchTouch", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(branch);
}

double TimeEmptyMenu() {
    const LONGLONG start = Now();
    HMENU popup = CreatePopupMenu();
    DestroyMenu(popup);
    return Seconds(Now() - start);
}

} // namespace

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (!CallServerExport("DllRegisterServer")) {
        std::printf("bench query-context-menu: failed (cannot register orvmenu.dll)\n");
        return 1;
    }
    WriteSevenEntries();
    LPITEMIDLIST desktop = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop);

    std::vector<double> unchanged;
    std::vector<double> afterChange;
    std::vector<double> references;
    for (int menu = 0; menu < kMenus; ++menu) {
        const double seconds = TimeOneMenu(desktop);
        TouchBranch(static_cast<DWORD>(menu));
        const double fresh = TimeOneMenu(desktop);
        if (seconds < 0 || fresh < 0) {
            std::printf("bench query-context-menu: failed (the handler did not build its menu)\n");
            return 1;
        }
        unchanged.push_back(seconds * 1e6);
        afterChange.push_back(fresh * 1e6);
        references.push_back(TimeEmptyMenu() * 1e6);
    }
    CoTaskMemFree(desktop);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBranchKey);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kBranchKey);
    CallServerExport("DllUnregisterServer");
    CoUninitialize();

    const double reference = Median(references);
    const struct {
        const char* name;
        double median;
    } figures[] = {{"query-context-menu", Median(unchanged)},
                   {"query-context-menu-after-store-change", Median(afterChange)}};
    for (const auto& figure : figures)
        std::printf("bench %s: %.1f us; reference create-destroy-menu: %.1f us; ratio %.2f\n", figure.name,
                    figure.median, reference, reference > 0 ? figure.median / reference : 0.0);
    return 0;
}
