// Start-up to the shown window: ORV.exe against a minimal one-window program, same Wine, same run.
#include <string>
#include <vector>

#include <windows.h>

#include "BenchSupport.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return orv::FolderPart(path);
}

HWND VisibleWindowOf(DWORD pid) {
    struct Search {
        DWORD pid;
        HWND found = nullptr;
    } search{pid};
    EnumWindows(
        [](HWND h, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(h, &owner);
            if (owner == s->pid && IsWindowVisible(h) && GetWindow(h, GW_OWNER) == nullptr) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Starts the program and returns once its first top-level window is visible; then ends it.
void StartUntilShown(const std::wstring& exe, const std::wstring& folder) {
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return;
    while (!VisibleWindowOf(pi.dwProcessId) && WaitForSingleObject(pi.hProcess, 2) == WAIT_TIMEOUT) {
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

} // namespace

int main(int argc, char** argv) {
    bool noWallpaper = argc > 1 && std::string(argv[1]) == "--no-wallpaper";
    std::wstring folder = ExeFolder();
    // A normal desktop: a wallpaper the preview can show.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring bitmap = std::wstring(temp) + L"bench-desktop.bmp";
    HANDLE h = CreateFileW(bitmap.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    BITMAPFILEHEADER file{0x4D42, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 4, 0, 0,
                          sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER info{sizeof(info), 1, 1, 1, 24, BI_RGB, 4, 0, 0, 0, 0};
    DWORD pixel = 0x00336699, done = 0;
    WriteFile(h, &file, sizeof(file), &done, nullptr);
    WriteFile(h, &info, sizeof(info), &done, nullptr);
    WriteFile(h, &pixel, 4, &done, nullptr);
    CloseHandle(h);
    orv::RegKey::Create(HKEY_CURRENT_USER, L"Control Panel\\Desktop").WriteString(L"Wallpaper", noWallpaper ? L"" : bitmap);

    // One warm-up start of each, then rounds that start one of each in turn: a slow spell of
    // this shared machine then weighs on both medians alike, not on whichever ran during it.
    const std::wstring orvExe = folder + L"ORV.exe", minimalExe = folder + L"bench_minimal_window.exe";
    StartUntilShown(orvExe, folder);
    StartUntilShown(minimalExe, folder);
    auto timed = [&](const std::wstring& exe) {
        const double start = orv::bench::NowMs();
        StartUntilShown(exe, folder);
        return orv::bench::NowMs() - start;
    };
    std::vector<double> orvTimes, minimalTimes;
    for (int round = 0; round < 11; ++round) {
        orvTimes.push_back(timed(orvExe));
        minimalTimes.push_back(timed(minimalExe));
    }
    const double orv = orv::bench::Median(orvTimes), minimal = orv::bench::Median(minimalTimes);
    orv::bench::PrintFigure("startup", orv, "ms", "minimal one-window program", minimal);
    return 0;
}
