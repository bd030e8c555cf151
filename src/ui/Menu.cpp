#include "ui/Menu.h"

namespace orv {
namespace {

void AppendItems(HMENU menu, const std::vector<MenuItemDef>& items) {
    for (const MenuItemDef& item : items) {
        if (item.caption == L"-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = item.caption.empty() && item.action ? item.action->caption : item.caption;
        if (!item.children.empty()) {
            HMENU sub = CreatePopupMenu();
            AppendItems(sub, item.children);
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), text.c_str());
            continue;
        }
        if (item.action && item.action->shortcut.key) text += L"\t" + item.action->shortcut.Text();
        AppendMenuW(menu, MF_STRING, item.action ? static_cast<UINT_PTR>(item.action->id()) : 0, text.c_str());
    }
}

} // namespace

HMENU BuildMenuBar(const std::vector<MenuItemDef>& menus) {
    HMENU bar = CreateMenu();
    AppendItems(bar, menus);
    return bar;
}

HMENU BuildPopupMenu(const std::vector<MenuItemDef>& items) {
    HMENU popup = CreatePopupMenu();
    AppendItems(popup, items);
    return popup;
}

void SyncMenuWithActions(HMENU menu, const ActionList& actions) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id == static_cast<UINT>(-1)) {
            if (HMENU sub = GetSubMenu(menu, i)) SyncMenuWithActions(sub, actions);
            continue;
        }
        if (Action* action = actions.ById(static_cast<int>(id))) {
            EnableMenuItem(menu, i, MF_BYPOSITION | (action->enabled() ? MF_ENABLED : MF_GRAYED));
            CheckMenuItem(menu, i, MF_BYPOSITION | (action->checked() ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}

} // namespace orv
