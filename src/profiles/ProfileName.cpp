#include "profiles/ProfileName.h"

#include <algorithm>

#include "app/MainUnit.h"
#include "platform/Registry.h"
#include "profiles/ProfileNames.h"
#include "ui/Human.h"

namespace orv {
namespace {

constexpr int kClientWidth = 328, kClientHeight = 112;
constexpr int kMaxNameLength = 21;
constexpr COLORREF kFieldColour = RGB(255, 255, 234);

// A message box offers no lone Cancel button: the box is asked for with OK, and the hook
// relabels that one button before the box is first shown.
thread_local HHOOK tRelabelHook = nullptr;

LRESULT CALLBACK RelabelLoneButton(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t windowClass[8] = {};
        GetClassNameW(box, windowClass, ARRAYSIZE(windowClass));
        if (lstrcmpW(windowClass, L"#32770") == 0) {
            if (HWND button = GetDlgItem(box, IDOK)) SetWindowTextW(button, L"Cancel");
            HHOOK hook = tRelabelHook;
            tRelabelHook = nullptr;
            UnhookWindowsHookEx(hook);
            return 0;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RemoveButtonFromTabOrder(Button& button) {
    HWND hwnd = button.hwnd();
    SetWindowLongPtrW(hwnd, GWL_STYLE,
                      GetWindowLongPtrW(hwnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));
}

} // namespace

void ShowNameRefusal(HWND owner, const std::wstring& text) {
    tRelabelHook = SetWindowsHookExW(WH_CBT, &RelabelLoneButton, nullptr, GetCurrentThreadId());
    TheHuman().Ask(owner, text, L"Error", MB_OK | MB_ICONERROR);
    // A scripted answer shows no box: the hook must not outlive the question.
    if (tRelabelHook) {
        UnhookWindowsHookEx(tRelabelHook);
        tRelabelHook = nullptr;
    }
}

TfrmProfileName::TfrmProfileName(TfrmORV& owner) : owner_(owner) {
    CreateForm(owner.hwnd(), L"ORV", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW,
               kClientWidth, kClientHeight);

    gbProfileName.Create(hwnd_, 8, 8, 310, 49, Panel::Frame::Group, CLR_INVALID, L"Enter a Profile Name:");
    // The frame's caption takes the top 13 pixels; the field fills the rest with 6 to spare.
    constexpr int kFrameTop = 13, kMargin = 6;
    edtProfileName.Create(gbProfileName.hwnd(), 2 + kMargin, kFrameTop + kMargin, 310 - 2 * (2 + kMargin),
                          49 - kFrameTop - 2 - 2 * kMargin, kMaxNameLength, false, kFieldColour,
                          UiFont(L"Tahoma", 13));
    edtProfileName.onKeyDown = [this](WORD key) { edtProfileNameKeyDown(key); };

    pnlButtons.Create(hwnd_, 8, 63, 310, 41, Panel::Frame::Border);
    // Inside the panel's one-pixel border: 308 x 39 of client area.
    constexpr int kButtonWidth = 144, kButtonHeight = 25, kButtonMargin = 6;
    btnSave.Create(pnlButtons.hwnd(), kButtonMargin, kButtonMargin, kButtonWidth, kButtonHeight, L"Save");
    btnCancel.Create(pnlButtons.hwnd(), 308 - kButtonMargin - kButtonWidth, kButtonMargin, kButtonWidth,
                     kButtonHeight, L"Cancel");
    // Enter belongs to the field; Tab never lands on a button.
    RemoveButtonFromTabOrder(btnSave);
    RemoveButtonFromTabOrder(btnCancel);
    btnSave.onClick = [this] { btnSaveClick(); };
    btnCancel.onClick = [this] { btnCancelClick(); };
}

int TfrmProfileName::ShowModal() {
    CentreOnOwner();
    FormShow();
    return Form::ShowModal();
}

void TfrmProfileName::CentreOnOwner() {
    RECT ownerRect{}, own{};
    GetWindowRect(owner_.hwnd(), &ownerRect);
    GetWindowRect(hwnd_, &own);
    const int w = own.right - own.left, h = own.bottom - own.top;
    int x = ownerRect.left + ((ownerRect.right - ownerRect.left) - w) / 2;
    int y = ownerRect.top + ((ownerRect.bottom - ownerRect.top) - h) / 2;
    // Keep it on the screen the main window is on, even when that one hangs over an edge.
    MONITORINFO monitor{sizeof(monitor)};
    if (GetMonitorInfoW(MonitorFromWindow(owner_.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max<int>(work.left, std::min<int>(x, work.right - w));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
    }
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmProfileName::FormShow() {
    ResetNameField();
}

void TfrmProfileName::btnSaveClick() {
    AcceptName();
    ResetNameField();
}

void TfrmProfileName::btnCancelClick() {
    SetModalResult(IDCANCEL);
}

void TfrmProfileName::edtProfileNameKeyDown(WORD key) {
    if (key == VK_RETURN) AcceptName();
}

bool TfrmProfileName::CheckNameExists() {
    std::vector<std::wstring> registered;
    if (RegKey profiles = RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey)) registered = profiles.SubkeyNames();
    const std::wstring& name = owner_.state.currentProfileName;
    bool& exists = owner_.state.nameExists;
    exists = false;
    for (const std::wstring& other : registered) {
        if (other == name) {
            ShowNameRefusal(hwnd_, L"This Profile Name Already Exists");
            exists = true;
            return exists;
        }
    }
    // The name is also a folder, a file and a key name, which ignore letter case and refuse
    // some characters: such a name would share another profile's folder or fail to save.
    if (auto problem = ProfileNameProblem(name, registered)) {
        ShowNameRefusal(hwnd_, *problem);
        exists = true;
    }
    return exists;
}

void TfrmProfileName::ResetNameField() {
    edtProfileName.SetFocus();
    edtProfileName.SetText(L"");
}

void TfrmProfileName::AcceptName() {
    if (edtProfileName.text().empty()) return;
    owner_.state.currentProfileName = edtProfileName.text();
    if (CheckNameExists())
        owner_.state.currentProfileName.clear();
    else
        SetModalResult(IDOK);
}

LRESULT TfrmProfileName::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // Typing goes to the field whenever the dialog comes to the front.
        if (LOWORD(wParam) != WA_INACTIVE) {
            edtProfileName.SetFocus();
            return 0;
        }
        break;
    case WM_CLOSE:
        // The instance is kept for the next command: closing only hides it.
        if (!IsModal()) {
            ShowWindow(hwnd_, SW_HIDE);
            return 0;
        }
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace orv
