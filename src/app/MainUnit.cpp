// TfrmORV: construction, the message handling of the window, action dispatch.
#include "app/MainUnit.h"

#include <commctrl.h>

#include "app/FullView.h"
#include "app/Resources.h"
#include "app/TrayIcon.h"
#include "profiles/ProfileName.h"
#include "ui/Guard.h"
#include "ui/Menu.h"

namespace orv {

TfrmORV* frmORV = nullptr;

TfrmORV::TfrmORV(std::wstring programFile) {
    frmORV = this;
    state.programFile = std::move(programFile);
    CreateActions();
    CreateMenus();
    WireControls();
    // A fixed-size window with a system menu and a minimize box; the client area below the
    // menu bar holds the tool bar, the pages and the status bar.
    CreateForm(nullptr, L"Orvane", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
               WS_EX_CONTROLPARENT, 474, 331, ammbTSL, ProgramIcon(32), ProgramIcon(16));
    CreateLayout();
    SetAcceleratorTarget(hwnd_, amTSL.BuildAccelerators());
    // Centre on the desktop.
    RECT r, work;
    GetWindowRect(hwnd_, &r);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - (r.right - r.left)) / 2,
                 work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Errors of the start-up sequence are shown; the window opens nonetheless.
    RunGuarded([this] { FormCreate(); });
}

TfrmORV::~TfrmORV() {
    if (pabWallpaper) DestroyMenu(pabWallpaper);
    if (frmORV == this) frmORV = nullptr;
}

void TfrmORV::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void TfrmORV::RunAction(int id) {
    if (Action* action = amTSL.ById(id)) RunGuarded([action] { action->Execute(); });
}

LRESULT TfrmORV::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 || Control::FromHwnd(reinterpret_cast<HWND>(lParam)) == nullptr) {
            // Menu items, accelerators and tool buttons carry the action's id.
            if (amTSL.ById(LOWORD(wParam))) {
                RunAction(LOWORD(wParam));
                return 0;
            }
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TTN_GETDISPINFOW) {  // tool bar hints
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            if (Action* action = amTSL.ById(static_cast<int>(header->idFrom))) {
                info->lpszText = action->hint.data();
                return 0;
            }
        }
        break;
    }
    case WM_INITMENUPOPUP:
        SyncMenuWithActions(reinterpret_cast<HMENU>(wParam), amTSL);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !activated_ && IsWindowVisible(hwnd_)) {
            activated_ = true;
            // After the activation has finished, as the first focus of a shown window.
            PostMessageW(hwnd_, WM_APP, 0, 0);
        }
        break;
    case WM_APP:
        RunGuarded([this] { FormActivate(); });
        return 0;
    case WM_CLOSE:
        RequestClose();
        return 0;
    case WM_QUERYENDSESSION:
        return FormCloseQuery() ? TRUE : FALSE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace orv
