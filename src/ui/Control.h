#pragma once
// The base of our widgets: one C++ object per control, holding its state; the HWND is its view.
// Containers forward WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* to the child's object (Reflect).
#include <functional>
#include <optional>
#include <string>

#include <windows.h>

namespace orv {

class Form;

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND hwnd() const { return hwnd_; }
    bool enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool visible() const { return visible_; }
    void SetVisible(bool visible);
    void SetFocus();
    bool HasFocus() const;
    // Shown as a tooltip when the mouse rests on the control.
    void SetHint(std::wstring hint);
    const std::wstring& hint() const { return hint_; }
    RECT Bounds() const;  // in the parent's client coordinates
    void SetBounds(int x, int y, int w, int h);

    virtual std::optional<LRESULT> OnCommand(WORD /*code*/) { return std::nullopt; }
    virtual std::optional<LRESULT> OnNotify(NMHDR* /*header*/) { return std::nullopt; }
    virtual std::optional<LRESULT> OnCtlColor(HDC /*dc*/) { return std::nullopt; }

    // Routes a parent's message to the object of the child it concerns.
    static std::optional<LRESULT> Reflect(UINT message, WPARAM wParam, LPARAM lParam);
    static Control* FromHwnd(HWND hwnd);

protected:
    // Creates the HWND as a child of `parent` and binds it to this object.
    void CreateChild(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle,
                     int x, int y, int w, int h);
    void Bind(HWND hwnd);
    // Registers hint_ (or removes the tool when it is empty) with the window's tooltip.
    void ShowHint();
    HWND hwnd_ = nullptr;
    bool enabled_ = true;
    bool visible_ = true;
    std::wstring hint_;
};

// Fonts shared by all controls, created once.
HFONT UiFont(const wchar_t* face, int pixelHeight, bool bold = false);

} // namespace orv
