#include "app/TrayIcon.h"

#include <shellapi.h>

#include "app/Resources.h"
#include "platform/AppError.h"

namespace orv {

namespace {
constexpr wchar_t kWindowClass[] = L"OrvaneTrayIcon";
} // namespace

UINT TrayIcon::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TrayIcon::TrayIcon(std::wstring tooltip, HMENU popupMenu)
    : tooltip_(std::move(tooltip)), icon_(ProgramIcon(16)), menu_(popupMenu) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TrayIcon::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc); // fails harmlessly when already registered
    // A hidden top-level window rather than a message-only one: only top-level windows receive
    // the shell's broadcast after it restarts.
    window_ =
        CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TrayIcon::~TrayIcon() {
    if (visible_) Notify(NIM_DELETE);
    if (window_) DestroyWindow(window_);
    if (icon_) DestroyIcon(icon_);
    if (menu_) DestroyMenu(menu_);
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TrayIcon*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self) {
        try {
            if (message == kCallbackMessage) {
                self->HandleCallback(lParam);
                return 0;
            }
            if (message == TaskbarCreatedMessage()) {
                self->Restore();
                return 0;
            }
        } catch (...) {
            // The callbacks report their own errors; nothing may cross into Windows.
            return 0;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void TrayIcon::HandleCallback(LPARAM lParam) {
    switch (LOWORD(lParam)) {
    case WM_LBUTTONUP:
        if (onClick) onClick();
        break;
    case WM_RBUTTONUP:
        if (onPopup) {
            POINT at{};
            GetCursorPos(&at);
            onPopup(at);
        }
        break;
    default:
        break;
    }
}

bool TrayIcon::Notify(DWORD message) {
    if (!window_) return false;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, tooltip_.c_str(), ARRAYSIZE(data.szTip));
    return Shell_NotifyIconW(message, &data) != FALSE;
}

void TrayIcon::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (visible && !Notify(NIM_ADD)) throw AppError(L"Cannot create shell notification icon");
    if (!visible && !Notify(NIM_DELETE)) throw AppError(L"Cannot remove shell notification icon");
    visible_ = visible;
}

void TrayIcon::Restore() {
    if (visible_) Notify(NIM_ADD);
}

} // namespace orv
