// The Configuration page's menu entries, driven through the page's real controls and actions,
// with the ShellPopup store checked in the real registry after every Apply.
#include <functional>
#include <optional>

#include <windows.h>

#include <commdlg.h> // needs windows.h first

#include "menuentries/ShellIntegration.h"
#include "platform/AppError.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "support/MainWindowFixture.h"
#include "ui/Guard.h"
#include "unit/menuentries/MenuStore.h"

namespace orv::test {
namespace {

using Rows = std::vector<StoredEntry>;

class MenuEntriesTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        a = Picture(L"a.bmp");
        b = Picture(L"b.bmp");
        c = Picture(L"c.bmp");
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        // The folder registration of an Apply with the option on does not depend on the library.
        ClearHandlerIntegration(programFolder);
    }

    std::wstring Picture(const std::wstring& name) {
        WriteBytes(folder / name, BitmapBytes(8, 6));
        return folder / name;
    }

    // The window on its Configuration page with "Integrate into Shell" ticked.
    TfrmORV& OpenWithShellOption() {
        TfrmORV& w = Open();
        w.aConfiguration->Execute();
        w.cbxIntegrateIntoShell.SetChecked(true);
        return w;
    }

    // A new entry as a person makes it: "...", a header (or none), "<<".
    void AddThroughPage(const std::wstring& header, const std::wstring& path) {
        human.openAnswers.push_back(std::vector<std::wstring>{path});
        window->btnBrowse.Click();
        window->edtHeader.SetText(header);
        window->btnAddCMItem.Click();
    }

    void RemoveRow(int row) {
        window->lvContextMenu.Select(row);
        window->lvContextMenuClick(); // the click that selects the row
        window->btnRemoveCMItem.Click();
    }

    void Apply() {
        ASSERT_TRUE(window->btnWrite.enabled()) << "Apply is disabled";
        window->btnWrite.Click();
    }

    std::wstring a, b, c;
};

TEST_F(MenuEntriesTest, ApplyRebuildsTheStoreFromTheRowsAndReadBringsItBack) {
    const struct {
        const char* name;
        std::function<void()> before; // before the window opens
        std::function<void()> edit;   // on the page
        Rows store;                   // after Apply
        Rows read;                    // after Read
    } scenarios[] = {
        {"equal captions: the later path wins",
         {},
         [&] {
             AddThroughPage(L"Sunset", a);
             AddThroughPage(L"Sunset", b);
         },
         {{L"Sunset", b}},
         {{L"Sunset", b}}},
        {"letter-case twins are one subkey",
         {},
         [&] {
             AddThroughPage(L"Sunset", a);
             AddThroughPage(L"SUNSET", b);
         },
         {{L"Sunset", b}},
         {{L"Sunset", b}}},
        {"a backslash nests subkeys",
         {},
         [&] { AddThroughPage(L"Beach\\Night", a); },
         {{L"Beach", L"<missing>"}},
         {{L"Beach", L""}}},
        {"numbered captions repeat after a removal",
         {},
         [&] {
             AddThroughPage(L"", a);
             AddThroughPage(L"", b);
             EXPECT_EQ(RowsOf(window->lvContextMenu), (Rows{{L"Wallpaper1", a}, {L"Wallpaper2", b}}));
             RemoveRow(0);
             AddThroughPage(L"", c);
             EXPECT_EQ(RowsOf(window->lvContextMenu), (Rows{{L"Wallpaper2", b}, {L"Wallpaper2", c}}));
         },
         {{L"Wallpaper2", c}},
         {{L"Wallpaper2", c}}},
        {"no rows remove ShellPopup",
         [&] {
             WriteStoredEntries({{L"Old", a}});
         },
         [&] {
             EXPECT_EQ(RowsOf(window->lvContextMenu), (Rows{{L"Old", a}}));
             RemoveRow(0);
         },
         {},
         {}},
        {"a caption emptied in place names no subkey",
         {},
         [&] {
             AddThroughPage(L"Sunset", a);
             AddThroughPage(L"Moon", b);
             window->lvContextMenu.SetCaption(0, L"");
             window->lvContextMenuEdited();
         },
         {{L"Moon", b}},
         {{L"Moon", b}}},
    };
    for (const auto& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        Discard();
        ClearProductRegistry();
        if (scenario.before) scenario.before();
        OpenWithShellOption();
        scenario.edit();
        Apply();
        EXPECT_EQ(StoredEntries(), scenario.store);
        EXPECT_FALSE(window->state.menuEntriesModified);
        if (scenario.store.empty()) {
            EXPECT_FALSE(StoreExists()) << "ShellPopup is still there";
        }
        if (RegKey store = RegKey::Open(HKEY_LOCAL_MACHINE, kShellPopupKey)) {
            EXPECT_EQ(store.ReadString(L"").value_or(L"<missing>"), L"<missing>")
                << "ShellPopup itself holds a value";
        }
        window->aReadRegValueExecute();
        EXPECT_EQ(RowsOf(window->lvContextMenu), scenario.read);
    }
    // The nested entry keeps its path one level down, where no reader looks for it.
    Discard();
    ClearProductRegistry();
    OpenWithShellOption();
    AddThroughPage(L"Beach\\Night", a);
    Apply();
    EXPECT_EQ(RegKey::Open(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\Beach\\Night")
                  .ReadString(L"")
                  .value_or(L"<missing>"),
              a);
}

TEST_F(MenuEntriesTest, ReadTakesTheRegistryOrderNotTheOrderWritten) {
    OpenWithShellOption();
    AddThroughPage(L"Zebra", a);
    AddThroughPage(L"apple", b);
    AddThroughPage(L"Mango", c);
    Apply();
    const Rows stored = StoredEntries();
    ASSERT_EQ(stored.size(), 3u);
    window->aReadRegValueExecute();
    EXPECT_EQ(RowsOf(window->lvContextMenu), stored);
}

TEST_F(MenuEntriesTest, TheTwoFieldsDecideTheNewEntry) {
    using Answer = std::optional<std::vector<std::wstring>>;
    const struct {
        const char* name;
        std::wstring header, file;
        std::optional<Answer> dialog; // no value: the dialog must not open
        Rows appended;
    } cases[] = {
        {"header and file", L"Sunset", a, std::nullopt, {{L"Sunset", a}}},
        {"header, no file, OK", L"Sunset", L"", Answer(std::vector<std::wstring>{b, c}), {{L"Sunset", b}}},
        {"header, no file, Cancel", L"Sunset", L"", Answer{}, {}},
        {"file, no header", L"", a, std::nullopt, {{L"Wallpaper2", a}}},
        {"neither, OK", L"", L"", Answer(std::vector<std::wstring>{b, c}), {{L"Wallpaper2", b}}},
        {"neither, Cancel", L"", L"", Answer{}, {}},
    };
    TfrmORV& w = OpenWithShellOption();
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        w.lvContextMenu.Clear();
        w.lvContextMenu.Append(L"First", {a});
        w.state.menuEntriesModified = false;
        human.openSpecs.clear();
        if (test.dialog) human.openAnswers.push_back(*test.dialog);
        w.edtFile.SetEnabled(true);
        w.edtFile.SetText(test.file);
        w.edtHeader.SetEnabled(true);
        w.edtHeader.SetText(test.header);

        w.btnAddCMItemClick();

        Rows expected = {{L"First", a}};
        expected.insert(expected.end(), test.appended.begin(), test.appended.end());
        EXPECT_EQ(RowsOf(w.lvContextMenu), expected);
        EXPECT_TRUE(w.state.menuEntriesModified) << "the flag stays clear";
        ASSERT_EQ(human.openSpecs.size(), test.dialog ? 1u : 0u) << "picture dialogs opened";
        if (test.dialog) {
            const FileDialogSpec& dialog = human.openSpecs[0];
            EXPECT_EQ(dialog.filter,
                      L"All (*.jpg;*.jpeg;*.bmp;)|*.jpg;*.jpeg;*.bmp;|JPEG Image File (*.jpg)|*.jpg|"
                      L"JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
            EXPECT_EQ(dialog.defaultExt, L"*.jpg");
            EXPECT_EQ(dialog.initialPath, L"");
            EXPECT_EQ(dialog.options,
                      static_cast<DWORD>(OFN_READONLY | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                                         OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
            EXPECT_EQ(dialog.bufferChars, 65519u);
        }
        EXPECT_EQ(w.edtFile.text(), L"") << "the refresh empties the fields";
        EXPECT_EQ(w.edtHeader.text(), L"");
    }
}

TEST_F(MenuEntriesTest, EnterInTheHeaderFieldAddsAndOtherKeysDoNot) {
    TfrmORV& w = OpenWithShellOption();
    human.openAnswers.push_back(std::vector<std::wstring>{a});
    w.btnBrowse.Click();
    w.edtHeader.SetText(L"Moon");
    w.edtHeader.KeyDown('A');
    w.edtHeader.KeyDown(VK_TAB);
    EXPECT_EQ(RowsOf(w.lvContextMenu), Rows{});
    w.edtHeader.KeyDown(VK_RETURN);
    EXPECT_EQ(RowsOf(w.lvContextMenu), (Rows{{L"Moon", a}}));
    EXPECT_TRUE(w.state.menuEntriesModified);
}

TEST_F(MenuEntriesTest, CancelledDialogAddsNothingButEnablesReadAndApply) {
    TfrmORV& w = OpenWithShellOption();
    ASSERT_FALSE(w.state.menuEntriesModified);
    EXPECT_FALSE(w.btnRead.enabled());
    EXPECT_FALSE(w.btnWrite.enabled());
    human.openAnswers.push_back(std::nullopt);
    w.btnAddCMItem.Click();
    EXPECT_EQ(RowsOf(w.lvContextMenu), Rows{});
    EXPECT_TRUE(w.state.menuEntriesModified);
    EXPECT_TRUE(w.btnRead.enabled());
    EXPECT_TRUE(w.btnWrite.enabled());
}

TEST_F(MenuEntriesTest, BrowseClearsTheFlagWithoutRefreshing) {
    TfrmORV& w = OpenWithShellOption();
    AddThroughPage(L"Sunset", a);
    ASSERT_TRUE(w.state.menuEntriesModified);

    human.openAnswers.push_back(std::vector<std::wstring>{b, c});
    w.btnBrowse.Click();
    EXPECT_FALSE(w.state.menuEntriesModified);
    EXPECT_EQ(w.edtFile.text(), b) << "the first chosen file";
    EXPECT_TRUE(w.edtFile.enabled());
    EXPECT_TRUE(w.edtHeader.enabled());
    EXPECT_TRUE(w.btnWrite.enabled()) << "Apply stays enabled until the next refresh";

    human.openAnswers.push_back(std::nullopt);
    w.btnBrowse.Click();
    EXPECT_EQ(w.edtFile.text(), b) << "a cancelled dialog keeps the field";
    EXPECT_FALSE(w.state.menuEntriesModified);
    w.lvContextMenuClick();
    EXPECT_FALSE(w.btnWrite.enabled()) << "after a refresh Apply waits for the next edit";
    EXPECT_FALSE(w.btnRead.enabled());
    EXPECT_EQ(StoredEntries(), Rows{}) << "nothing reached the store without Apply";
}

TEST_F(MenuEntriesTest, SevenRowsStopEveryWayToAdd) {
    TfrmORV& w = OpenWithShellOption();
    w.lvTSL.Append(L"c.bmp", {L"none", c});
    w.lvTSL.Select(0);
    for (int i = 0; i < 6; ++i)
        AddThroughPage(L"", a);
    EXPECT_TRUE(w.aAddToCM->enabled()) << "six rows and a picture selected";
    EXPECT_TRUE(w.btnAddCMItem.enabled());
    AddThroughPage(L"", a);
    ASSERT_EQ(w.lvContextMenu.count(), 7u);
    Apply();
    ASSERT_FALSE(w.state.menuEntriesModified);

    for (Control* control :
         std::initializer_list<Control*>{&w.btnAddCMItem, &w.btnAddToContextMenu, &w.btnBrowse, &w.edtFile,
                                         &w.edtHeader, &w.lblFile, &w.lblHeader})
        EXPECT_FALSE(control->enabled()) << "a means of adding is still enabled";
    EXPECT_FALSE(w.aAddToCM->enabled());

    // The handlers themselves refuse an eighth, whatever the fields hold.
    w.edtFile.SetText(b);
    w.edtHeader.SetText(L"Eighth");
    w.btnAddCMItemClick();
    w.edtHeader.KeyDown(VK_RETURN);
    w.edtFile.SetText(L"");
    w.btnAddCMItemClick(); // would open the dialog
    EXPECT_EQ(w.lvContextMenu.count(), 7u);
    EXPECT_FALSE(w.state.menuEntriesModified) << "a refused add changes nothing";
    EXPECT_EQ(human.openSpecs.size(), 7u) << "a picture dialog opened for an eighth";
    EXPECT_EQ(StoredEntries().size(), 7u);
}

TEST_F(MenuEntriesTest, AddToContextMenuNumbersTheSelectedPictureByFullPath) {
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folder.path().c_str());
    TfrmORV& w = OpenWithShellOption();
    w.lvTSL.Append(L"a.bmp", {L"none", a});
    w.lvTSL.Append(L"b.bmp", {L"none", L"b.bmp"}); // a path relative to the current folder
    w.lvTSL.Select(0);
    w.aAddToCM->Execute();
    w.lvTSL.Select(1);
    w.aAddToCM->Execute();
    EXPECT_EQ(RowsOf(w.lvContextMenu), (Rows{{L"Wallpaper1", a}, {L"Wallpaper2", b}}));
    EXPECT_TRUE(w.state.menuEntriesModified);
    Apply();
    EXPECT_EQ(StoredEntries(), (Rows{{L"Wallpaper1", a}, {L"Wallpaper2", b}}));
    Discard(); // the preview of the relative entry needs the folder until the window is gone
    SetCurrentDirectoryW(previous);
}

TEST_F(MenuEntriesTest, TurningTheOptionOffAndOnBringsBackTheSameEntries) {
    TfrmORV& w = OpenWithShellOption();
    AddThroughPage(L"Sunset", a);
    AddThroughPage(L"Moon", b);
    Apply();
    AddThroughPage(L"Star", c); // pending: turning the option off writes it too

    w.cbxIntegrateIntoShell.SetChecked(false);
    EXPECT_EQ(RowsOf(w.lvContextMenu), Rows{}) << "the list is empty while the option is off";
    EXPECT_FALSE(w.btnWrite.enabled());
    const Rows stored = StoredEntries();
    EXPECT_EQ(stored.size(), 3u);

    w.cbxIntegrateIntoShell.SetChecked(true);
    EXPECT_EQ(RowsOf(w.lvContextMenu), stored);
    EXPECT_EQ(StoredEntries(), stored);
    EXPECT_FALSE(w.state.menuEntriesModified);
}

TEST_F(MenuEntriesTest, ANonTextValueStopsReadKeepingTheRowsReadSoFar) {
    TfrmORV& w = OpenWithShellOption();
    AddThroughPage(L"Pending", a);
    WriteStoredEntries({{L"Alpha", a}, {L"Beta", b}, {L"Gamma", c}});
    RegKey::Open(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\Beta").WriteDword(L"", 7);
    ASSERT_EQ(RegKey::Open(HKEY_LOCAL_MACHINE, kShellPopupKey).SubkeyNames(),
              (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));

    human.answers.push_back(IDOK);
    EXPECT_FALSE(RunGuarded([&] { w.btnRead.Click(); }));
    EXPECT_EQ(human.Questions(), std::vector<std::wstring>{L"Orvane: Invalid data type for ''"});
    EXPECT_EQ(RowsOf(w.lvContextMenu), (Rows{{L"Alpha", a}}));
    EXPECT_TRUE(w.state.menuEntriesModified) << "a failed read leaves the flag";
}

TEST_F(MenuEntriesTest, AStoreOfMoreThanSevenIsReadWholeAndBlocksAddingUntilRowsGo) {
    Rows many;
    for (int i = 1; i <= 9; ++i)
        many.push_back({L"Entry" + std::to_wstring(i), a});
    WriteStoredEntries(many);
    TfrmORV& w = OpenWithShellOption();
    EXPECT_EQ(RowsOf(w.lvContextMenu), many);
    EXPECT_EQ(StoredEntries(), many) << "turning the option on rewrites the same store";
    w.lvTSL.Append(L"c.bmp", {L"none", c});
    w.lvTSL.Select(0);
    EXPECT_FALSE(w.aAddToCM->enabled());
    EXPECT_FALSE(w.btnAddCMItem.enabled());
    for (int i = 0; i < 3; ++i)
        RemoveRow(0);
    EXPECT_EQ(w.lvContextMenu.count(), 6u);
    EXPECT_TRUE(w.aAddToCM->enabled());
    EXPECT_TRUE(w.btnAddCMItem.enabled());
    w.aAddToCM->Execute();
    EXPECT_EQ(RowsOf(w.lvContextMenu).back(), (StoredEntry{L"Wallpaper7", c}));
}

TEST_F(MenuEntriesTest, HandlerPathReachesVelkorInTextItCanSpell) {
    const std::wstring plain = folder / L"Plain\\";
    EXPECT_EQ(HandlerLibraryPathForVelkor(plain), Narrow(plain) + "orvmenu.dll");

    // Letters outside the ANSI code page: the short form, which names the same file.
    const std::wstring foreign = folder / L"\u0416\u4e2d\u05d0\\";
    MakeFolder(foreign);
    WriteBytes(foreign + L"orvmenu.dll", "MZ");
    const std::string passed = HandlerLibraryPathForVelkor(foreign);
    EXPECT_EQ(passed.find('?'), std::string::npos) << passed;
    wchar_t longPath[MAX_PATH * 2] = {};
    GetLongPathNameW(AnsiToWide(passed).c_str(), longPath, MAX_PATH * 2);
    EXPECT_EQ(Narrow(longPath), Narrow(foreign + L"orvmenu.dll"));
}

} // namespace
} // namespace orv::test
