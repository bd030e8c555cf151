// The real notification-area icon on a Wine virtual desktop: Hide puts the program there, a click
// on the icon brings the window back, the right button opens the menu, a restarted shell gets
// the icon again, and "Minimize to Tray (on Start)" hides at the first activation only.
#include <windows.h>

#include <shellapi.h>

#include "app/TrayIcon.h"
#include "unit/tray/TrayFixture.h"

namespace orv::test {
namespace {

// Whether the shell holds the program's icon: only an icon it holds can be modified.
bool ShellHoldsIcon(const TrayIcon& tray) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = tray.window();
    data.uID = TrayIcon::kIconId;
    data.uFlags = NIF_TIP;
    lstrcpynW(data.szTip, L"Orvane", ARRAYSIZE(data.szTip));
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void SendIconMessage(const TrayIcon& tray, UINT mouseMessage) {
    SendMessageW(tray.window(), TrayIcon::kCallbackMessage, TrayIcon::kIconId, mouseMessage);
}

class TrayScreenTest : public TrayTest {
  protected:
    TfrmORV& OpenShown() {
        TfrmORV& w = Open();
        w.Show();
        DrainMessages();
        return w;
    }
};

TEST_F(TrayScreenTest, HideGoesToTheTrayAndALeftClickOnTheIconComesBack) {
    TfrmORV& w = OpenShown();
    ASSERT_TRUE(IsWindowVisible(w.hwnd()));
    w.aHideExecute();
    ASSERT_TRUE(w.tiTSL);
    EXPECT_TRUE(w.tiTSL->visible());
    EXPECT_TRUE(ShellHoldsIcon(*w.tiTSL)) << "Shell_NotifyIcon(NIM_ADD) took the icon";
    EXPECT_FALSE(IsWindowVisible(w.hwnd())) << "no window and no task bar button";
    EXPECT_EQ(Narrow(w.tiTSL->tooltip()), "Orvane");

    SendIconMessage(*w.tiTSL, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(w.hwnd())) << "pressing alone is not a click";
    SendIconMessage(*w.tiTSL, WM_LBUTTONUP);
    DrainMessages();
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
    EXPECT_FALSE(IsIconic(w.hwnd())) << "shown in its normal state";
    EXPECT_FALSE(w.tiTSL->visible());
    EXPECT_FALSE(ShellHoldsIcon(*w.tiTSL)) << "the icon exists only between Hide and Show";
}

TEST_F(TrayScreenTest, ARestartedShellGetsTheIconAgainWhileHidden) {
    TfrmORV& w = OpenShown();
    w.aHideExecute();
    ASSERT_TRUE(ShellHoldsIcon(*w.tiTSL));
    // What a crashed shell leaves: no icon, though the program is hidden.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = w.tiTSL->window();
    data.uID = TrayIcon::kIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    ASSERT_FALSE(ShellHoldsIcon(*w.tiTSL));

    SendMessageW(w.tiTSL->window(), TrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(ShellHoldsIcon(*w.tiTSL));

    w.aShowExecute();
    EXPECT_FALSE(ShellHoldsIcon(*w.tiTSL));
    // While the window is shown a restarted shell gets no icon.
    SendMessageW(w.tiTSL->window(), TrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_FALSE(ShellHoldsIcon(*w.tiTSL));
}

TEST_F(TrayScreenTest, TheRightButtonOpensTheRebuiltMenu) {
    WriteEntry(L"Harbour", Bitmap(L"harbour.bmp", 8, 8));
    TfrmORV& w = OpenShown();
    w.aHideExecute();
    WriteEntry(L"Meadow", Bitmap(L"meadow.bmp", 8, 8));

    // Read the menu while it is open, then close it as Escape would.
    static std::vector<std::wstring> seen;
    static bool opened;
    static HMENU menu;
    seen.clear();
    opened = false;
    menu = w.pabTrayPopupMenu;
    UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR, DWORD) {
        if (opened) return;
        opened = FindWindowW(L"#32768", nullptr) != nullptr;
        seen = Captions(GetSubMenu(menu, 0));
        EndMenu();
    });
    SendIconMessage(*w.tiTSL, WM_RBUTTONUP);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(opened) << "a menu window was up";
    EXPECT_EQ(seen, StoreOrder()) << "rebuilt at the opening";
    EXPECT_FALSE(IsWindowVisible(w.hwnd())) << "closing the menu chooses nothing";
    w.aShowExecute();
}

TEST_F(TrayScreenTest, MinimizeToTrayOnStartHidesAtTheFirstActivationOnly) {
    TfrmORV& w = Open();
    w.cbxMinimizeToTray.SetChecked(true); // as the loaded profile sets it
    w.Show();
    DrainMessages();
    EXPECT_FALSE(IsWindowVisible(w.hwnd())) << "hidden at the first activation";
    ASSERT_TRUE(w.tiTSL);
    EXPECT_TRUE(w.tiTSL->visible());

    SendIconMessage(*w.tiTSL, WM_LBUTTONUP);
    DrainMessages();
    SetForegroundWindow(GetDesktopWindow());
    SetForegroundWindow(w.hwnd());
    DrainMessages();
    EXPECT_TRUE(IsWindowVisible(w.hwnd())) << "later activations do not hide again";
    EXPECT_FALSE(w.tiTSL->visible());
}

} // namespace
} // namespace orv::test
