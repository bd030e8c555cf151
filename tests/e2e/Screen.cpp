#include "Screen.h"

#include <cstdlib>

namespace orv::test {

HWND WaitForWindow(const std::function<HWND()>& found, double seconds) {
    for (double waited = 0; waited < seconds; waited += 0.1) {
        if (HWND h = found()) return h;
        Sleep(100);
    }
    return nullptr;
}

HWND FindTopWindow(DWORD processId, const std::wstring& title) {
    struct Search {
        DWORD pid;
        std::wstring title;
        HWND found = nullptr;
    } search{processId, title};
    EnumWindows(
        [](HWND h, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == s->pid && IsWindowVisible(h) && WindowText(h) == s->title) {
                s->found = h;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> ChildClasses(HWND window) {
    std::vector<std::wstring> classes;
    EnumChildWindows(
        window,
        [](HWND h, LPARAM data) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(h, name, ARRAYSIZE(name));
            reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(name);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&classes));
    return classes;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, ARRAYSIZE(text));
    return text;
}

std::string SaveScreenshot(const std::string& name) {
    const char* folder = std::getenv("ORV_SCREENSHOT_DIR");
    if (!folder || GetFileAttributesA("Z:\\usr\\bin\\import") == INVALID_FILE_ATTRIBUTES) return {};
    std::string path = std::string(folder) + "/" + name + ".png";
    // Wine starts Unix programs as well: ImageMagick reads the Xvfb screen.
    std::string command = "Z:\\usr\\bin\\import -window root " + path;
    STARTUPINFOA si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return path;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void Settle(int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(50);
    }
}

} // namespace orv::test
