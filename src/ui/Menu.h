#pragma once
// Menus as data: a table of items bound to actions, built into native menus.
#include <string>
#include <vector>

#include "ui/Action.h"

namespace orv {

struct MenuItemDef {
    std::wstring caption;  // empty: the action's caption; "-": a separator
    Action* action = nullptr;
    std::vector<MenuItemDef> children;
};

inline MenuItemDef Separator() { return {L"-", nullptr, {}}; }

HMENU BuildMenuBar(const std::vector<MenuItemDef>& menus);
HMENU BuildPopupMenu(const std::vector<MenuItemDef>& items);
// Takes the enabled and checked state of the actions the items are bound to.
void SyncMenuWithActions(HMENU menu, const ActionList& actions);

} // namespace orv
