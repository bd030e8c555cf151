// The command state refresh: which commands and controls are enabled for a program state,
// status panel 4, the Context Menu group, and a picture that does not load.
#include <sstream>

#include "platform/AppError.h"
#include "platform/FileIO.h"
#include "unit/preview/PreviewFixture.h"

namespace orv::test {
namespace {

// The error box ends its text with a full stop unless the last character is one at or below it.
std::wstring WithFullStop(const std::wstring& text) {
    return !text.empty() && text.back() <= L'.' ? text : text + L".";
}

class CommandStateTest : public PreviewWindowTest {
  protected:
    // Names of the watched commands and controls that are enabled, in a fixed order.
    static std::wstring EnabledOnes(TfrmORV& w) {
        const std::pair<const wchar_t*, bool> watched[] = {
            {L"aSetWallpaper", w.aSetWallpaper->enabled()},
            {L"aRemoveItem", w.aRemoveItem->enabled()},
            {L"aPreview", w.aPreview->enabled()},
            {L"aAddToCM", w.aAddToCM->enabled()},
            {L"btnAddCMItem", w.btnAddCMItem.enabled()},
            {L"aClearList", w.aClearList->enabled()},
            {L"aSaveList", w.aSaveList->enabled()},
            {L"lblHeader", w.lblHeader.enabled()},
            {L"lblFile", w.lblFile.enabled()},
            {L"edtHeader", w.edtHeader.enabled()},
            {L"edtFile", w.edtFile.enabled()},
            {L"btnBrowse", w.btnBrowse.enabled()},
            {L"lvContextMenu", w.lvContextMenu.enabled()},
            {L"btnRead", w.btnRead.enabled()},
            {L"btnWrite", w.btnWrite.enabled()},
            {L"btnRemoveCMItem", w.btnRemoveCMItem.enabled()},
            {L"aLoadProfile", w.aLoadProfile->enabled()},
            {L"aRemoveProfile", w.aRemoveProfile->enabled()},
            {L"aSaveProfile", w.aSaveProfile->enabled()},
            {L"aCancel", w.aCancel->enabled()},
        };
        std::wstring out;
        for (const auto& [name, enabled] : watched)
            if (enabled) out += (out.empty() ? L"" : L" ") + std::wstring(name);
        return out;
    }

    // Every watched command and control in the opposite state, so that the refresh has to set each.
    static void Invert(TfrmORV& w, bool enabled) {
        for (Action* a : {w.aSetWallpaper, w.aRemoveItem, w.aPreview, w.aAddToCM, w.aClearList, w.aSaveList,
                          w.aLoadProfile, w.aRemoveProfile, w.aSaveProfile, w.aCancel})
            a->SetEnabled(enabled);
        for (Control* c : std::initializer_list<Control*>{
                 &w.btnAddCMItem, &w.lblHeader, &w.lblFile, &w.edtHeader, &w.edtFile, &w.btnBrowse,
                 &w.lvContextMenu, &w.btnRead, &w.btnWrite, &w.btnRemoveCMItem})
            c->SetEnabled(enabled);
    }
};

struct StateCase {
    const char* name;
    int rows; // pictures in the wallpaper list; row k is (40 + k) x 30
    int selectedRow;
    bool listModified, autosave, shell;
    int entries; // context-menu rows
    int selectedEntry;
    bool entriesModified;
    int page;
    int profileRow; // -1 none, 0 the current profile "Home", 1 "Work"
    bool profileModified, undo;
    const wchar_t* enabled; // the watched ones that must be enabled, all others disabled
    const wchar_t* info;    // status panel 4
    size_t entriesAfter;
};

const StateCase kStateCases[] = {
    {"picture selected, shell on, 6 entries, page 0", 3, 0, true, false, true, 6, -1, true, 0, -1, false,
     false,
     L"aSetWallpaper aRemoveItem aPreview aAddToCM btnAddCMItem aClearList aSaveList lblHeader lblFile "
     L"edtHeader "
     L"edtFile btnBrowse lvContextMenu btnRead btnWrite",
     L"40 x 30", 6},
    {"7 entries close every way of adding one", 3, 0, true, false, true, 7, -1, true, 0, -1, false, false,
     L"aSetWallpaper aRemoveItem aPreview aClearList aSaveList lvContextMenu btnRead btnWrite", L"40 x 30",
     7},
    {"Autosave keeps both saves off; shell off empties the entries", 2, 1, true, true, false, 3, 1, true, 0,
     1, true, true, L"aSetWallpaper aRemoveItem aPreview aClearList aLoadProfile aRemoveProfile aCancel",
     L"41 x 30", 0},
    {"page 1 shows the entry's file name; the current profile, changed, can be loaded again", 1, 0, false,
     false, true, 3, 2, false, 1, 0, true, true,
     L"aSetWallpaper aRemoveItem aPreview aAddToCM btnAddCMItem aClearList lblHeader lblFile edtFile "
     L"btnBrowse "
     L"lvContextMenu btnRemoveCMItem aLoadProfile aRemoveProfile aSaveProfile aCancel",
     L"Beach.jpg", 3},
    {"page 3 empties panel 4", 1, 0, false, false, false, 0, -1, false, 3, -1, false, false,
     L"aSetWallpaper aRemoveItem aPreview aClearList", L"", 0},
    {"empty list on page 2: the add button without a picture; the current profile unchanged", 0, -1, true,
     false, true, 2, 1, false, 2, 0, false, false,
     L"btnAddCMItem aSaveList lblHeader lblFile edtHeader edtFile btnBrowse lvContextMenu btnRemoveCMItem "
     L"aRemoveProfile",
     L"", 2},
    {"rows but none selected on page 0", 2, -1, false, true, false, 0, -1, false, 0, 1, false, false,
     L"aClearList aLoadProfile aRemoveProfile", L"", 0},
};

TEST_F(CommandStateTest, EnabledStatesFollowTheProgramState) {
    for (const StateCase& c : kStateCases) {
        SCOPED_TRACE(c.name);
        TfrmORV& w = Open();
        for (int k = 0; k < c.rows; ++k)
            AddRow(w, Bitmap(L"row" + std::to_wstring(k) + L".bmp", 40 + k, 30));
        SelectQuietly(w.lvTSL, c.selectedRow);
        CheckQuietly(w.cbxAutosave, c.autosave);
        CheckQuietly(w.cbxIntegrateIntoShell, c.shell);
        const wchar_t* headers[] = {L"Sea", L"Hills", L"Beach", L"Snow", L"Town", L"Lake", L"Moon"};
        w.lvContextMenu.Clear();
        for (int k = 0; k < c.entries; ++k)
            w.lvContextMenu.Append(headers[k], {L"C:\\pics\\" + std::wstring(headers[k]) + L".jpg"});
        SelectQuietly(w.lvContextMenu, c.selectedEntry);
        w.lvProfiles.Clear();
        w.lvProfiles.Append(L"Home", {L"C:\\p\\Home.ini"});
        w.lvProfiles.Append(L"Work", {L"C:\\p\\Work.ini"});
        SelectQuietly(w.lvProfiles, c.profileRow);
        w.state.currentProfileName = L"Home";
        w.state.listModified = c.listModified;
        w.state.menuEntriesModified = c.entriesModified;
        w.state.profileModified = c.profileModified;
        w.state.undo = c.undo;
        w.pcTSL.SetActivePage(c.page);
        w.sbTSL.SetText(kInfoPanel, L"stale");
        w.edtFile.SetText(L"C:\\pics\\typed.jpg");
        w.edtHeader.SetText(L"typed");
        const std::wstring expected = c.enabled;
        for (bool before : {false, true}) { // whatever the states were before
            Invert(w, before);
            w.RefreshCommandState();
            EXPECT_EQ(EnabledOnes(w), expected)
                << "with everything " << (before ? "enabled" : "disabled") << " before";
        }
        EXPECT_EQ(w.sbTSL.Text(kInfoPanel), c.info);
        EXPECT_EQ(w.lvContextMenu.count(), c.entriesAfter);
        EXPECT_EQ(w.edtFile.text(), c.shell ? L"" : L"C:\\pics\\typed.jpg");
        EXPECT_EQ(w.edtHeader.text(), c.shell ? L"" : L"typed");
        EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{});
        // Commands this refresh never disables.
        for (Action* a : {w.aSaveProfileAs, w.aNewProfile, w.aNewList, w.aOpenList, w.aSaveListAs,
                          w.aAddItems, w.aAddFolder, w.aExit, w.aHide, w.aShow, w.aToolbar, w.aStatusbar,
                          w.aAbout, w.aConfiguration, w.aRemoveFromCM, w.aReadRegValue, w.aWriteRegValue})
            EXPECT_TRUE(a->enabled()) << Narrow(a->name());
        Discard();
    }
}

// The buttons ">>", "Read " and "Apply" are switched off one by one; their actions stay
// available to the code that runs them (ticking Integrate into Shell reads and applies).
TEST_F(CommandStateTest, EntryButtonsAreOffWhileTheirActionsStayRunnable) {
    TfrmORV& w = Open();
    CheckQuietly(w.cbxIntegrateIntoShell, false);
    w.RefreshCommandState();
    EXPECT_FALSE(w.btnRead.enabled());
    EXPECT_FALSE(w.btnWrite.enabled());
    EXPECT_FALSE(w.btnRemoveCMItem.enabled());
    EXPECT_FALSE(IsWindowEnabled(w.btnRead.hwnd()));
    EXPECT_TRUE(w.aReadRegValue->enabled());
    EXPECT_TRUE(w.aWriteRegValue->enabled());
    EXPECT_TRUE(w.aRemoveFromCM->enabled());
}

TEST_F(CommandStateTest, LoadProfileForTheCurrentRowDoesNotDependOnTheRowBefore) {
    TfrmORV& w = Open();
    AddRow(w, Bitmap(L"a.bmp", 20, 10));
    SelectQuietly(w.lvTSL, 0);
    w.lvProfiles.Append(L"Home", {L"C:\\p\\Home.ini"});
    w.lvProfiles.Append(L"Work", {L"C:\\p\\Work.ini"});
    w.state.currentProfileName = L"Home";
    // Through the list's own selection handler, as a user's click does.
    const struct {
        int row;
        bool modified;
        bool loadEnabled;
    } steps[] = {{1, false, true}, {0, false, false}, {0, true, true},
                 {1, true, true},  {-1, true, false}, {0, false, false}};
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "row " << s.row << (s.modified ? ", modified" : ""));
        w.state.profileModified = s.modified;
        w.lvProfiles.Select(s.row);
        w.RefreshCommandState();
        EXPECT_EQ(w.aLoadProfile->enabled(), s.loadEnabled);
        EXPECT_EQ(w.aRemoveProfile->enabled(), s.row >= 0);
    }
    // Exact comparison: another case is another profile.
    w.state.currentProfileName = L"home";
    w.lvProfiles.Select(0);
    w.RefreshCommandState();
    EXPECT_TRUE(w.aLoadProfile->enabled());
}

// A selected picture that does not load ends the refresh at the load: the error box shows the
// loader's text, the pane keeps its picture and everything after the load keeps its state.
TEST_F(CommandStateTest, APictureThatDoesNotLoadEndsTheRefreshThere) {
    TfrmORV& w = Open();
    AddRow(w, Bitmap(L"good.bmp", 64, 48));
    const std::wstring missing = folder.path() + L"gone.jpg";
    AddRow(w, missing);
    CheckQuietly(w.cbxIntegrateIntoShell, true);
    AsUser([&] { w.lvTSL.Select(0); });
    ASSERT_EQ(ErrorBoxes(), std::vector<std::wstring>{});
    ASSERT_EQ(w.sbTSL.Text(kInfoPanel), L"64 x 48");

    // States a complete refresh would change.
    CheckQuietly(w.cbxIntegrateIntoShell, false);
    w.aClearList->SetEnabled(false);
    w.state.undo = true;
    w.aSetWallpaper->SetEnabled(false);
    human.answers.push_back(IDOK);
    AsUser([&] { w.lvTSL.Select(1); });

    const std::wstring text =
        FormatText(L"Cannot open file \"%s\". %s", {missing, SystemErrorText(ERROR_FILE_NOT_FOUND)});
    EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{WithFullStop(text)});
    EXPECT_TRUE(w.aSetWallpaper->enabled()) << "the part of step 1 before the load is done";
    EXPECT_TRUE(w.aAddToCM->enabled()) << "the rest of step 1 keeps its state";
    EXPECT_TRUE(w.btnAddCMItem.enabled());
    EXPECT_FALSE(w.aClearList->enabled());
    EXPECT_FALSE(w.aCancel->enabled());
    EXPECT_EQ(w.sbTSL.Text(kInfoPanel), L"64 x 48");
    EXPECT_EQ(w.previewInfo, L"64 x 48") << "the pane keeps the picture it had";
    EXPECT_TRUE(w.imgPreview.HasPicture());
}

TEST_F(CommandStateTest, AnEntryWithoutAFullPathGivesTheListError) {
    TfrmORV& w = Open();
    w.lvTSL.Append(L"orphan.jpg", {L"none"});
    human.answers.push_back(IDOK);
    AsUser([&] { w.lvTSL.Select(0); });
    EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{L"List index out of bounds (1)"});
}

// With no row selected the pane shows the desktop's wallpaper; a wallpaper that does not load is
// reported like a selected picture.
TEST_F(CommandStateTest, WithoutASelectionThePaneShowsTheDesktopWallpaper) {
    TfrmORV& w = Open();
    EXPECT_EQ(w.previewInfo, L"32 x 24");
    SetDesktopValue(L"Wallpaper", Bitmap(L"other.bmp", 50, 20));
    w.RefreshCommandState();
    EXPECT_EQ(w.previewInfo, L"50 x 20");
    EXPECT_EQ(w.sbTSL.Text(kInfoPanel), L"") << "the size text is for a selected picture only";
    SetDesktopValue(L"Wallpaper", folder.path() + L"gone.bmp");
    w.state.undo = true;
    human.answers.push_back(IDOK);
    AsUser([&] { w.RefreshCommandState(); });
    ASSERT_EQ(ErrorBoxes().size(), 1u);
    EXPECT_EQ(ErrorBoxes()[0].rfind(L"Cannot open file \"" + folder.path() + L"gone.bmp\". ", 0), 0u)
        << Narrow(ErrorBoxes()[0]);
    EXPECT_EQ(w.previewInfo, L"50 x 20");
    EXPECT_FALSE(w.aCancel->enabled()) << "the refresh ended at the load";
}

// No wallpaper on the desktop is an ordinary state: the pane is empty, no error box comes, and
// neither start-up nor any later refresh is cut short.
TEST_F(CommandStateTest, ADesktopWithoutWallpaperGivesAnEmptyPane) {
    SetDesktopValue(L"Wallpaper", L"");
    TfrmORV& w = Open();
    EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{});
    EXPECT_FALSE(w.imgPreview.HasPicture());
    EXPECT_EQ(w.pcTSL.activePage(), 0);
    AddRow(w, Bitmap(L"a.bmp", 20, 10));
    AsUser([&] { w.lvTSL.Select(0); });
    EXPECT_TRUE(w.imgPreview.HasPicture());
    w.state.undo = true;
    AsUser([&] {
        w.lvTSL.Select(-1);
        w.lvTSLClick();
    });
    EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{});
    EXPECT_FALSE(w.imgPreview.HasPicture());
    EXPECT_EQ(w.previewInfo, L"");
    EXPECT_TRUE(w.aCancel->enabled()) << "the refresh ran to its end";
    EXPECT_TRUE(w.aClearList->enabled());
}

TEST_F(CommandStateTest, OnTheConfigurationPageTheEntryListTakesTheFocus) {
    TfrmORV& w = Open();
    w.Show();
    SetForegroundWindow(w.hwnd());
    DrainMessages();
    AddRow(w, Bitmap(L"a.bmp", 20, 10));
    SelectQuietly(w.lvTSL, 0);
    CheckQuietly(w.cbxIntegrateIntoShell, true);
    w.pcTSL.SetActivePage(1);
    w.lvTSL.SetFocus();
    w.RefreshCommandState();
    EXPECT_TRUE(w.lvContextMenu.HasFocus());
    EXPECT_FALSE(w.edtHeader.enabled()) << "no file chosen yet";
}

} // namespace
} // namespace orv::test
