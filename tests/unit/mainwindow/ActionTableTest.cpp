// The window's commands as data: every action, the menus, the tool bar and the shortcut menu.
#include <windows.h>
#include <commctrl.h>

#include "support/MainWindowFixture.h"

namespace orv::test {
namespace {

struct ExpectedAction {
    const wchar_t* name;
    const wchar_t* category;
    const wchar_t* caption;
    const wchar_t* hint;
    const wchar_t* shortcut;
    int picture;
};

const ExpectedAction kExpected[] = {
    {L"aAddItems", L"Edit", L"Add Item(s)", L"Add Item(s)", L"Ins", 2},
    {L"aToolbar", L"View", L"Toolbar", L"", L"", -1},
    {L"aStatusbar", L"View", L"Statusbar", L"", L"", -1},
    {L"aNewProfile", L"Profiles", L"New Profile", L"Create New Profile", L"", 13},
    {L"aAbout", L"Help", L"About...", L"About Orvane", L"F1", 5},
    {L"aNewList", L"File", L"New List", L"Create New List", L"Ctrl+N", 10},
    {L"aConfiguration", L"Tools", L"Configuration", L"Configuration", L"Shift+Ctrl+F11", 9},
    {L"aOpenList", L"File", L"Open List", L"Open List", L"Ctrl+O", 1},
    {L"aClearList", L"File", L"Clear List", L"Clear Current List", L"", -1},
    {L"aSaveList", L"File", L"Save List", L"Save Current List", L"Ctrl+S", 0},
    {L"aSaveListAs", L"File", L"Save List As...", L"Save List As...", L"", -1},
    {L"aExit", L"File", L"Exit", L"", L"", 16},
    {L"aAddFolder", L"Edit", L"Add Folder(s)", L"Add Folder(s)", L"", 4},
    {L"aRemoveItem", L"Edit", L"Delete Item", L"Delete Item", L"Del", 3},
    {L"aSetWallpaper", L"Edit", L"Set Wallpaper", L"Set Wallpaper", L"", 6},
    {L"aCancel", L"Edit", L"Undo", L"Undo", L"Ctrl+Z", 12},
    {L"aHide", L"View", L"Hide", L"Minimize To Tray", L"", 7},
    {L"aShow", L"View", L"Show", L"", L"", 8},
    {L"aLoadProfile", L"Profiles", L"Load Profile", L"Load Profile", L"", -1},
    {L"aRemoveProfile", L"Profiles", L"Delete Profile", L"Delete Profile", L"", -1},
    {L"aSaveProfile", L"Profiles", L"Save Current Profile", L"Save Current Profile", L"", -1},
    {L"aSaveProfileAs", L"Profiles", L"Save Profile As...", L"Save Profile As...", L"", -1},
    {L"aPreview", L"", L"Preview", L"Preview Picture in Full Window", L"", -1},
    {L"aRemoveFromCM", L"", L"Remove from Context Menu", L"", L"", -1},
    {L"aReadRegValue", L"", L"Read Reg Value", L"", L"", -1},
    {L"aWriteRegValue", L"", L"Write Reg Value", L"", L"", -1},
    {L"aReadProfileList", L"Profiles", L"Read Profile List", L"", L"", -1},
    {L"aWriteProfileList", L"Profiles", L"Write Profile List", L"", L"", -1},
    {L"aSaveWallpaperList", L"", L"Save Wallpaper List", L"", L"", -1},
    {L"aStartUp", L"", L"Start Up", L"", L"", -1},
    {L"aAddToCM", L"", L"Add to Context Menu", L"", L"", -1},
    {L"aColor", L"", L"Color", L"", L"", -1},
    {L"aUpdatePosition", L"", L"Update", L"Update Wallpaper Position", L"", -1},
};

std::wstring MenuText(HMENU menu, int index) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STRING | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = ARRAYSIZE(text);
    GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info);
    return (info.fType & MFT_SEPARATOR) ? L"-" : text;
}

std::vector<std::wstring> MenuTexts(HMENU menu) {
    std::vector<std::wstring> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) out.push_back(MenuText(menu, i));
    return out;
}

class ActionTableTest : public MainWindowTest {};

TEST_F(ActionTableTest, EveryActionHasItsCaptionCategoryHintShortcutAndPicture) {
    TfrmORV& w = Open();
    ASSERT_EQ(w.amTSL.all().size(), std::size(kExpected));
    for (const ExpectedAction& e : kExpected) {
        Action* a = w.amTSL.ByName(e.name);
        ASSERT_NE(a, nullptr) << Narrow(e.name);
        EXPECT_EQ(a->caption, e.caption) << Narrow(e.name);
        EXPECT_EQ(a->category, e.category) << Narrow(e.name);
        EXPECT_EQ(a->hint, e.hint) << Narrow(e.name);
        EXPECT_EQ(a->shortcut.Text(), e.shortcut) << Narrow(e.name);
        EXPECT_EQ(a->imageIndex, e.picture) << Narrow(e.name);
    }
    EXPECT_TRUE(w.aToolbar->checked());
    EXPECT_TRUE(w.aStatusbar->checked());
}

TEST_F(ActionTableTest, MenuBarHasSixMenusWithTheirItemsInOrder) {
    TfrmORV& w = Open();
    EXPECT_EQ(MenuTexts(w.ammbTSL), (std::vector<std::wstring>{L"&File", L"&Edit", L"&View", L"&Tools",
                                                               L"&Profiles", L"&Help"}));
    const std::vector<std::vector<std::wstring>> items = {
        {L"&New List\tCtrl+N", L"&Open List\tCtrl+O", L"-", L"&Clear List", L"-", L"&Save List\tCtrl+S",
         L"S&ave List As...", L"-", L"&Exit"},
        {L"&Add Item(s)\tIns", L"A&dd Folder(s)", L"-", L"D&elete Item\tDel", L"-", L"&Set Wallpaper",
         L"Undo\tCtrl+Z"},
        {L"&Toolbar", L"&Statusbar", L"-", L"&Hide"},
        {L"&Configuration\tShift+Ctrl+F11"},
        {L"&New Profile", L"&Load Profile", L"-", L"&Delete Profile", L"-", L"&Save Current Profile",
         L"S&ave Profile As..."},
        {L"&About...\tF1"},
    };
    for (size_t m = 0; m < items.size(); ++m)
        EXPECT_EQ(MenuTexts(GetSubMenu(w.ammbTSL, static_cast<int>(m))), items[m]) << "menu " << m;
}

TEST_F(ActionTableTest, MenuItemsFollowTheirActionsStateAndTicks) {
    TfrmORV& w = Open();
    HMENU view = GetSubMenu(w.ammbTSL, 2);
    w.aToolbar->Execute();  // untick: hides the tool bar
    SendMessageW(w.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
    EXPECT_FALSE(GetMenuState(view, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(view, 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(w.atbTSL.visible());

    HMENU file = GetSubMenu(w.ammbTSL, 0);
    w.aSaveList->SetEnabled(false);
    SendMessageW(w.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_TRUE(GetMenuState(file, 5, MF_BYPOSITION) & MF_GRAYED);

    w.aToolbar->Execute();  // shown again, below the menu bar
    EXPECT_TRUE(w.atbTSL.visible());
    EXPECT_EQ(w.atbTSL.Bounds().top, 0);
    EXPECT_EQ(w.pnlTSL.Bounds().top, 28);
}

TEST_F(ActionTableTest, ToolBarHoldsTheActionsInOrder) {
    TfrmORV& w = Open();
    std::vector<std::wstring> names;
    int count = static_cast<int>(SendMessageW(w.atbTSL.hwnd(), TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON b{};
        SendMessageW(w.atbTSL.hwnd(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b));
        Action* a = w.amTSL.ById(b.idCommand);
        names.push_back((b.fsStyle & BTNS_SEP) ? L"-" : a ? a->name() : L"?");
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"aNewList", L"aOpenList", L"aSaveList", L"-", L"aAddItems",
                                                L"aRemoveItem", L"aAddFolder", L"-", L"aSetWallpaper",
                                                L"aCancel", L"-", L"aHide"}));
}

TEST_F(ActionTableTest, WallpaperListShortcutMenuShowsActionCaptions) {
    TfrmORV& w = Open();
    EXPECT_EQ(MenuTexts(w.pabWallpaper),
              (std::vector<std::wstring>{L"Delete Item\tDel", L"-", L"Preview", L"Set Wallpaper", L"-",
                                         L"Add to Context Menu", L"-", L"Clear List"}));
}

TEST_F(ActionTableTest, DisabledActionRunsNothing) {
    TfrmORV& w = Open();
    int runs = 0;
    w.aColor->onExecute = [&] { ++runs; };
    w.aColor->SetEnabled(false);
    SendMessageW(w.hwnd(), WM_COMMAND, static_cast<WPARAM>(w.aColor->id()), 0);
    w.aColor->SetEnabled(true);
    SendMessageW(w.hwnd(), WM_COMMAND, static_cast<WPARAM>(w.aColor->id()), 0);
    EXPECT_EQ(runs, 1);
}

} // namespace
} // namespace orv::test
