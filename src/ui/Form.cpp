#include "ui/Form.h"

#include "ui/Control.h"
#include "ui/Guard.h"
#include "ui/Human.h"

namespace orv {
namespace {

constexpr wchar_t kFormClass[] = L"OrvaneForm";
HWND gAccelWindow = nullptr;
HACCEL gAccelTable = nullptr;

void RegisterFormClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
    done = true;
}

// Accelerators stay out of edit fields for plain keys and Ctrl+Z: Del, Ins and Undo belong to
// the text being typed there.
bool FocusInEdit() {
    wchar_t cls[16] = {};
    GetClassNameW(GetFocus(), cls, ARRAYSIZE(cls));
    return lstrcmpiW(cls, L"Edit") == 0;
}

bool KeyMeantForEdit(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !FocusInEdit()) return false;
    bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (alt) return false;
    return !ctrl || msg.wParam == 'Z' || msg.wParam == 'C' || msg.wParam == 'V' || msg.wParam == 'X';
}

} // namespace

Form::~Form() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Form::CreateForm(HWND owner, const std::wstring& caption, DWORD style, DWORD exStyle, int clientWidth,
                      int clientHeight, HMENU menu, HICON icon, HICON smallIcon) {
    RegisterFormClass();
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, menu != nullptr, exStyle);
    hwnd_ = CreateWindowExW(exStyle, kFormClass, caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            r.right - r.left, r.bottom - r.top, owner, menu, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::WindowProc));
    if (icon) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon ? smallIcon : icon));
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(L"Tahoma", 11)), FALSE);
    // The menu bar may wrap: measure again now that it exists.
    SetClientSize(clientWidth, clientHeight);
}

void Form::SetClientSize(int width, int height) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    RECT window{};
    GetWindowRect(hwnd_, &window);
    int w = (window.right - window.left) + (width - client.right);
    int h = (window.bottom - window.top) + (height - client.bottom);
    SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    // Nothing thrown may cross the window procedure.
    if (!RunGuarded([&] { result = form->HandleMessage(message, wParam, lParam); }))
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    return result;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && inModalLoop_) {
        OnModalClose();
        return 0;
    }
    return Default(message, wParam, lParam);
}

LRESULT Form::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto reflected = Control::Reflect(message, wParam, lParam)) return *reflected;
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

int Form::ShowModal() {
    modalResult_ = 0;
    return TheHuman().RunModal(*this);
}

int Form::RunModalLoop() {
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (owner) EnableWindow(owner, FALSE);
    inModalLoop_ = true;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    MSG msg;
    while (modalResult_ == 0 && IsWindow(hwnd_)) {
        if (!PumpMessage(msg, true)) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for the main loop
            if (modalResult_ == 0) modalResult_ = IDCANCEL;
            break;
        }
    }
    inModalLoop_ = false;
    if (owner) EnableWindow(owner, TRUE);
    ShowWindow(hwnd_, SW_HIDE);
    if (owner) SetActiveWindow(owner);
    return modalResult_;
}

void SetAcceleratorTarget(HWND window, HACCEL table) {
    gAccelWindow = window;
    gAccelTable = table;
}

bool PumpMessage(MSG& msg, bool wait) {
    if (wait) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return false;
    } else if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return true;
    } else if (msg.message == WM_QUIT) {
        return false;
    }
    HWND active = GetActiveWindow();
    if (gAccelTable && active == gAccelWindow && !KeyMeantForEdit(msg) &&
        TranslateAcceleratorW(gAccelWindow, gAccelTable, &msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

} // namespace orv
