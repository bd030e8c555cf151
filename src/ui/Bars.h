#pragma once
// Page control, status bar and tool bar.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Action.h"
#include "ui/Controls.h"

#include <commctrl.h>

namespace orv {

// Tabs over pages; each page is a Panel the control shows while its tab is active. As in a
// property sheet, a page's window and controls are built when the page is first shown, so pages
// that are never opened cost nothing at start-up.
class PageControl : public Control {
public:
    void Create(HWND parent, int x, int y, int w, int h);
    // `build` creates the page's controls on the page window it is given.
    Panel& AddPage(const std::wstring& caption, std::function<void(HWND page)> build);
    size_t pageCount() const { return pages_.size(); }
    int activePage() const { return active_; }
    // Shows the page; runs its onShow. onChange runs only for the user's picks.
    void SetActivePage(int index);
    std::function<void()> onChange;
    std::vector<std::function<void()>> onShow;
    std::optional<LRESULT> OnNotify(NMHDR* header) override;

private:
    struct Page {
        std::unique_ptr<Panel> panel;
        std::function<void(HWND)> build;
    };
    RECT PageRect() const;
    void Build(Page& page);
    std::vector<Page> pages_;
    int active_ = -1;
};

class StatusBar : public Control {
public:
    enum class Align { Left, Center };
    void Create(HWND parent, int height, const std::vector<std::pair<std::wstring, int>>& panels);
    const std::wstring& Text(size_t panel) const { return texts_.at(panel); }
    void SetText(size_t panel, std::wstring text);
    void SetAlignment(size_t panel, Align align);
    Align alignment(size_t panel) const { return aligns_.at(panel); }
    void Resize();

private:
    void Show(size_t panel);
    std::vector<std::wstring> texts_;
    std::vector<Align> aligns_;
    std::vector<int> widths_;
    int height_ = 0;
};

// Picture buttons bound to actions; the actions' hints are the tooltips.
class ToolBar : public Control {
public:
    struct Item {
        Action* action;  // null for a separator
    };
    void Create(HWND parent, int y, int height, HIMAGELIST images, const std::vector<Item>& items);
    const std::vector<Item>& items() const { return items_; }
    void Resize();
    std::optional<LRESULT> OnNotify(NMHDR* header) override;

private:
    std::vector<Item> items_;
    int height_ = 0;
};

} // namespace orv
