#include "ui/Bars.h"

#include <commctrl.h>

namespace orv {

// ---- PageControl ----

void PageControl::Create(HWND parent, int x, int y, int w, int h) {
    CreateChild(parent, WC_TABCONTROLW, L"", WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT, x, y, w, h);
}

RECT PageControl::PageRect() const {
    RECT r;
    GetClientRect(hwnd_, &r);
    TabCtrl_AdjustRect(hwnd_, FALSE, &r);
    return r;
}

Panel& PageControl::AddPage(const std::wstring& caption, std::function<void(HWND page)> build) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    std::wstring text = caption;
    item.pszText = text.data();
    TabCtrl_InsertItem(hwnd_, static_cast<int>(pages_.size()), &item);
    pages_.push_back({std::make_unique<Panel>(), std::move(build)});
    pages_.back().panel->SetVisible(false);
    onShow.emplace_back();
    return *pages_.back().panel;
}

void PageControl::Build(Page& page) {
    if (page.panel->hwnd()) return;
    RECT r = PageRect();
    page.panel->Create(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (page.build) page.build(page.panel->hwnd());
}

void PageControl::SetActivePage(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    int previous = active_;
    active_ = index;
    TabCtrl_SetCurSel(hwnd_, index);
    if (previous != index) {
        Build(pages_[static_cast<size_t>(index)]);
        pages_[static_cast<size_t>(index)].panel->SetVisible(true);
        if (previous >= 0) pages_[static_cast<size_t>(previous)].panel->SetVisible(false);
    }
    if (previous != index && onShow[static_cast<size_t>(index)]) onShow[static_cast<size_t>(index)]();
}

std::optional<LRESULT> PageControl::OnNotify(NMHDR* header) {
    if (header->code != TCN_SELCHANGE) return std::nullopt;
    SetActivePage(TabCtrl_GetCurSel(hwnd_));
    if (onChange) onChange();
    return 0;
}

// ---- StatusBar ----

void StatusBar::Create(HWND parent, int height, const std::vector<std::pair<std::wstring, int>>& panels) {
    height_ = height;
    CreateChild(parent, STATUSCLASSNAMEW, L"", CCS_BOTTOM | CCS_NORESIZE, 0, 0, 0, 0, height);
    for (auto& [text, width] : panels) {
        texts_.push_back(text);
        widths_.push_back(width);
        aligns_.push_back(Align::Left);
    }
    Resize();
}

void StatusBar::Resize() {
    RECT parent;
    GetClientRect(GetParent(hwnd_), &parent);
    SetWindowPos(hwnd_, nullptr, 0, parent.bottom - height_, parent.right, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<int> edges;
    int right = 0;
    for (int w : widths_) edges.push_back(right += w);
    if (!edges.empty()) edges.back() = -1;
    SendMessageW(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < texts_.size(); ++i) Show(i);
}

void StatusBar::SetText(size_t panel, std::wstring text) {
    texts_.at(panel) = std::move(text);
    Show(panel);
}

void StatusBar::SetAlignment(size_t panel, Align align) {
    aligns_.at(panel) = align;
    Show(panel);
}

void StatusBar::Show(size_t panel) {
    if (!hwnd_) return;
    // A leading tab centres a status bar part's text.
    std::wstring shown = (aligns_[panel] == Align::Center ? L"\t" : L"") + texts_[panel];
    SendMessageW(hwnd_, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(shown.c_str()));
}

// ---- ToolBar ----

void ToolBar::Create(HWND parent, int y, int height, HIMAGELIST images, const std::vector<Item>& items) {
    items_ = items;
    height_ = height;
    RECT r;
    GetClientRect(parent, &r);
    CreateChild(parent, TOOLBARCLASSNAMEW, L"",
                TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 0, y,
                r.right, height);
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    std::vector<TBBUTTON> buttons;
    for (const Item& item : items_) {
        TBBUTTON b{};
        if (item.action) {
            b.iBitmap = item.action->imageIndex;
            b.idCommand = item.action->id();
            b.fsState = item.action->enabled() ? TBSTATE_ENABLED : 0;
            b.fsStyle = BTNS_BUTTON;
            Action* action = item.action;
            action->Subscribe([this, action] {
                SendMessageW(hwnd_, TB_ENABLEBUTTON, static_cast<WPARAM>(action->id()), action->enabled());
            });
        } else {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = 6;
        }
        buttons.push_back(b);
    }
    SendMessageW(hwnd_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void ToolBar::Resize() {
    RECT r;
    GetClientRect(GetParent(hwnd_), &r);
    RECT mine = Bounds();
    SetWindowPos(hwnd_, nullptr, 0, mine.top, r.right, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<LRESULT> ToolBar::OnNotify(NMHDR*) { return std::nullopt; }

} // namespace orv
