// The tray menu read back from its real HMENU: the rebuild from the menu entry store at every
// opening, the wallpaper and position choices, Show and Exit, and Hide's failure where the shell
// refuses the icon (Wine's null display has no notification area).
#include <map>

#include "app/TrayIcon.h"
#include "desktop/WallpaperPosition.h"
#include "platform/AppError.h"
#include "platform/Registry.h"
#include "ui/Guard.h"
#include "unit/tray/TrayFixture.h"

namespace orv::test {
namespace {

using Items = std::vector<TrayMenuItem>;
using Names = std::vector<std::wstring>;

// The menu's fixed part; "Change Wallpaper" is enabled exactly when it has items.
Items FixedMenu(bool withWallpapers) {
    return {{L"Change Wallpaper", true, withWallpapers},
            {L"Position", true, true},
            {L"-"},
            {L"Show ORV"},
            {L"-"},
            {L"Exit"}};
}

Items PositionItems(int marked) {
    Items items = {{L"Center"}, {L"Tile"}, {L"Stretch"}};
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].radio = true;
        items[i].checked = static_cast<int>(i) == marked;
    }
    return items;
}

TEST_F(TrayTest, ThreeEntriesInStoreOrderAndChoosingTheSecondAppliesIt) {
    const std::wstring sunset = Bitmap(L"sunset.bmp", 40, 30), harbour = Bitmap(L"harbour.bmp", 50, 20),
                       meadow = Bitmap(L"meadow.bmp", 60, 10);
    WriteEntry(L"Sunset", sunset);
    WriteEntry(L"Harbour", harbour);
    WriteEntry(L"Meadow", meadow);
    const Names order = StoreOrder();
    ASSERT_EQ(order.size(), 3u);
    const std::map<std::wstring, std::wstring> pathOf = {
        {L"Sunset", sunset}, {L"Harbour", harbour}, {L"Meadow", meadow}};

    TfrmORV& w = Open();
    w.pabTrayPopupMenuPopup();
    EXPECT_EQ(ReadMenu(w.pabTrayPopupMenu), FixedMenu(true));
    EXPECT_EQ(Captions(WallpaperMenu()), order) << "the registry's order";
    Names hints;
    for (const std::wstring& name : order)
        hints.push_back(pathOf.at(name));
    EXPECT_EQ(w.trayWallpaperHints, hints) << "each item's hint is its entry's picture";

    const bool undoEnabledBefore = w.aCancel->enabled();
    Choose(WallpaperMenu(), 1);
    const std::wstring second = pathOf.at(order[1]);
    EXPECT_EQ(DesktopValue(L"Wallpaper"), second);
    EXPECT_EQ(DesktopValue(L"ConvertedWallpaper"), second);
    EXPECT_EQ(w.state.trayWallpaperPath, second);
    EXPECT_TRUE(w.state.undo);
    EXPECT_EQ(w.aCancel->enabled(), undoEnabledBefore) << "no command state refresh";
}

TEST_F(TrayTest, AnEmptyStoreDisablesChangeWallpaperAndTheRestWorks) {
    for (bool keyExists : {false, true}) {
        SCOPED_TRACE(keyExists ? "ShellPopup without subkeys" : "no ShellPopup key");
        if (keyExists) {
            ASSERT_TRUE(RegKey::Create(HKEY_LOCAL_MACHINE, kShellPopupKey));
        }
        TfrmORV& w = Open();
        w.pabTrayPopupMenuPopup();
        EXPECT_EQ(ReadMenu(w.pabTrayPopupMenu), FixedMenu(false));
        EXPECT_EQ(GetMenuItemCount(WallpaperMenu()), 0);

        // Position: Stretch applies at once.
        Choose(PositionMenu(), 2);
        EXPECT_EQ(DesktopValue(L"TileWallpaper") + L"/" + DesktopValue(L"WallpaperStyle"), L"0/2");
        EXPECT_EQ(DesktopValue(L"Wallpaper"), desktopBitmap) << "the current wallpaper re-applied";
        EXPECT_EQ(w.state.trayPosition, kStretch);
        // Show ORV: the window comes up.
        EXPECT_FALSE(IsWindowVisible(w.hwnd()));
        Choose(w.pabTrayPopupMenu, 3);
        EXPECT_TRUE(IsWindowVisible(w.hwnd()));
        // Exit: the exit question; No keeps the program.
        human.answers.push_back(IDNO);
        Choose(w.pabTrayPopupMenu, 5);
        EXPECT_EQ(human.Questions(), Names{L"Confirmation: Do you want to exit Orvane?"});
        EXPECT_TRUE(IsWindow(w.hwnd()));
        human.asked.clear();
        Discard();
        SetDesktopValue(L"WallpaperStyle", L"0");
    }
}

TEST_F(TrayTest, TheItemsAreBuiltAfreshAtEveryOpening) {
    const std::wstring a = Bitmap(L"a.bmp", 8, 6), b = Bitmap(L"b.bmp", 9, 6);
    TfrmORV& w = Open();
    w.pabTrayPopupMenuPopup();
    EXPECT_EQ(Captions(WallpaperMenu()), Names{});

    // Two entries published on the Configuration page.
    w.aConfiguration->Execute();
    w.cbxIntegrateIntoShell.SetChecked(true);
    for (const auto& [header, path] : {std::pair{L"Dunes", a}, std::pair{L"Lake", b}}) {
        human.openAnswers.push_back(std::vector<std::wstring>{path});
        w.btnBrowse.Click();
        w.edtHeader.SetText(header);
        w.btnAddCMItem.Click();
    }
    ASSERT_TRUE(w.btnWrite.enabled());
    w.btnWrite.Click();
    ASSERT_EQ(StoreOrder().size(), 2u);

    w.pabTrayPopupMenuPopup();
    EXPECT_EQ(Captions(WallpaperMenu()), StoreOrder());
    EXPECT_TRUE(ReadMenu(w.pabTrayPopupMenu)[0].enabled);

    // Changed straight in the store: one removed, one added with an ampersand and no picture.
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\Dunes");
    WriteEntry(L"Rock & Roll", std::nullopt);
    w.pabTrayPopupMenuPopup();
    const Names order = StoreOrder();
    ASSERT_EQ(order.size(), 2u);
    Names shown;
    for (const std::wstring& name : order)
        shown.push_back(name == L"Rock & Roll" ? L"Rock && Roll" : name);
    EXPECT_EQ(Captions(WallpaperMenu()), shown) << "an ampersand shows as written";
    Names hints;
    for (const std::wstring& name : order)
        hints.push_back(name == L"Lake" ? b : L"");
    EXPECT_EQ(w.trayWallpaperHints, hints) << "a missing picture gives an empty hint";
    human.openAnswers.clear();
}

TEST_F(TrayTest, ANonStringPictureValueReportsAndTheMenuDoesNotOpen) {
    WriteEntry(L"Good", Bitmap(L"good.bmp", 8, 8));
    {
        RegKey bad = RegKey::Create(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\Bad");
        bad.WriteDword(L"", 7);
    }
    TfrmORV& w = Open();
    try {
        w.pabTrayPopupMenuPopup();
        ADD_FAILURE() << "the rebuild did not fail";
    } catch (const AppError& error) {
        EXPECT_EQ(Narrow(error.text()), "Invalid data type for ''");
    }

    // Through the icon's right click: the error box, and TrackPopupMenu is never reached (a
    // timer would close a menu that opened and record it).
    static bool menuOpened;
    menuOpened = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        menuOpened = true;
        EndMenu();
    });
    human.answers.push_back(IDOK);
    RunGuarded([&] { w.ShowTrayMenu(POINT{10, 10}); });
    KillTimer(nullptr, timer);
    // A closing quote is below the full stop: the box adds none.
    EXPECT_EQ(human.Questions(), Names{L"Orvane: Invalid data type for ''"});
    EXPECT_FALSE(menuOpened);
}

TEST_F(TrayTest, ThePositionItemsCopyTheLastReadPosition) {
    const struct {
        const wchar_t* tile;
        const wchar_t* style;
        int marked;
    } cases[] = {{L"0", L"0", kCenter}, {L"1", L"0", kTile}, {L"0", L"2", kStretch}};
    TfrmORV& w = Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(std::wstring(L"TileWallpaper=") + c.tile + L" WallpaperStyle=" + c.style));
        SetDesktopValue(L"TileWallpaper", c.tile);
        SetDesktopValue(L"WallpaperStyle", c.style);
        w.pabTrayPopupMenuPopup();
        EXPECT_EQ(ReadMenu(PositionMenu()), PositionItems(w.state.trayPosition))
            << "not read again by the opening";
        w.ReadWallpaperPosition();
        w.pabTrayPopupMenuPopup();
        EXPECT_EQ(ReadMenu(PositionMenu()), PositionItems(c.marked));
    }
    // A choice moves the mark at the next opening.
    Choose(PositionMenu(), 1);
    w.pabTrayPopupMenuPopup();
    EXPECT_EQ(ReadMenu(PositionMenu()), PositionItems(kTile));
    SetDesktopValue(L"WallpaperStyle", L"0");
}

TEST_F(TrayTest, HideWhileTiledMarksTileEvenWhenTheShellRefusesTheIcon) {
    SetDesktopValue(L"TileWallpaper", L"1");
    TfrmORV& w = Open();
    w.Show();
    SetDesktopValue(L"TileWallpaper", L"0");
    SetDesktopValue(L"WallpaperStyle", L"0");
    w.ReadWallpaperPosition();
    SetDesktopValue(L"TileWallpaper", L"1");
    // The null display has no notification area: Hide stops after re-reading the position.
    try {
        w.aHideExecute();
        ADD_FAILURE() << "Hide succeeded without a notification area";
    } catch (const AppError& error) {
        EXPECT_EQ(Narrow(error.text()), "Cannot create shell notification icon");
    }
    EXPECT_EQ(w.state.trayPosition, kTile);
    EXPECT_EQ(w.cbxPosition.itemIndex(), kTile);
    w.pabTrayPopupMenuPopup();
    EXPECT_EQ(ReadMenu(PositionMenu()), PositionItems(kTile));
    EXPECT_FALSE(w.tiTSL->visible());
    EXPECT_TRUE(IsWindowVisible(w.hwnd())) << "not minimized nor hidden";
    EXPECT_FALSE(IsIconic(w.hwnd()));
    SetDesktopValue(L"TileWallpaper", L"0");
}

TEST_F(TrayTest, StretchFromTheTrayThenShowShowsStretchWithUpdateDisabled) {
    const std::wstring entry = Bitmap(L"entry.bmp", 70, 50);
    TfrmORV& w = Open();
    w.lvTSL.Append(L"entry.bmp", {L"none", entry});
    w.lvTSL.Select(0);
    ASSERT_EQ(w.previewInfo, L"70 x 50") << "the selected entry in the pane";
    // The user had picked Tile in the box without Update.
    w.cbxPosition.Pick(kTile);
    ASSERT_TRUE(w.aUpdatePosition->enabled());

    w.pabTrayPopupMenuPopup();
    Choose(PositionMenu(), 2);
    w.aShowExecute();
    EXPECT_EQ(w.cbxPosition.itemIndex(), kStretch);
    EXPECT_FALSE(w.aUpdatePosition->enabled());
    EXPECT_FALSE(w.state.positionChanged);
    EXPECT_EQ(w.previewInfo, L"32 x 24") << "the desktop's wallpaper, not the selected entry";
    EXPECT_TRUE(IsWindowVisible(w.hwnd()));
    SetDesktopValue(L"WallpaperStyle", L"0");
}

TEST_F(TrayTest, ShowStopsAtAPictureThatCannotBeLoaded) {
    TfrmORV& w = Open();
    SetDesktopValue(L"Wallpaper", folder / L"gone.bmp");
    SetDesktopValue(L"TileWallpaper", L"1");
    w.state.positionChanged = true;
    EXPECT_THROW(w.aShowExecute(), AppError);
    EXPECT_TRUE(IsWindowVisible(w.hwnd())) << "the window is shown first";
    EXPECT_NE(w.state.trayPosition, kTile) << "the position is not read again";
    EXPECT_TRUE(w.state.positionChanged);
    SetDesktopValue(L"TileWallpaper", L"0");
}

} // namespace
} // namespace orv::test
