#include "ui/Controls.h"

#include <commctrl.h>

#include "ui/Guard.h"

namespace orv {
namespace {

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXW wc{sizeof(wc)};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &wc)) return;
    wc = WNDCLASSEXW{sizeof(wc)};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

template <typename T>
T* ObjectOf(HWND hwnd) {
    return static_cast<T*>(Control::FromHwnd(hwnd));
}

HBRUSH BrushFor(COLORREF colour, HBRUSH& cache) {
    if (!cache && colour != CLR_INVALID) cache = CreateSolidBrush(colour);
    return cache;
}

} // namespace

// ---- Panel ----

void Panel::Create(HWND parent, int x, int y, int w, int h, Frame frame, COLORREF colour, std::wstring caption) {
    RegisterClassOnce(L"OrvanePanel", &Panel::WindowProc, nullptr);
    frame_ = frame;
    colour_ = colour;
    caption_ = std::move(caption);
    CreateChild(parent, L"OrvanePanel", caption_.c_str(), WS_CLIPCHILDREN | (frame == Frame::Border ? WS_BORDER : 0),
                WS_EX_CONTROLPARENT, x, y, w, h);
}

LRESULT CALLBACK Panel::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Panel* panel = ObjectOf<Panel>(hwnd);
    if (!panel) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    if (!RunGuarded([&] { result = panel->Handle(message, wParam, lParam); }))
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    return result;
}

LRESULT Panel::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto reflected = Control::Reflect(message, wParam, lParam)) return *reflected;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_LBUTTONUP:
        if (onClick) onClick();
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Labels and check boxes sit on the panel's own background.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetBkMode(dc, TRANSPARENT);
        if (painter) return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        HBRUSH brush = BrushFor(colour_, brush_);
        return reinterpret_cast<LRESULT>(brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    }
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Panel::Paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd_, &r);
    if (painter) {
        painter(dc, r);
    } else {
        HBRUSH brush = BrushFor(colour_, brush_);
        FillRect(dc, &r, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    }
    if (frame_ != Frame::Group) return;
    HFONT old = static_cast<HFONT>(SelectObject(dc, UiFont(L"Tahoma", 11)));
    SIZE text{};
    GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
    RECT frame = r;
    frame.top += text.cy / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    RECT label{8, 0, 8 + text.cx + 4, text.cy};
    FillRect(dc, &label, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled_ ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    TextOutW(dc, 10, 0, caption_.c_str(), static_cast<int>(caption_.size()));
    SelectObject(dc, old);
}

// ---- Button ----

void Button::Create(HWND parent, int x, int y, int w, int h, std::wstring caption) {
    if (!caption.empty()) caption_ = std::move(caption);
    CreateChild(parent, WC_BUTTONW, caption_.c_str(), BS_PUSHBUTTON | WS_TABSTOP, 0, x, y, w, h);
}

void Button::Bind(Action& action, bool showHint) {
    action_ = &action;
    if (caption_.empty()) {
        caption_ = action.caption;
        if (hwnd_) SetWindowTextW(hwnd_, caption_.c_str());
    }
    if (showHint && hint_.empty()) SetHint(action.hint);
    SetEnabled(action.enabled());
    action.Subscribe([this] { SetEnabled(action_->enabled()); });
}

void Button::Click() {
    if (!enabled_) return;
    if (onClick) onClick();
    else if (action_) action_->Execute();
}

std::optional<LRESULT> Button::OnCommand(WORD code) {
    if (code != BN_CLICKED) return std::nullopt;
    Click();
    return 0;
}

// ---- CheckBox ----

void CheckBox::Create(HWND parent, int x, int y, int w, int h, std::wstring caption) {
    CreateChild(parent, WC_BUTTONW, caption.c_str(), BS_CHECKBOX | WS_TABSTOP, 0, x, y, w, h);
    SendMessageW(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (onClick) onClick();
}

std::optional<LRESULT> CheckBox::OnCommand(WORD code) {
    if (code != BN_CLICKED) return std::nullopt;
    SetChecked(!checked_);
    return 0;
}

std::optional<LRESULT> CheckBox::OnCtlColor(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    return std::nullopt;
}

// ---- Edit ----

void Edit::Create(HWND parent, int x, int y, int w, int h, int maxLength, bool readOnly, COLORREF background,
                  HFONT font) {
    background_ = background;
    CreateChild(parent, WC_EDITW, text_.c_str(), ES_AUTOHSCROLL | WS_TABSTOP | (readOnly ? ES_READONLY : 0), WS_EX_CLIENTEDGE,
                x, y, w, h);
    if (maxLength > 0) SendMessageW(hwnd_, EM_SETLIMITTEXT, static_cast<WPARAM>(maxLength), 0);
    if (font) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowSubclass(hwnd_, &Edit::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Edit::SetText(const std::wstring& text) {
    text_ = text;
    if (!hwnd_) return;
    settingText_ = true;
    SetWindowTextW(hwnd_, text.c_str());
    settingText_ = false;
}

void Edit::KeyDown(WORD key) {
    if (onKeyDown) onKeyDown(key);
}

std::optional<LRESULT> Edit::OnCommand(WORD code) {
    if (code != EN_CHANGE || settingText_) return std::nullopt;
    int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    text_ = std::move(text);
    return 0;
}

std::optional<LRESULT> Edit::OnCtlColor(HDC dc) {
    HBRUSH brush = BrushFor(background_, brush_);
    if (!brush || !enabled_) return std::nullopt;
    SetBkColor(dc, background_);
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT CALLBACK Edit::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* edit = reinterpret_cast<Edit*>(data);
    if (message == WM_KEYDOWN) {
        RunGuarded([&] { edit->KeyDown(static_cast<WORD>(wParam)); });
    } else if (message == WM_CHAR && wParam == L'\r') {
        return 0;  // Enter is handled as a key; no beep
    } else if (message == WM_GETDLGCODE && wParam == VK_RETURN) {
        return DLGC_WANTALLKEYS;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---- Label ----

void Label::Create(HWND parent, int x, int y, std::wstring caption, HFONT font, int w, int h) {
    caption_ = std::move(caption);
    HFONT f = font ? font : UiFont(L"Tahoma", 11);
    if (w == 0 || h == 0) {  // auto size to the text
        HDC dc = GetDC(parent);
        HFONT old = static_cast<HFONT>(SelectObject(dc, f));
        SIZE size{};
        GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(parent, dc);
        if (w == 0) w = size.cx;
        if (h == 0) h = size.cy;
    }
    CreateChild(parent, WC_STATICW, caption_.c_str(), SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, x, y, w, h);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
}

void Label::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    if (hwnd_) SetWindowTextW(hwnd_, caption_.c_str());
}

void Label::MakeLink(COLORREF colour) {
    textColour_ = colour;
    SetClassLongPtrW(hwnd_, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_ARROW)));
    SetWindowSubclass(
        hwnd_,
        [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) -> LRESULT {
            if (message == WM_SETCURSOR) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            return DefSubclassProc(hwnd, message, wParam, lParam);
        },
        2, 0);
}

std::optional<LRESULT> Label::OnCommand(WORD code) {
    if (code != STN_CLICKED || !onClick) return std::nullopt;
    onClick();
    return 0;
}

std::optional<LRESULT> Label::OnCtlColor(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    if (textColour_ != CLR_INVALID) SetTextColor(dc, textColour_);
    return std::nullopt;  // the parent supplies the background
}

// ---- ComboBox ----

void ComboBox::Create(HWND parent, int x, int y, int w, std::vector<std::wstring> items, COLORREF background) {
    items_ = std::move(items);
    background_ = background;
    CreateChild(parent, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 0, x, y, w, 200);
    for (auto& item : items_) SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (index_ >= 0) SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
}

void ComboBox::SetItemIndex(int index) {
    index_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
    if (hwnd_) SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
}

void ComboBox::Pick(int index) {
    SetItemIndex(index);
    if (onClick) onClick();
}

std::optional<LRESULT> ComboBox::OnCommand(WORD code) {
    if (code != CBN_SELCHANGE) return std::nullopt;
    Pick(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    return 0;
}

std::optional<LRESULT> ComboBox::OnCtlColor(HDC dc) {
    HBRUSH brush = BrushFor(background_, brush_);
    if (!brush) return std::nullopt;
    SetBkColor(dc, background_);
    return reinterpret_cast<LRESULT>(brush);
}

// ---- Image ----

void Image::Create(HWND parent, int x, int y, int w, int h) {
    RegisterClassOnce(L"OrvaneImage", &Image::WindowProc, nullptr);
    // No WS_CLIPCHILDREN: the picture must lie under the transparent labels placed on it.
    CreateChild(parent, L"OrvaneImage", L"", 0, 0, x, y, w, h);
}

void Image::SetPainter(std::function<void(HDC, const RECT&)> painter) {
    painter_ = std::move(painter);
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT CALLBACK Image::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Image* image = ObjectOf<Image>(hwnd);
    if (!image) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (auto reflected = Control::Reflect(message, wParam, lParam)) return *reflected;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        if (image->painter_) RunGuarded([&] { image->painter_(dc, r); });
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {  // labels drawn over the picture
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    case WM_LBUTTONUP:
        RunGuarded([&] {
            if (image->onClick) image->onClick();
            else if (image->onMouseUp) image->onMouseUp(MK_LBUTTON);
        });
        return 0;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// ---- Bevel ----

void Bevel::Create(HWND parent, int x, int y, int w) {
    CreateChild(parent, WC_STATICW, L"", SS_ETCHEDHORZ, 0, x, y, w, 2);
}

} // namespace orv
