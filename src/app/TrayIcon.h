#pragma once
// tiTSL: the program's icon in the notification area. It owns the tray menu, which exists (and
// can be read back) whether or not the shell accepted the icon, and a hidden window of its own
// that receives the icon's mouse messages and the shell's "TaskbarCreated" broadcast.
#include <functional>
#include <string>

#include <windows.h>

namespace orv {

class TrayIcon {
  public:
    // The message the shell sends to window() for mouse events on the icon (lParam: the mouse
    // message).
    static constexpr UINT kCallbackMessage = WM_APP + 0x240;
    // The icon's number among the icons of window().
    static constexpr UINT kIconId = 1;
    // Broadcast by the shell when its task bar has been (re)created.
    static UINT TaskbarCreatedMessage();

    // Takes ownership of `popupMenu`.
    TrayIcon(std::wstring tooltip, HMENU popupMenu);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // A left button pressed and released on the icon.
    std::function<void()> onClick;
    // The right button released on the icon, with the cursor position.
    std::function<void(POINT)> onPopup;

    // Adds the icon to or removes it from the notification area; throws "Cannot create shell
    // notification icon" / "Cannot remove shell notification icon" when the shell refuses.
    // Setting the state it already has does nothing.
    void SetVisible(bool visible);
    bool visible() const { return visible_; }
    // Adds the icon again after the shell restarted, if it should be visible. Failure is silent:
    // nobody is there to read a message, and the next restart tries again.
    void Restore();

    HMENU popupMenu() const { return menu_; }
    const std::wstring& tooltip() const { return tooltip_; }
    HWND window() const { return window_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void HandleCallback(LPARAM lParam);
    bool Notify(DWORD message);
    std::wstring tooltip_;
    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    bool visible_ = false;
    HMENU menu_ = nullptr;
};

} // namespace orv
