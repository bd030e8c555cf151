#include "ui/Control.h"

#include <map>
#include <tuple>

#include <commctrl.h>

namespace orv {
namespace {

constexpr wchar_t kControlProp[] = L"OrvControl";

// One tooltip window per top-level window serves the hints of all its controls.
HWND TooltipFor(HWND control) {
    static std::map<HWND, HWND> tips;
    HWND top = GetAncestor(control, GA_ROOT);
    auto it = tips.find(top);
    if (it != tips.end() && IsWindow(it->second)) return it->second;
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0,
                               0, 0, 0, top, nullptr, GetModuleHandleW(nullptr), nullptr);
    tips[top] = tip;
    return tip;
}

} // namespace

Control::~Control() {
    if (hwnd_ && IsWindow(hwnd_)) RemovePropW(hwnd_, kControlProp);
}

void Control::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    SetPropW(hwnd_, kControlProp, this);
}

void Control::CreateChild(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle,
                          int x, int y, int w, int h) {
    DWORD shown = visible_ ? WS_VISIBLE : 0;
    HWND hwnd = CreateWindowExW(exStyle, windowClass, text, style | WS_CHILD | shown | WS_CLIPSIBLINGS, x, y, w, h,
                                parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    Bind(hwnd);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(L"Tahoma", 11)), FALSE);
    // State given before the window existed (its page is built when first shown) shows now.
    if (!enabled_) EnableWindow(hwnd, FALSE);
    if (!hint_.empty()) ShowHint();
}

Control* Control::FromHwnd(HWND hwnd) { return hwnd ? static_cast<Control*>(GetPropW(hwnd, kControlProp)) : nullptr; }

std::optional<LRESULT> Control::Reflect(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (Control* c = FromHwnd(reinterpret_cast<HWND>(lParam))) return c->OnCommand(HIWORD(wParam));
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (Control* c = FromHwnd(header->hwndFrom)) return c->OnNotify(header);
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        if (Control* c = FromHwnd(reinterpret_cast<HWND>(lParam))) return c->OnCtlColor(reinterpret_cast<HDC>(wParam));
        break;
    }
    return std::nullopt;
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd_) EnableWindow(hwnd_, enabled);
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

void Control::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

bool Control::HasFocus() const { return hwnd_ && GetFocus() == hwnd_; }

void Control::SetHint(std::wstring hint) {
    hint_ = std::move(hint);
    if (hwnd_) ShowHint();
}

void Control::ShowHint() {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(hwnd_);
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    tool.lpszText = hint_.data();
    HWND tip = TooltipFor(hwnd_);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!hint_.empty()) SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

RECT Control::Bounds() const {
    RECT r{};
    if (!hwnd_) return r;
    GetWindowRect(hwnd_, &r);
    MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::SetBounds(int x, int y, int w, int h) {
    if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT UiFont(const wchar_t* face, int pixelHeight, bool bold) {
    static std::map<std::tuple<std::wstring, int, bool>, HFONT> fonts;
    auto key = std::make_tuple(std::wstring(face), pixelHeight, bold);
    auto it = fonts.find(key);
    if (it != fonts.end()) return it->second;
    HFONT font = CreateFontW(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face);
    fonts[key] = font;
    return font;
}

} // namespace orv
