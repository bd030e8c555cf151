// Set Wallpaper, Undo, the position box, Update and the position setters, read back from the
// desktop settings in the Wine registry.
#include <shlobj.h>
#include <wincodec.h>

#include "desktop/WallpaperPosition.h"
#include "platform/Registry.h"
#include "support/MainWindowFixture.h"
#include "ui/Guard.h"
#include "unit/picture/PictureFiles.h"

namespace orv::test {
namespace {

class DesktopWallpaperTest : public MainWindowTest {
  protected:
    // A bitmap in the scratch folder, listed as a wallpaper entry.
    std::wstring AddBitmapEntry(TfrmORV& w, const std::wstring& name, int width) {
        std::wstring path = folder.path() + name;
        WriteBytes(path, BitmapBytes(width, 16));
        w.lvTSL.Append(name, {L"none", path});
        return path;
    }
    // Desktop values as one text, so a failure shows all three at once.
    static std::wstring Desktop() {
        return DesktopValue(L"Wallpaper") + L" | Tile=" + DesktopValue(L"TileWallpaper") + L" | Style=" +
               DesktopValue(L"WallpaperStyle");
    }
    static void SetDesktopDword(const wchar_t* name, DWORD value) {
        RegKey::Create(HKEY_CURRENT_USER, kDesktopKey).WriteDword(name, value);
    }
};

std::wstring ConvertedBitmapPath() {
    wchar_t local[MAX_PATH];
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local);
    return std::wstring(local) + L"\\Orvane\\Wallpaper.bmp";
}

// ---- reading the position ----

struct PositionCase {
    const wchar_t* tile; // empty: the value is missing
    const wchar_t* style;
    int expected;
};

const PositionCase kPositionCases[] = {
    {L"1", L"2", kTile},   {L"1", L"0", kTile},    {L"", L"0", kTile},      {L"", L"", kTile},
    {L"0", L"0", kCenter}, {L"0", L"1", kStretch}, {L"0", L"2", kStretch},  {L"0", L"", kStretch},
    {L"2", L"0", kTile},   {L" 0", L"0", kTile},   {L"0", L"00", kStretch},
};

TEST_F(DesktopWallpaperTest, PositionDecodesFromTheDesktopValues) {
    TfrmORV& w = Open();
    for (const PositionCase& c : kPositionCases) {
        SetDesktopValue(L"TileWallpaper", c.tile);
        SetDesktopValue(L"WallpaperStyle", c.style);
        w.state.positionChanged = true; // reading must leave it alone
        w.ReadWallpaperPosition();
        SCOPED_TRACE(
            Narrow(std::wstring(L"TileWallpaper=\"") + c.tile + L"\" WallpaperStyle=\"" + c.style + L"\""));
        EXPECT_EQ(w.cbxPosition.itemIndex(), c.expected);
        EXPECT_EQ(w.state.trayPosition, c.expected);
        EXPECT_TRUE(w.state.positionChanged);
    }
}

TEST_F(DesktopWallpaperTest, StartUpShowsThePositionWithUpdateDisabled) {
    SetDesktopValue(L"TileWallpaper", L"0");
    SetDesktopValue(L"WallpaperStyle", L"2");
    TfrmORV& w = Open();
    EXPECT_EQ(w.cbxPosition.itemIndex(), kStretch);
    EXPECT_EQ(w.state.trayPosition, kStretch);
    EXPECT_FALSE(w.aUpdatePosition->enabled());
    EXPECT_FALSE(w.state.positionChanged);
    EXPECT_EQ(w.state.undoPath, desktopBitmap);
}

// A desktop value of another type stops the command with the error naming it.
TEST_F(DesktopWallpaperTest, ValueOfAnotherTypeIsReportedByName) {
    SetDesktopDword(L"WallpaperStyle", 2);
    human.answers.push_back(IDOK);
    TfrmORV& w = Open();
    ASSERT_EQ(human.asked.size(), 1u);
    EXPECT_EQ(human.asked[0].text, L"Invalid data type for 'WallpaperStyle'");
    EXPECT_EQ(human.asked[0].caption, L"Orvane");
    EXPECT_EQ(w.state.undoPath, L"") << "the start-up stopped at the position";

    // The setter writes both values before it reads the current wallpaper, which fails here.
    SetDesktopDword(L"Wallpaper", 7);
    human.answers.push_back(IDOK);
    w.cbxPosition.Pick(kCenter);
    EXPECT_FALSE(RunGuarded([&] { w.btnPositionUpdate.Click(); }));
    ASSERT_EQ(human.asked.size(), 2u);
    EXPECT_EQ(human.asked[1].text, L"Invalid data type for 'Wallpaper'");
    EXPECT_EQ(DesktopValue(L"TileWallpaper"), L"0");
    EXPECT_EQ(DesktopValue(L"WallpaperStyle"), L"0");
    EXPECT_TRUE(w.state.positionChanged) << "the command stopped before it cleared the flag";
    SetDesktopValue(L"Wallpaper", desktopBitmap);
}

// ---- Set Wallpaper and Undo ----

TEST_F(DesktopWallpaperTest, SetWallpaperAppliesTheSelectedEntryAndShowsTheFirstPage) {
    TfrmORV& w = Open();
    std::wstring blue = AddBitmapEntry(w, L"blue.bmp", 40);
    w.lvTSL.Select(0);
    w.ShowPage(2);
    w.aSetWallpaperExecute();
    EXPECT_EQ(DesktopValue(L"Wallpaper"), blue);
    EXPECT_EQ(DesktopValue(L"ConvertedWallpaper"), blue);
    EXPECT_EQ(w.pcTSL.activePage(), 0);
    EXPECT_TRUE(w.state.undo);
    EXPECT_EQ(GetFocus(), w.lvTSL.hwnd());
}

// A JPEG reaches the desktop as a full-size bitmap; ConvertedWallpaper names the original.
TEST_F(DesktopWallpaperTest, SetWallpaperWithAJpegShowsItsBitmap) {
    TfrmORV& w = Open();
    std::wstring jpeg = folder.path() + L"sea.jpg";
    testfiles::EncodeWithWic(jpeg, GUID_ContainerFormatJpeg, 48, 30, [](int, int) { return 0xFF2060C0u; });
    w.lvTSL.Append(L"sea.jpg", {L"none", jpeg});
    w.lvTSL.Select(0);
    w.aSetWallpaperExecute();
    EXPECT_EQ(DesktopValue(L"Wallpaper"), ConvertedBitmapPath());
    EXPECT_EQ(DesktopValue(L"ConvertedWallpaper"), jpeg);
    std::string bitmap = ReadBytes(ConvertedBitmapPath());
    ASSERT_GE(bitmap.size(), 26u);
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
    EXPECT_EQ(*reinterpret_cast<const int32_t*>(bitmap.data() + 18), 48) << "width";
    EXPECT_EQ(std::abs(*reinterpret_cast<const int32_t*>(bitmap.data() + 22)), 30) << "height";
}

// A name the ANSI code page cannot spell reaches the setter in its short form.
TEST_F(DesktopWallpaperTest, SetWallpaperWithANameBeyondTheCodePage) {
    TfrmORV& w = Open();
    std::wstring path = AddBitmapEntry(w, L"\u043C\u043E\u0440\u0435 \u6D77.bmp", 24);
    w.lvTSL.Select(0);
    w.aSetWallpaperExecute();
    std::wstring applied = DesktopValue(L"Wallpaper");
    wchar_t longPath[MAX_PATH];
    DWORD length = GetLongPathNameW(applied.c_str(), longPath, MAX_PATH);
    EXPECT_EQ(std::wstring(longPath, length), path) << Narrow(applied);
}

TEST_F(DesktopWallpaperTest, DoubleClickWithoutSelectionAppliesNothingButAllowsUndo) {
    TfrmORV& w = Open();
    AddBitmapEntry(w, L"blue.bmp", 40);
    w.aSetWallpaper->SetEnabled(false);
    w.lvTSLDblClick();
    EXPECT_EQ(DesktopValue(L"Wallpaper"), desktopBitmap);
    EXPECT_TRUE(w.state.undo);
    w.lvTSL.Select(0);
    w.lvTSLDblClick();
    EXPECT_EQ(DesktopValue(L"Wallpaper"), folder.path() + L"blue.bmp")
        << "the double click ignores the action";
}

TEST_F(DesktopWallpaperTest, UndoAfterTwoWallpapersReturnsToTheStartUpWallpaper) {
    TfrmORV& w = Open();
    std::wstring first = AddBitmapEntry(w, L"first.bmp", 20);
    std::wstring second = AddBitmapEntry(w, L"second.bmp", 30);
    w.lvTSL.Select(0);
    w.aSetWallpaperExecute();
    w.lvTSL.Select(1);
    w.aSetWallpaperExecute();
    ASSERT_EQ(DesktopValue(L"Wallpaper"), second);
    w.aCancelExecute();
    EXPECT_EQ(DesktopValue(L"Wallpaper"), desktopBitmap);
    EXPECT_FALSE(w.state.undo);
    EXPECT_EQ(w.state.undoPath, desktopBitmap) << "the undo path never changes";
}

// ConvertedWallpaper empty at start: Undo applies an empty path, which changes nothing.
TEST_F(DesktopWallpaperTest, UndoWithAnEmptyUndoPathKeepsTheWallpaper) {
    SetDesktopValue(L"ConvertedWallpaper", L"");
    TfrmORV& w = Open();
    std::wstring first = AddBitmapEntry(w, L"first.bmp", 20);
    w.lvTSL.Select(0);
    w.aSetWallpaperExecute();
    w.aCancelExecute();
    EXPECT_EQ(w.state.undoPath, L"");
    EXPECT_EQ(DesktopValue(L"Wallpaper"), first);
    EXPECT_FALSE(w.state.undo);
    SetDesktopValue(L"ConvertedWallpaper", desktopBitmap);
}

// ---- the position box, Update and the setters ----

struct SetterCase {
    void (TfrmORV::*setter)();
    const wchar_t* desktop; // what the desktop settings read afterwards
    int position;
};

TEST_F(DesktopWallpaperTest, EachSetterWritesItsValuesAndReappliesTheWallpaper) {
    const SetterCase cases[] = {
        {&TfrmORV::SetPositionTile, L" | Tile=1 | Style=0", kTile},
        {&TfrmORV::SetPositionStretch, L" | Tile=0 | Style=2", kStretch},
        {&TfrmORV::SetPositionCenter, L" | Tile=0 | Style=0", kCenter},
        {&TfrmORV::tmStretchClick, L" | Tile=0 | Style=2", kStretch},
        {&TfrmORV::tmTileClick, L" | Tile=1 | Style=0", kTile},
        {&TfrmORV::tmCenterClick, L" | Tile=0 | Style=0", kCenter},
    };
    TfrmORV& w = Open();
    for (const SetterCase& c : cases) {
        SCOPED_TRACE(c.position);
        w.state.positionChanged = true;
        w.aUpdatePosition->SetEnabled(true);
        // The setter re-applies what "Wallpaper" names: make ConvertedWallpaper differ to see it.
        SetDesktopValue(L"ConvertedWallpaper", L"C:\\elsewhere.bmp");
        (w.*c.setter)();
        EXPECT_EQ(Desktop(), desktopBitmap + c.desktop);
        EXPECT_EQ(DesktopValue(L"ConvertedWallpaper"), desktopBitmap) << "the wallpaper was applied again";
        EXPECT_EQ(w.cbxPosition.itemIndex(), c.position);
        EXPECT_EQ(w.state.trayPosition, c.position);
        EXPECT_FALSE(w.state.positionChanged);
        EXPECT_TRUE(w.aUpdatePosition->enabled()) << "the setters leave Update to their caller";
    }
}

TEST_F(DesktopWallpaperTest, PickingThePositionInEffectStillEnablesUpdate) {
    TfrmORV& w = Open(); // Center at start
    ASSERT_EQ(w.cbxPosition.itemIndex(), kCenter);
    ASSERT_FALSE(w.aUpdatePosition->enabled());
    w.cbxPosition.Pick(kCenter);
    EXPECT_TRUE(w.aUpdatePosition->enabled());
    EXPECT_TRUE(w.state.positionChanged);
    EXPECT_EQ(Desktop(), desktopBitmap + L" | Tile=0 | Style=0") << "picking alone changes nothing";
}

TEST_F(DesktopWallpaperTest, UpdateAppliesThePickedPositionThroughItsButton) {
    TfrmORV& w = Open();
    w.cbxPosition.Pick(kTile);
    w.btnPositionUpdate.Click();
    EXPECT_EQ(Desktop(), desktopBitmap + L" | Tile=1 | Style=0");
    EXPECT_FALSE(w.aUpdatePosition->enabled());
    EXPECT_FALSE(w.state.positionChanged);
    w.cbxPosition.Pick(kStretch);
    w.btnPositionUpdate.Click();
    EXPECT_EQ(Desktop(), desktopBitmap + L" | Tile=0 | Style=2");
    EXPECT_EQ(w.cbxPosition.itemIndex(), kStretch);
}

TEST_F(DesktopWallpaperTest, UpdateWithNoPositionChosenChangesNothing) {
    TfrmORV& w = Open();
    w.cbxPosition.SetItemIndex(-1);
    w.state.positionChanged = true;
    w.aUpdatePositionExecute();
    EXPECT_EQ(Desktop(), desktopBitmap + L" | Tile=0 | Style=0");
    EXPECT_FALSE(w.aUpdatePosition->enabled());
    EXPECT_FALSE(w.state.positionChanged);
}

// The whole desktop settings key gone: Tile, and empty current and undo paths. Wine keeps a handle
// of its own on the key, which no longer reaches the registry once the key is made anew, so
// SystemParametersInfo stops recording the wallpaper for the rest of the process: this case
// comes last.
TEST_F(DesktopWallpaperTest, MissingDesktopKeyReadsAsTileWithEmptyPaths) {
    const wchar_t kBackup[] = L"Software\\OrvaneTestDesktopBackup";
    {
        RegKey desktop = RegKey::Open(HKEY_CURRENT_USER, kDesktopKey);
        RegKey backup = RegKey::Create(HKEY_CURRENT_USER, kBackup);
        ASSERT_EQ(RegCopyTreeW(desktop.handle(), nullptr, backup.handle()), ERROR_SUCCESS);
    }
    ASSERT_TRUE(RegKey::DeleteTree(HKEY_CURRENT_USER, kDesktopKey));
    TfrmORV& w = Open();
    std::wstring current = L"kept";
    w.GetCurrentWallpaper(current);
    EXPECT_EQ(w.cbxPosition.itemIndex(), kTile);
    EXPECT_EQ(w.state.undoPath, L"");
    EXPECT_EQ(current, L"kept") << "an unopened key leaves the out-parameter as it was";
    Discard();
    {
        RegKey desktop = RegKey::Create(HKEY_CURRENT_USER, kDesktopKey);
        RegKey backup = RegKey::Open(HKEY_CURRENT_USER, kBackup);
        ASSERT_EQ(RegCopyTreeW(backup.handle(), nullptr, desktop.handle()), ERROR_SUCCESS);
    }
    RegKey::DeleteTree(HKEY_CURRENT_USER, kBackup);
}

TEST(WallpaperPositionValues, EachPositionReadsBackAsItself) {
    for (WallpaperPosition p : {kCenter, kTile, kStretch}) {
        PositionValues v = ValuesOfPosition(p);
        EXPECT_EQ(PositionOfValues(v.tileWallpaper, v.wallpaperStyle), p);
    }
}

} // namespace
} // namespace orv::test
