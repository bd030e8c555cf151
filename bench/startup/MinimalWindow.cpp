// The reference for start-up time: the least a Win32 program does to show one window.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(h, m, w, l);
    };
    wc.hInstance = instance;
    wc.lpszClassName = L"MinimalWindow";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(L"MinimalWindow", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                300, 200, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
