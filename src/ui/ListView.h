#pragma once
// A report list view that draws from the rows it holds (owner-data), so 100,000 rows cost
// nothing to show. One selected row at most.
#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/ListRows.h"

#include <commctrl.h>

namespace orv {

struct ListColumn {
    std::wstring title;
    int width;
    int format = 0;  // LVCFMT_*
};

struct ListViewStyle {
    bool headers = true;
    bool gridLines = true;
    bool editCaptions = false;
    bool border = true;
    COLORREF background = CLR_INVALID;
};

class ListView : public Control {
public:
    void Create(HWND parent, int x, int y, int w, int h, std::vector<ListColumn> columns, ListViewStyle style);

    const ListRows& rows() const { return rows_; }
    size_t count() const { return rows_.size(); }
    void Append(std::wstring_view caption, std::initializer_list<std::wstring_view> subItems);
    void Delete(size_t index);
    void Clear();
    // Replaces the rows whole (a loaded list), keeping the view in step once.
    void ReplaceRows(ListRows rows);
    // Lets a reader append straight into the rows; Commit() shows them afterwards.
    ListRows& EditRows() { return rows_; }
    void Commit();

    // The selected row, or -1.
    int selected() const { return selected_; }
    void Select(int index);
    void SetCaption(size_t index, std::wstring_view caption);

    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(int index, bool selected)> onSelectItem;
    std::function<void(size_t index)> onEdited;
    // Row background before a row is drawn.
    std::function<COLORREF(size_t index)> onCustomDrawItem;
    // Right click: where to open the shortcut menu (screen coordinates).
    std::function<void(POINT)> onContextMenu;

    std::optional<LRESULT> OnNotify(NMHDR* header) override;

private:
    void Refresh();
    std::optional<LRESULT> CustomDraw(NMLVCUSTOMDRAW* draw);
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    ListRows rows_;
    int selected_ = -1;
    bool settingSelection_ = false;
    std::vector<ListColumn> columns_;
};

} // namespace orv
