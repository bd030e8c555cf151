// The window's layout and its own handlers: places and sizes, status panels, striping, pages.
#include "support/MainWindowFixture.h"

#include "platform/Registry.h"

namespace orv::test {
namespace {

class LayoutTest : public MainWindowTest {};

struct Place {
    const char* name;
    Control* control;
    int x, y, w, h;
};

// Pages are built when first shown, so a test shows every page before it looks at their windows.
void ShowEveryPage(TfrmORV& w) {
    for (int page : {1, 2, 3, 0}) w.pcTSL.SetActivePage(page);
}

TEST_F(LayoutTest, ControlsSitWhereTheLayoutPutsThem) {
    TfrmORV& w = Open();
    const Place places[] = {
        {"lvTSL", &w.lvTSL, 3, 3, 230, 251},
        {"pnlControlPanel", &w.pnlControlPanel, 239, 3, 224, 251},
        {"pnlRed", &w.pnlRed, 7, 9, 102, 66},
        {"pnlGreen", &w.pnlGreen, 116, 5, 102, 66},
        {"pnlBlue", &w.pnlBlue, 4, 82, 102, 66},
        {"pnlYelow", &w.pnlYelow, 113, 78, 102, 66},
        {"preview frame", &w.pnlPreviewFrame, 11, 13, 200, 126},
        {"imgPreview", &w.imgPreview, 0, 0, 198, 124},
        {"btnFullview", &w.btnFullview, 7, 155, 116, 25},
        {"btnSetWallpaper", &w.btnSetWallpaper, 7, 186, 116, 25},
        {"btnAddToContextMenu", &w.btnAddToContextMenu, 7, 217, 116, 25},
        {"gbPosition", &w.gbPosition, 129, 150, 86, 92},
        {"btnPositionUpdate", &w.btnPositionUpdate, 8, 55, 70, 25},
        {"gbOptions", &w.gbOptions, 3, 3, 206, 121},
        {"cbxAutosave", &w.cbxAutosave, 24, 21, 161, 17},
        {"cbxMinimizeToTray", &w.cbxMinimizeToTray, 24, 44, 153, 17},
        {"cbxStartUp", &w.cbxStartUp, 24, 67, 161, 17},
        {"cbxSubDir", &w.cbxSubDir, 24, 90, 161, 17},
        {"gbShellEx", &w.gbShellEx, 215, 3, 248, 121},
        {"cbxIntegrateIntoShell", &w.cbxIntegrateIntoShell, 24, 24, 121, 17},
        {"gbContextMenu", &w.gbContextMenu, 3, 130, 206, 124},
        {"lvContextMenu", &w.lvContextMenu, 6, 19, 194, 99},
        {"edtFile", &w.edtFile, 304, 140, 122, 21},
        {"btnBrowse", &w.btnBrowse, 432, 140, 31, 21},
        {"edtHeader", &w.edtHeader, 304, 167, 159, 21},
        {"btnAddCMItem", &w.btnAddCMItem, 215, 194, 120, 25},
        {"btnRemoveCMItem", &w.btnRemoveCMItem, 215, 225, 120, 25},
        {"btnRead", &w.btnRead, 341, 194, 122, 25},
        {"btnWrite", &w.btnWrite, 341, 225, 122, 25},
        {"lvProfiles", &w.lvProfiles, 3, 3, 230, 251},
        {"pnlProfiles", &w.pnlProfiles, 239, 3, 224, 251},
        {"btnNewProfile", &w.btnNewProfile, 20, 25, 182, 25},
        {"btnSaveProfileAs", &w.btnSaveProfileAs, 20, 201, 182, 25},
        {"pnlAbout", &w.pnlAbout, 3, 3, 460, 251},
        {"imgAbout", &w.imgAbout, 3, 3, 452, 243},
        {"lblTSLAbout", &w.lblTSLAbout, 23, 15, 400, 30},
    };
    ShowEveryPage(w);
    for (const Place& p : places) {
        RECT r = p.control->Bounds();
        EXPECT_EQ((std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::vector<long>{p.x, p.y, p.w, p.h}))
            << p.name;
    }
    RECT client;
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.right, 474);
    EXPECT_EQ(client.bottom, 28 + 285 + 18);
}

TEST_F(LayoutTest, StatusBarStartsWithItsFivePanels) {
    TfrmORV& w = Open();
    EXPECT_EQ(w.sbTSL.Text(0), L"Current Profile:");
    EXPECT_EQ(w.sbTSL.Text(1), L"Not Loaded");
    EXPECT_EQ(w.sbTSL.Text(2), L"Current List:");
    EXPECT_EQ(w.sbTSL.Text(3), L"No Name");
    int edges[5] = {};
    SendMessageW(w.sbTSL.hwnd(), SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ((std::vector<int>(edges, edges + 4)), (std::vector<int>{78, 213, 279, 374}));
}

TEST_F(LayoutTest, CaptionsOfPagesAndControls) {
    TfrmORV& w = Open();
    auto text = [](HWND h) {
        wchar_t buffer[128] = {};
        GetWindowTextW(h, buffer, ARRAYSIZE(buffer));
        return std::wstring(buffer);
    };
    ShowEveryPage(w);
    EXPECT_EQ(text(w.hwnd()), L"Orvane");
    EXPECT_EQ(text(w.btnFullview.hwnd()), L"Preview");
    EXPECT_EQ(text(w.btnSetWallpaper.hwnd()), L"Set Wallpaper");
    EXPECT_EQ(text(w.btnAddToContextMenu.hwnd()), L"Add to Context Menu");
    EXPECT_EQ(text(w.btnPositionUpdate.hwnd()), L"Update");
    EXPECT_EQ(text(w.btnRead.hwnd()), L"Read ");
    EXPECT_EQ(text(w.btnWrite.hwnd()), L"Apply");
    EXPECT_EQ(text(w.btnNewProfile.hwnd()), L"New Profile");
    EXPECT_EQ(text(w.btnSaveProfileAs.hwnd()), L"Save Profile As...");
    EXPECT_EQ(w.cbxPosition.items(), (std::vector<std::wstring>{L"Center", L"Tile", L"Stretch"}));
    EXPECT_EQ(w.btnFullview.hint(), L"Preview Picture in Full Window");
    EXPECT_EQ(w.btnAddToContextMenu.hint(), L"");
    EXPECT_EQ(w.btnBrowse.hint(), L"Browse...");
    EXPECT_EQ(w.pnlRed.hint(), L"Click to Change Desktop Color");
    EXPECT_TRUE(w.cbxSubDir.checked());
    EXPECT_FALSE(w.cbxAutosave.checked() || w.cbxStartUp.checked() || w.cbxMinimizeToTray.checked() ||
                 w.cbxIntegrateIntoShell.checked());
    wchar_t tab[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = ARRAYSIZE(tab);
    std::vector<std::wstring> tabs;
    for (int i = 0; i < 4; ++i) {
        SendMessageW(w.pcTSL.hwnd(), TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        tabs.push_back(tab);
    }
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"Desktop Wallpaper", L"Configuration", L"Profile Management",
                                               L"About..."}));
}

TEST_F(LayoutTest, PagesAreBuiltWhenFirstShownWithTheStateGivenBefore) {
    for (const wchar_t* name : {L"First", L"Second"})
        RegKey::Create(HKEY_LOCAL_MACHINE, std::wstring(kProfilesKey) + L"\\" + name).WriteString(L"", name);
    TfrmORV& w = Open();
    EXPECT_NE(w.tsDesktopBackground->hwnd(), nullptr);
    for (Panel* page : {w.tsConfiguration, w.tsProfiles, w.tsabout}) EXPECT_EQ(page->hwnd(), nullptr);
    ASSERT_EQ(w.lvProfiles.count(), 2u);  // read at start-up, into a list with no window yet
    w.lvProfiles.Select(1);
    w.cbxAutosave.SetChecked(true);
    w.cbxSubDir.SetChecked(false);
    w.edtFile.SetText(L"C:\\chosen.exe");
    ShowEveryPage(w);

    EXPECT_EQ(ListView_GetItemCount(w.lvProfiles.hwnd()), 2);
    EXPECT_EQ(ListView_GetNextItem(w.lvProfiles.hwnd(), -1, LVNI_SELECTED), 1);
    EXPECT_EQ(SendMessageW(w.cbxAutosave.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(w.cbxSubDir.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    wchar_t text[64] = {};
    GetWindowTextW(w.edtFile.hwnd(), text, ARRAYSIZE(text));
    EXPECT_STREQ(text, L"C:\\chosen.exe");
    // The menu-entry fields wait for the option's box: disabled before their window existed.
    EXPECT_FALSE(w.edtFile.enabled());
    EXPECT_FALSE(IsWindowEnabled(w.edtFile.hwnd()));
    EXPECT_FALSE(IsWindowEnabled(w.btnRead.hwnd()));
}

TEST_F(LayoutTest, RowsAreStripedFromTheSecond) {
    TfrmORV& w = Open();
    const COLORREF light = RGB(255, 255, 234), dark = RGB(255, 255, 213);
    EXPECT_EQ(w.lvTSLCustomDrawItem(0), light);
    EXPECT_EQ(w.lvTSLCustomDrawItem(1), dark);
    EXPECT_EQ(w.lvTSLCustomDrawItem(2), light);
    EXPECT_EQ(w.lvTSLCustomDrawItem(65537), dark);  // counted as a 16-bit number
}

TEST_F(LayoutTest, PagesAndTheInformationPanelAlignment) {
    TfrmORV& w = Open();
    EXPECT_EQ(w.pcTSL.activePage(), 0);
    EXPECT_EQ(w.sbTSL.alignment(kInfoPanel), StatusBar::Align::Center);
    w.sbTSL.SetText(kInfoPanel, L"64 x 32");
    w.aAbout->Execute();
    EXPECT_EQ(w.pcTSL.activePage(), 3);
    EXPECT_EQ(w.sbTSL.Text(kInfoPanel), L"64 x 32");  // About changes nothing else
    w.aConfiguration->Execute();
    EXPECT_EQ(w.pcTSL.activePage(), 1);
    EXPECT_EQ(w.sbTSL.alignment(kInfoPanel), StatusBar::Align::Left);
    w.aAbout->Execute();  // pages 2 and 3 keep the alignment the last page set
    EXPECT_EQ(w.sbTSL.alignment(kInfoPanel), StatusBar::Align::Left);
}

TEST_F(LayoutTest, ColourPanelsOpenTheColourDialogAndChangeNothing) {
    TfrmORV& w = Open();
    human.colourAnswers.push_back(RGB(1, 2, 3));
    SendMessageW(w.pnlBlue.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_EQ(human.asked.size(), 1u);
    EXPECT_EQ(human.asked[0].kind, L"Colour");
    EXPECT_EQ(w.pnlBlue.colour(), RGB(121, 188, 255));
}

} // namespace
} // namespace orv::test
