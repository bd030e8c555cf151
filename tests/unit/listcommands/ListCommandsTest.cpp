// New List, Open List, Save List, Save List As and the exit-time list save, on a real window with
// real list files: every prompt scenario, the named/unnamed states, the dialogs and the failures.
#include <windows.h>

#include <commdlg.h>

#include <cstring>

#include "ListCommandsSupport.h"
#include "platform/AppError.h"
#include "platform/FileIO.h"
#include "ui/Guard.h"

namespace orv::test {
namespace {

enum class Start {
    NamedModified,      // old.lst, rows "ab" where the file holds "a"
    NamedClean,         // old.lst, rows "a" as in the file
    UnnamedWithEntries, // "No Name", rows "ab", list-modified flag clear
    UnnamedEmpty,       // "No Name", no rows, list-modified flag set
};
enum class Command { NewList, OpenList, SaveList, SaveListAs, ExitSave };
enum class Where { None, Old, Saved, New };

// The script, one letter per question in the order asked: Y/N at the save prompt, S = save dialog
// confirmed with saved.lst, s = save dialog cancelled, O = open dialog confirmed with new.lst
// (holding "c"), o = open dialog cancelled.
struct Scenario {
    const char* name;
    Start start;
    Command command;
    bool autosave;
    const char* script;
    // after
    const char* rows;
    const wchar_t* panel;
    Where path;
    bool listModified, profileModified;
    const char* oldFile;   // old.lst's entries afterwards ("a": untouched)
    const char* savedFile; // saved.lst's entries, or null when it was not written
};

// clang-format off
const Scenario kScenarios[] = {
    // New List
    {"New/named modified/Yes saves to its file", Start::NamedModified, Command::NewList, false, "Y",
     "", L"No Name", Where::Old, false, true, "ab", nullptr},
    {"New/named modified/No discards, flag stays", Start::NamedModified, Command::NewList, false, "N",
     "", L"No Name", Where::Old, true, true, "a", nullptr},
    {"New/named clean/no prompt", Start::NamedClean, Command::NewList, false, "",
     "", L"No Name", Where::Old, false, true, "a", nullptr},
    {"New/unnamed with entries/Yes, Save As", Start::UnnamedWithEntries, Command::NewList, false, "YS",
     "", L"No Name", Where::Saved, false, true, "a", "ab"},
    {"New/unnamed with entries/Yes, Save As cancelled", Start::UnnamedWithEntries, Command::NewList, false, "Ys",
     "", L"No Name", Where::None, false, true, "a", nullptr},
    {"New/unnamed with entries/No", Start::UnnamedWithEntries, Command::NewList, true, "N",
     "", L"No Name", Where::None, false, true, "a", nullptr},
    {"New/unnamed empty/no prompt whatever the flag", Start::UnnamedEmpty, Command::NewList, false, "",
     "", L"No Name", Where::None, true, true, "a", nullptr},
    // Open List
    {"Open/named modified/Yes, opened", Start::NamedModified, Command::OpenList, false, "YO",
     "c", L"new.lst", Where::New, false, true, "ab", nullptr},
    {"Open/named modified/Yes, cancelled: unnamed and empty", Start::NamedModified, Command::OpenList, false, "Yo",
     "", L"No Name", Where::Old, false, true, "ab", nullptr},
    {"Open/named modified/No, opened", Start::NamedModified, Command::OpenList, false, "NO",
     "c", L"new.lst", Where::New, false, true, "a", nullptr},
    {"Open/named modified/No, cancelled: all stays", Start::NamedModified, Command::OpenList, false, "No",
     "ab", L"old.lst", Where::Old, true, true, "a", nullptr},
    {"Open/named clean/no prompt", Start::NamedClean, Command::OpenList, true, "O",
     "c", L"new.lst", Where::New, false, true, "a", nullptr},
    {"Open/unnamed/Yes, Save As, opened", Start::UnnamedWithEntries, Command::OpenList, false, "YSO",
     "c", L"new.lst", Where::New, false, true, "a", "ab"},
    {"Open/unnamed/Yes, Save As, cancelled: named and empty", Start::UnnamedWithEntries, Command::OpenList, false,
     "YSo", "", L"saved.lst", Where::Saved, false, true, "a", "ab"},
    {"Open/unnamed/Yes, Save As cancelled, cancelled: entries gone", Start::UnnamedWithEntries, Command::OpenList,
     false, "Yso", "", L"No Name", Where::None, false, true, "a", nullptr},
    {"Open/unnamed/No, cancelled", Start::UnnamedWithEntries, Command::OpenList, false, "No",
     "ab", L"No Name", Where::None, false, true, "a", nullptr},
    {"Open/unnamed empty/no prompt", Start::UnnamedEmpty, Command::OpenList, false, "O",
     "c", L"new.lst", Where::New, false, true, "a", nullptr},
    // Save List and Save List As
    {"Save/named writes its file", Start::NamedModified, Command::SaveList, false, "",
     "ab", L"old.lst", Where::Old, false, false, "ab", nullptr},
    {"Save/unnamed goes through Save As", Start::UnnamedWithEntries, Command::SaveList, false, "S",
     "ab", L"saved.lst", Where::Saved, false, true, "a", "ab"},
    {"Save As/named, confirmed: the new file", Start::NamedModified, Command::SaveListAs, false, "S",
     "ab", L"saved.lst", Where::Saved, false, true, "a", "ab"},
    {"Save As/cancelled: name kept, flag cleared", Start::NamedModified, Command::SaveListAs, false, "s",
     "ab", L"old.lst", Where::Old, false, true, "a", nullptr},
    // The exit-time save
    {"Exit/named modified/Autosave off, Yes", Start::NamedModified, Command::ExitSave, false, "Y",
     "ab", L"old.lst", Where::Old, false, false, "ab", nullptr},
    {"Exit/named modified/Autosave off, No keeps the file", Start::NamedModified, Command::ExitSave, false, "N",
     "ab", L"old.lst", Where::Old, true, false, "a", nullptr},
    {"Exit/named modified/Autosave on saves unasked", Start::NamedModified, Command::ExitSave, true, "",
     "ab", L"old.lst", Where::Old, false, false, "ab", nullptr},
    {"Exit/named clean/nothing", Start::NamedClean, Command::ExitSave, false, "",
     "a", L"old.lst", Where::Old, false, false, "a", nullptr},
    {"Exit/unnamed/Autosave on still asks, Save As", Start::UnnamedWithEntries, Command::ExitSave, true, "YS",
     "ab", L"saved.lst", Where::Saved, false, true, "a", "ab"},
    {"Exit/unnamed/Yes, Save As cancelled", Start::UnnamedWithEntries, Command::ExitSave, false, "Ys",
     "ab", L"No Name", Where::None, false, true, "a", nullptr},
    {"Exit/unnamed/No", Start::UnnamedWithEntries, Command::ExitSave, false, "N",
     "ab", L"No Name", Where::None, false, false, "a", nullptr},
    {"Exit/unnamed empty/nothing", Start::UnnamedEmpty, Command::ExitSave, false, "",
     "", L"No Name", Where::None, true, false, "a", nullptr},
};
// clang-format on

std::wstring Letters(const char* ascii) {
    return std::wstring(ascii, ascii + strlen(ascii));
}

class ListCommandsTest : public ListWindowTest {
  protected:
    void SetUp() override {
        ListWindowTest::SetUp();
        oldList = folder.path() + L"old.lst";
        newList = folder.path() + L"new.lst";
        savedList = folder.path() + L"saved.lst";
        WriteBytes(oldList, FileOf(L"a"));
        WriteBytes(newList, FileOf(L"c"));
    }

    void Arrange(TfrmORV& w, Start start, bool autosave) {
        w.cbxAutosave.SetChecked(autosave); // its click handler touches the flags: set them after
        bool named = start == Start::NamedModified || start == Start::NamedClean;
        Fill(w, start == Start::NamedClean ? L"a" : start == Start::UnnamedEmpty ? L"" : L"ab");
        w.sbTSL.SetText(kListPanel, named ? L"old.lst" : kNoName);
        w.state.currentListPath = named ? oldList : L"";
        w.state.listModified = start == Start::NamedModified || start == Start::UnnamedEmpty;
        w.state.profileModified = false;
        w.ShowPage(2);
    }

    void Script(const char* script) {
        for (const char* p = script; *p; ++p) {
            switch (*p) {
            case 'Y':
                human.answers.push_back(IDYES);
                break;
            case 'N':
                human.answers.push_back(IDNO);
                break;
            case 'S':
                human.saveAnswers.push_back(savedList);
                break;
            case 's':
                human.saveAnswers.push_back(std::nullopt);
                break;
            case 'O':
                human.openAnswers.push_back(std::vector<std::wstring>{newList});
                break;
            case 'o':
                human.openAnswers.push_back(std::nullopt);
                break;
            }
        }
    }

    // The questions as the script letters' kinds: "Ask Save Open".
    std::string AskedKinds() const {
        std::string out;
        for (const Asked& a : human.asked) {
            if (!out.empty()) out += ' ';
            out += Narrow(a.kind);
        }
        return out;
    }
    static std::string KindsOf(const char* script) {
        std::string out;
        for (const char* p = script; *p; ++p) {
            out += out.empty() ? "" : " ";
            out += *p == 'Y' || *p == 'N' ? "Ask" : *p == 'S' || *p == 's' ? "Save" : "Open";
        }
        return out;
    }

    std::wstring PathOf(Where where) const {
        switch (where) {
        case Where::Old:
            return oldList;
        case Where::Saved:
            return savedList;
        case Where::New:
            return newList;
        default:
            return L"";
        }
    }

    static void Run(TfrmORV& w, Command command) {
        switch (command) {
        case Command::NewList:
            w.aNewList->Execute();
            break;
        case Command::OpenList:
            w.aOpenList->Execute();
            break;
        // Whether Save List is offered is the command state's business; here it is the handler.
        case Command::SaveList:
            w.aSaveListExecute();
            break;
        case Command::SaveListAs:
            w.aSaveListAs->Execute();
            break;
        case Command::ExitSave:
            w.aSaveWallpaperList->Execute();
            break;
        }
    }

    std::wstring oldList, newList, savedList;
};

TEST_F(ListCommandsTest, EveryPromptScenario) {
    TfrmORV& w = Open();
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.name);
        WriteBytes(oldList, FileOf(L"a"));
        DeleteFileW(savedList.c_str());
        w.lvTSL.Clear();
        human.asked.clear();
        Arrange(w, s.start, s.autosave);
        Script(s.script);

        Run(w, s.command);

        EXPECT_EQ(AskedKinds(), KindsOf(s.script));
        for (const Asked& a : human.asked) {
            if (a.kind == L"Ask") {
                EXPECT_EQ(Narrow(a.caption + L": " + a.text), Narrow(kSavePrompt));
            }
        }
        EXPECT_TRUE(human.answers.empty() && human.saveAnswers.empty() && human.openAnswers.empty())
            << "a scripted answer was not asked for";
        human.answers.clear(), human.saveAnswers.clear(), human.openAnswers.clear();

        EXPECT_EQ(Describe(w.lvTSL.rows()), RowsOf(Letters(s.rows)));
        EXPECT_EQ(Narrow(w.sbTSL.Text(kListPanel)), Narrow(s.panel));
        EXPECT_EQ(Narrow(w.state.currentListPath), Narrow(PathOf(s.path)));
        EXPECT_EQ(w.state.listModified, s.listModified);
        EXPECT_EQ(w.state.profileModified, s.profileModified);
        EXPECT_EQ(ReadBytes(oldList), FileOf(Letters(s.oldFile)));
        EXPECT_EQ(ReadBytes(savedList), s.savedFile ? FileOf(Letters(s.savedFile)) : "<missing>");
        EXPECT_EQ(ReadBytes(newList), FileOf(L"c"));
        // Every command but the exit-time save shows the list's page.
        EXPECT_EQ(w.pcTSL.activePage(), s.command == Command::ExitSave ? 2 : 0);
    }
}

TEST_F(ListCommandsTest, TheDialogsAsSetUpAndEachRemembersItsOwnLastPath) {
    TfrmORV& w = Open();
    human.openAnswers.push_back(std::vector<std::wstring>{newList});
    w.aOpenList->Execute();
    human.saveAnswers.push_back(savedList);
    w.aSaveListAs->Execute();
    human.openAnswers.push_back(std::nullopt);
    w.aOpenList->Execute();
    human.saveAnswers.push_back(std::nullopt);
    w.aSaveListAs->Execute();

    ASSERT_EQ(human.openSpecs.size(), 2u);
    ASSERT_EQ(human.saveSpecs.size(), 2u);
    for (const FileDialogSpec& open : human.openSpecs) {
        EXPECT_EQ(Narrow(open.filter), "Wallpapert list (*.lst)|*.lst|All files (*.*)|*.*");
        EXPECT_EQ(Narrow(open.defaultExt), "*.lst");
        EXPECT_EQ(open.options,
                  DWORD(OFN_READONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    }
    for (const FileDialogSpec& save : human.saveSpecs) {
        EXPECT_EQ(Narrow(save.filter), "Wallpaper list (*.lst)|*.lst|All Files (*.*)|*.*");
        EXPECT_EQ(Narrow(save.defaultExt), "*.lst");
        // A new file must be accepted: no OFN_FILEMUSTEXIST for the save dialog.
        EXPECT_EQ(save.options, DWORD(OFN_READONLY | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY |
                                      OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST));
    }
    EXPECT_EQ(Narrow(human.openSpecs[0].initialPath), "");
    EXPECT_EQ(Narrow(human.saveSpecs[0].initialPath), "");
    EXPECT_EQ(Narrow(human.openSpecs[1].initialPath), Narrow(newList));
    EXPECT_EQ(Narrow(human.saveSpecs[1].initialPath), Narrow(savedList));
    EXPECT_EQ(Narrow(w.odTSLPath), Narrow(newList));
    EXPECT_EQ(Narrow(w.sdTSLPath), Narrow(savedList));
}

TEST_F(ListCommandsTest, OpenTakesTheFullFormOfTheChosenPath) {
    TfrmORV& w = Open();
    MakeFolder(folder.path() + L"sub");
    human.openAnswers.push_back(std::vector<std::wstring>{folder.path() + L"sub\\..\\new.lst"});
    w.aOpenList->Execute();
    EXPECT_EQ(Narrow(w.state.currentListPath), Narrow(newList));
    EXPECT_EQ(Narrow(w.sbTSL.Text(kListPanel)), "new.lst");
    EXPECT_EQ(Describe(w.lvTSL.rows()), RowsOf(L"c"));
}

// The list file read as it is, not as the program would write it: entries without sub-items too.
TEST_F(ListCommandsTest, OpenReadsTheFileAsItIs) {
    TfrmORV& w = Open();
    WriteBytes(newList, "\"x.jpg\"\r\nphoto.jpg, none, C:\\My Pictures\\photo.jpg\n\"y.bmp\",,\r");
    human.openAnswers.push_back(std::vector<std::wstring>{newList});
    w.aOpenList->Execute();
    EXPECT_EQ(Describe(w.lvTSL.rows()), "x.jpg\nphoto.jpg | none | C:\\My\ny.bmp |  | \n");
}

TEST_F(ListCommandsTest, AnUnreadableFileLeavesTheListEmptyAndTheRestAsItWas) {
    TfrmORV& w = Open();
    Fill(w, L"ab");
    w.sbTSL.SetText(kListPanel, L"old.lst");
    w.state.currentListPath = oldList;
    w.state.listModified = true;
    w.state.profileModified = false;
    // Another program holds the file open without sharing.
    HANDLE locked = CreateFileW(newList.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    human.answers = {IDNO, IDOK};
    human.openAnswers.push_back(std::vector<std::wstring>{newList});

    bool done = RunGuarded([&] { w.aOpenList->Execute(); });
    CloseHandle(locked);

    EXPECT_FALSE(done);
    ASSERT_EQ(human.asked.size(), 3u);
    EXPECT_EQ(human.asked[0].caption + L": " + human.asked[0].text, kSavePrompt);
    EXPECT_EQ(human.asked[2].caption, L"Orvane");
    EXPECT_EQ(human.asked[2].text,
              WithFullStop(FormatText(L"Cannot open file \"%s\". %s",
                                      {newList, SystemErrorText(ERROR_SHARING_VIOLATION)})));
    EXPECT_EQ(w.lvTSL.count(), 0u);
    EXPECT_EQ(Narrow(w.sbTSL.Text(kListPanel)), "old.lst");
    EXPECT_EQ(Narrow(w.state.currentListPath), Narrow(oldList));
    EXPECT_TRUE(w.state.listModified);
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_EQ(ReadBytes(oldList), FileOf(L"a"));
}

TEST_F(ListCommandsTest, AFailedSaveAsKeepsTheNameThePathAndTheFlags) {
    TfrmORV& w = Open();
    Fill(w, L"ab");
    w.sbTSL.SetText(kListPanel, L"old.lst");
    w.state.currentListPath = oldList;
    w.state.listModified = true;
    w.state.profileModified = false;
    std::wstring nowhere = folder.path() + L"gone\\saved.lst";
    human.saveAnswers.push_back(nowhere);
    human.answers.push_back(IDOK);

    EXPECT_FALSE(RunGuarded([&] { w.aSaveListAs->Execute(); }));

    ASSERT_EQ(human.asked.size(), 2u);
    EXPECT_EQ(human.asked[1].text.rfind(L"Cannot create file \"" + nowhere + L"\". ", 0), 0u)
        << Narrow(human.asked[1].text);
    EXPECT_EQ(Narrow(w.sbTSL.Text(kListPanel)), "old.lst");
    EXPECT_EQ(Narrow(w.state.currentListPath), Narrow(oldList));
    EXPECT_TRUE(w.state.listModified);
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_FALSE(FileExists(nowhere));
    EXPECT_EQ(Describe(w.lvTSL.rows()), RowsOf(L"ab"));
}

TEST_F(ListCommandsTest, AFailedSaveKeepsTheFlagAndTheOldFile) {
    TfrmORV& w = Open();
    Fill(w, L"ab");
    w.sbTSL.SetText(kListPanel, L"old.lst");
    w.state.currentListPath = oldList;
    w.state.listModified = true;
    SetFileAttributesW(oldList.c_str(), FILE_ATTRIBUTE_READONLY);
    human.answers.push_back(IDOK);

    EXPECT_FALSE(RunGuarded([&] { w.aSaveListExecute(); }));
    SetFileAttributesW(oldList.c_str(), FILE_ATTRIBUTE_NORMAL);

    ASSERT_EQ(human.asked.size(), 1u);
    EXPECT_EQ(human.asked[0].text.rfind(L"Cannot create file \"" + oldList + L"\". ", 0), 0u)
        << Narrow(human.asked[0].text);
    EXPECT_TRUE(w.state.listModified);
    EXPECT_EQ(ReadBytes(oldList), FileOf(L"a"));
}

// The whole way out: the exit question, then the list save as the exit save runs it.
TEST_F(ListCommandsTest, ExitWithAutosaveSavesANamedListUnasked) {
    TfrmORV& w = Open();
    w.cbxAutosave.SetChecked(true);
    Fill(w, L"ab");
    w.sbTSL.SetText(kListPanel, L"old.lst");
    w.state.currentListPath = oldList;
    w.state.listModified = true;
    w.state.profileModified = false;
    human.answers.push_back(IDYES);
    EXPECT_TRUE(w.RequestClose());
    EXPECT_EQ(human.Questions(), std::vector<std::wstring>{L"Confirmation: Do you want to exit Orvane?"});
    EXPECT_EQ(ReadBytes(oldList), FileOf(L"ab"));
}

TEST_F(ListCommandsTest, ExitWithAnUnnamedListAsksEvenWithAutosave) {
    TfrmORV& w = Open();
    w.cbxAutosave.SetChecked(true);
    Fill(w, L"a");
    w.state.listModified = false;
    w.state.profileModified = false;
    human.answers = {IDYES, IDNO};
    EXPECT_TRUE(w.RequestClose());
    EXPECT_EQ(human.Questions(),
              (std::vector<std::wstring>{L"Confirmation: Do you want to exit Orvane?", kSavePrompt}));
    EXPECT_EQ(human.saveSpecs.size(), 0u);
}

} // namespace
} // namespace orv::test
