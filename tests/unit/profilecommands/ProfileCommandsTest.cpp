// New, Load, Delete, Save Current and Save Profile As on the real window: the questions asked,
// status panel 1, the current profile name, the flag, the rows, and what lands on disk and in
// the registry.
#include <algorithm>
#include <optional>

#include "platform/AppError.h"
#include "unit/profilecommands/ProfileFixture.h"

namespace orv::test {
namespace {

constexpr int kProfilesPage = 2;

// Names of the folders below Profiles in the program folder.
std::vector<std::wstring> FoldersIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L".." && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> items) {
    std::sort(items.begin(), items.end());
    return items;
}

class ProfileCommandsTest : public ProfileWindowTest {
  protected:
    void SelectProfile(TfrmORV& w, const std::wstring& name) {
        for (size_t i = 0; i < w.lvProfiles.count(); ++i)
            if (w.lvProfiles.rows().Caption(i) == name) w.lvProfiles.Select(static_cast<int>(i));
        ASSERT_GE(w.lvProfiles.selected(), 0) << "no row for " << std::string(name.begin(), name.end());
    }
    std::vector<std::wstring> ProfileFolders() { return FoldersIn(programFolder + L"Profiles"); }
};

// ---- New Profile, and the question it asks first, over every state it can meet ----

struct NewProfileCase {
    const char* label;
    bool loaded;                            // Home is loaded at start
    bool modified;                          // an option was changed since
    std::optional<int> answer;              // to the save question
    std::optional<std::wstring> dialogName; // typed into the name dialog; L"" cancels it
    std::vector<std::wstring> transcript;
    bool homeRewritten;   // Home.ini now holds the changed option
    std::wstring created; // the profile the dialog created, if any
};

void PrintTo(const NewProfileCase& c, std::ostream* out) {
    *out << c.label;
}

class NewProfileTest : public ProfileCommandsTest, public ::testing::WithParamInterface<NewProfileCase> {};

TEST_P(NewProfileTest, AsksAsTheStateRequiresThenStartsWithNoProfile) {
    const NewProfileCase& c = GetParam();
    MakeProfile(L"Home", {}, L"Home.lst", 2);
    if (c.loaded) StartWith(L"Home");
    TfrmORV& w = Open();
    if (c.modified) w.cbxStartUp.SetChecked(true);
    ASSERT_EQ(w.state.profileModified, c.modified);
    if (c.answer) human.answers.push_back(*c.answer);
    if (c.dialogName)
        human.modalScripts.push_back(c.dialogName->empty() ? PressCancel() : TypeAndEnter(*c.dialogName));

    w.aNewProfile->Execute();

    EXPECT_EQ(Transcript(human), c.transcript);
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Not Loaded");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"No Name");
    EXPECT_EQ(w.state.currentProfileName, L"");
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_EQ(w.lvTSL.count(), 0u);
    EXPECT_FALSE(w.cbxStartUp.checked()) << "options back to their defaults";
    EXPECT_TRUE(w.cbxSubDir.checked());
    EXPECT_EQ(w.lvProfiles.selected(), -1);
    EXPECT_EQ(w.pcTSL.activePage(), kProfilesPage);
    EXPECT_EQ(StoredValue(L"Home", L"StartUp"), c.homeRewritten ? L"1" : L"0");

    std::vector<std::wstring> rows = {L"Home = " + ProfileFile(L"Home")};
    std::vector<std::wstring> folders = {L"Home"};
    if (!c.created.empty()) {
        rows.push_back(c.created + L" = " + ProfileFile(c.created));
        folders.push_back(c.created);
        EXPECT_EQ(StoredValue(c.created, L"StartUp"), L"1") << "saved with the options of that moment";
    }
    EXPECT_EQ(Rows(w.lvProfiles), rows);
    EXPECT_EQ(Sorted(StoredProfiles()), Sorted(rows)) << "the registry holds exactly the rows";
    EXPECT_EQ(Sorted(ProfileFolders()), Sorted(folders)) << "New Profile itself creates no folder";
}

const std::wstring kQ = kSaveQuestion;
INSTANTIATE_TEST_SUITE_P(
    States, NewProfileTest,
    ::testing::Values(
        NewProfileCase{"NotLoadedUnmodified", false, false, {}, {}, {}, false, L""},
        NewProfileCase{"NotLoadedModifiedNo", false, true, IDNO, {}, {kQ}, false, L""},
        NewProfileCase{
            "NotLoadedModifiedYesNamed", false, true, IDYES, L"Fresh", {kQ, L"Modal"}, false, L"Fresh"},
        NewProfileCase{"NotLoadedModifiedYesCancelled", false, true, IDYES, L"", {kQ, L"Modal"}, false, L""},
        NewProfileCase{"LoadedUnmodified", true, false, {}, {}, {}, false, L""},
        NewProfileCase{"LoadedModifiedNo", true, true, IDNO, {}, {kQ}, false, L""},
        NewProfileCase{"LoadedModifiedYes", true, true, IDYES, {}, {kQ}, true, L""}),
    [](const ::testing::TestParamInfo<NewProfileCase>& info) { return std::string(info.param.label); });

// ---- Load Profile ----

TEST_F(ProfileCommandsTest, LoadingWithUnsavedChangesWritesTheOldProfileNotTheNewOne) {
    MakeProfile(L"Home");
    MakeProfile(L"Away", {.minimize = true, .subDir = false}, L"Away.lst", 3);
    StartWith(L"Home");
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    const std::string awayBefore = ReadBytes(ProfileFile(L"Away"));
    SelectProfile(w, L"Away");
    ASSERT_TRUE(w.aLoadProfile->enabled());
    human.answers.push_back(IDYES);

    w.aLoadProfile->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{kSaveQuestion});
    EXPECT_EQ(StoredValue(L"Home", L"StartUp"), L"1") << "the profile being left was saved";
    EXPECT_EQ(ReadBytes(ProfileFile(L"Away")), awayBefore) << "the profile being loaded was not written";
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Away");
    EXPECT_EQ(w.state.currentProfileName, L"Away");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"Away.lst");
    EXPECT_EQ(w.state.currentListPath, ListFolder() + L"Away.lst");
    EXPECT_EQ(Captions(w.lvTSL), (std::vector<std::wstring>{L"Away-0.bmp", L"Away-1.bmp", L"Away-2.bmp"}));
    EXPECT_FALSE(w.cbxStartUp.checked());
    EXPECT_TRUE(w.cbxMinimizeToTray.checked());
    EXPECT_FALSE(w.cbxSubDir.checked());
    EXPECT_FALSE(w.state.profileModified) << "loading toggled the flag; the command clears it";
    EXPECT_EQ(w.lvProfiles.selected(), -1);
    EXPECT_EQ(w.pcTSL.activePage(), kProfilesPage);
    EXPECT_FALSE(w.aLoadProfile->enabled()) << "nothing selected any more";
}

TEST_F(ProfileCommandsTest, LoadingAnsweredNoLeavesTheOldProfileFileAlone) {
    MakeProfile(L"Home", {}, L"Home.lst", 2);
    MakeProfile(L"Away");
    StartWith(L"Home");
    TfrmORV& w = Open();
    ASSERT_EQ(w.lvTSL.count(), 2u);
    w.cbxStartUp.SetChecked(true);
    const std::string homeBefore = ReadBytes(ProfileFile(L"Home"));
    SelectProfile(w, L"Away");
    human.answers.push_back(IDNO);

    w.aLoadProfile->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{kSaveQuestion});
    EXPECT_EQ(ReadBytes(ProfileFile(L"Home")), homeBefore);
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Away");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"No Name");
    EXPECT_EQ(w.lvTSL.count(), 0u) << "Home's wallpaper list is discarded";
    EXPECT_FALSE(w.state.profileModified);
}

TEST_F(ProfileCommandsTest, LoadingWithChangesAndNoProfileAsksForANameBeforeLoading) {
    MakeProfile(L"Away", {.minimize = true});
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    SelectProfile(w, L"Away");
    human.answers.push_back(IDYES);
    human.modalScripts.push_back(TypeAndEnter(L"Kept"));

    w.aLoadProfile->Execute();

    EXPECT_EQ(Transcript(human), (std::vector<std::wstring>{kSaveQuestion, L"Modal"}));
    EXPECT_EQ(StoredValue(L"Kept", L"StartUp"), L"1") << "the unsaved options went into the new profile";
    EXPECT_EQ(StoredValue(L"Kept", L"Minimize"), L"0");
    EXPECT_EQ(StoredProfiles(), (std::vector<std::wstring>{L"Away = " + ProfileFile(L"Away"),
                                                           L"Kept = " + ProfileFile(L"Kept")}));
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Away") << "and then the chosen profile was loaded";
    EXPECT_TRUE(w.cbxMinimizeToTray.checked());
    EXPECT_FALSE(w.cbxStartUp.checked());
    EXPECT_FALSE(w.state.profileModified);
}

TEST_F(ProfileCommandsTest, LoadingAProfileWhoseListFileIsGoneStopsAfterTheOptions) {
    MakeProfile(L"Away", {.minimize = true}, L"Away.lst", 1);
    ASSERT_TRUE(DeleteFileW((ListFolder() + L"Away.lst").c_str()));
    TfrmORV& w = Open();
    SelectProfile(w, L"Away");

    try {
        w.aLoadProfile->Execute();
        ADD_FAILURE() << "expected the list file's open error";
    } catch (const AppError& e) {
        EXPECT_NE(std::wstring(e.text()).find(L"Away.lst"), std::wstring::npos);
    }
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Away");
    EXPECT_TRUE(w.cbxMinimizeToTray.checked());
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_EQ(w.lvTSL.count(), 0u);
}

// ---- Delete Profile ----

TEST_F(ProfileCommandsTest, DeletingTheLoadedProfileResetsEverything) {
    MakeProfile(L"Home", {.minimize = true, .subDir = false}, L"Home.lst", 2);
    MakeProfile(L"Away");
    StartWith(L"Home");
    TfrmORV& w = Open();
    ASSERT_EQ(w.lvTSL.count(), 2u);
    SelectProfile(w, L"Home");
    human.answers.push_back(IDYES);

    w.aRemoveProfile->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{kDeleteQuestion});
    EXPECT_FALSE(FolderExists(ProfileFolder(L"Home")));
    EXPECT_TRUE(FileExists(ProfileFile(L"Away")));
    EXPECT_TRUE(FileExists(ListFolder() + L"Home.lst")) << "the list file is not the profile's to delete";
    EXPECT_EQ(Rows(w.lvProfiles), std::vector<std::wstring>{L"Away = " + ProfileFile(L"Away")});
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Away = " + ProfileFile(L"Away")});
    EXPECT_EQ(w.lvTSL.count(), 0u);
    EXPECT_FALSE(w.cbxMinimizeToTray.checked());
    EXPECT_TRUE(w.cbxSubDir.checked());
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Not Loaded");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"No Name");
    EXPECT_EQ(w.state.currentProfileName, L"Not Loaded");
    EXPECT_FALSE(w.state.profileModified) << "the reset toggled the flag; the command clears it";
    EXPECT_EQ(w.pcTSL.activePage(), kProfilesPage);
}

TEST_F(ProfileCommandsTest, DeletingAnotherProfileLeavesTheLoadedOne) {
    MakeProfile(L"Home", {.minimize = true}, L"Home.lst", 2);
    MakeProfile(L"Away");
    StartWith(L"Home");
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    SelectProfile(w, L"Away");
    human.answers.push_back(IDYES);

    w.aRemoveProfile->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{kDeleteQuestion});
    EXPECT_FALSE(FolderExists(ProfileFolder(L"Away")));
    EXPECT_EQ(StoredValue(L"Home", L"StartUp"), L"0") << "the loaded profile is not saved";
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Home = " + ProfileFile(L"Home")});
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Home");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"Home.lst");
    EXPECT_EQ(w.lvTSL.count(), 2u);
    EXPECT_TRUE(w.cbxMinimizeToTray.checked());
    EXPECT_TRUE(w.cbxStartUp.checked());
    EXPECT_EQ(w.state.currentProfileName, L"Away") << "keeps the deleted name until the next command";
    EXPECT_FALSE(w.state.profileModified);
}

TEST_F(ProfileCommandsTest, DeleteAnsweredNoChangesNothing) {
    MakeProfile(L"Home");
    StartWith(L"Home");
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    SelectProfile(w, L"Home");
    human.answers.push_back(IDNO);

    w.aRemoveProfile->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{kDeleteQuestion});
    EXPECT_TRUE(FileExists(ProfileFile(L"Home")));
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Home = " + ProfileFile(L"Home")});
    EXPECT_EQ(Captions(w.lvProfiles), std::vector<std::wstring>{L"Home"});
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Home");
    EXPECT_TRUE(w.state.profileModified);
    EXPECT_EQ(w.pcTSL.activePage(), 0) << "the page changes only once the deletion is confirmed";
}

TEST_F(ProfileCommandsTest, AFolderThatCannotBeRemovedIsReportedAndTheProfileGoesAllTheSame) {
    MakeProfile(L"Away");
    const std::wstring held = ProfileFolder(L"Away") + L"\\held.txt";
    WriteBytes(held, "in use");
    TfrmORV& w = Open();
    SelectProfile(w, L"Away");
    human.answers.insert(human.answers.end(), {IDYES, IDOK, IDOK});
    {
        // Another program holds the file open without letting anyone delete it.
        HANDLE file = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        w.aRemoveProfile->Execute();
        CloseHandle(file);
    }
    EXPECT_EQ(Transcript(human),
              (std::vector<std::wstring>{kDeleteQuestion, L"Orvane: Could NOT delete " + held,
                                         L"Orvane: could not remove"}));
    EXPECT_TRUE(FileExists(held));
    EXPECT_EQ(w.lvProfiles.count(), 0u);
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{});
}

// A subkey can be named what no folder may be; the delete must not reach outside the profile's
// own folder through it.
struct UnsafeNameCase {
    const char* label;
    std::wstring registered; // name of the subkey
    std::wstring keptFile;   // relative to the program folder: must survive
};

void PrintTo(const UnsafeNameCase& c, std::ostream* out) {
    *out << c.label;
}

class UnsafeProfileNameTest : public ProfileCommandsTest,
                              public ::testing::WithParamInterface<UnsafeNameCase> {};

TEST_P(UnsafeProfileNameTest, DeletingLeavesOtherFoldersAlone) {
    const UnsafeNameCase& c = GetParam();
    MakeProfile(L"Other");
    MakeFolder(programFolder + L"Keep");
    WriteBytes(programFolder + L"Keep\\keep.txt", "mine");
    RegKey::Create(HKEY_LOCAL_MACHINE, std::wstring(kProfilesKey) + L"\\" + c.registered)
        .WriteString(L"", L"x");
    TfrmORV& w = Open();
    SelectProfile(w, c.registered);
    human.answers.insert(human.answers.end(), {IDYES, IDOK});

    w.aRemoveProfile->Execute();

    EXPECT_EQ(Transcript(human), (std::vector<std::wstring>{kDeleteQuestion, L"Orvane: could not remove"}));
    EXPECT_TRUE(FileExists(programFolder + c.keptFile));
    EXPECT_EQ(Captions(w.lvProfiles), std::vector<std::wstring>{L"Other"});
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Other = " + ProfileFile(L"Other")});
}

INSTANTIATE_TEST_SUITE_P(
    Names, UnsafeProfileNameTest,
    ::testing::Values(UnsafeNameCase{"UpAndAcross", L"../Keep", L"Keep\\keep.txt"},
                      UnsafeNameCase{"ParentOfAll", L"..", L"Keep\\keep.txt"},
                      UnsafeNameCase{"TrailingDotTwin", L"Other.", L"Profiles\\Other\\Other.ini"}),
    [](const ::testing::TestParamInfo<UnsafeNameCase>& info) { return std::string(info.param.label); });

// ---- Save Current Profile ----

TEST_F(ProfileCommandsTest, SaveCurrentProfileCancelledSavesNothingAndStaysEnabled) {
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    ASSERT_TRUE(w.aSaveProfile->enabled());
    human.modalScripts.push_back(PressCancel());

    w.aSaveProfile->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{L"Modal"});
    EXPECT_FALSE(FolderExists(programFolder + L"Profiles"));
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey)) << "the registry was not written";
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Not Loaded");
    EXPECT_EQ(w.state.currentProfileName, L"Not Loaded");
    EXPECT_TRUE(w.state.profileModified);
    EXPECT_TRUE(w.aSaveProfile->enabled());
    EXPECT_EQ(w.lvProfiles.count(), 0u);
}

TEST_F(ProfileCommandsTest, SaveCurrentProfileWithoutOneNamesCreatesAndRegistersIt) {
    MakeProfile(L"Home");
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    human.modalScripts.push_back(TypeAndEnter(L"Work"));

    w.aSaveProfile->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{L"Modal"});
    EXPECT_EQ(StoredValue(L"Work", L"StartUp"), L"1");
    EXPECT_EQ(IniFile(ProfileFile(L"Work")).ReadString(L"Wallpaper", L"WallpaperListName", L"<none>"),
              L"No Name");
    const std::vector<std::wstring> both = {L"Home = " + ProfileFile(L"Home"),
                                            L"Work = " + ProfileFile(L"Work")};
    EXPECT_EQ(Rows(w.lvProfiles), both);
    EXPECT_EQ(StoredProfiles(), both);
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Work");
    EXPECT_EQ(w.state.currentProfileName, L"Work");
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_FALSE(w.aSaveProfile->enabled());
    EXPECT_EQ(w.pcTSL.activePage(), 0) << "this command does not change the page";
}

TEST_F(ProfileCommandsTest, SaveCurrentProfileRewritesTheLoadedOneWithoutAsking) {
    MakeProfile(L"Home", {}, L"Home.lst", 1);
    StartWith(L"Home");
    TfrmORV& w = Open();
    w.cbxMinimizeToTray.SetChecked(true);

    w.aSaveProfile->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{});
    EXPECT_EQ(StoredValue(L"Home", L"Minimize"), L"1");
    EXPECT_EQ(IniFile(ProfileFile(L"Home")).ReadString(L"Wallpaper", L"WallpaperListPath", L"<none>"),
              ListFolder() + L"Home.lst");
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Home = " + ProfileFile(L"Home")});
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_FALSE(w.aSaveProfile->enabled());
}

// ---- Save Profile As ----

TEST_F(ProfileCommandsTest, SaveProfileAsMakesTheNewNameTheLoadedProfile) {
    MakeProfile(L"Home");
    StartWith(L"Home");
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    const std::string homeBefore = ReadBytes(ProfileFile(L"Home"));
    human.modalScripts.push_back(TypeAndEnter(L"Copy"));

    w.aSaveProfileAs->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{L"Modal"});
    EXPECT_EQ(ReadBytes(ProfileFile(L"Home")), homeBefore) << "the profile loaded before keeps its file";
    EXPECT_EQ(StoredValue(L"Copy", L"StartUp"), L"1");
    EXPECT_EQ(StoredProfiles(), (std::vector<std::wstring>{L"Copy = " + ProfileFile(L"Copy"),
                                                           L"Home = " + ProfileFile(L"Home")}));
    EXPECT_EQ(Captions(w.lvProfiles), (std::vector<std::wstring>{L"Home", L"Copy"}));
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Copy");
    EXPECT_EQ(w.state.currentProfileName, L"Copy");
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_EQ(w.pcTSL.activePage(), kProfilesPage);
}

TEST_F(ProfileCommandsTest, SaveProfileAsCancelledLeavesTheLoadedProfile) {
    MakeProfile(L"Home");
    StartWith(L"Home");
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    human.modalScripts.push_back(PressCancel());

    w.aSaveProfileAs->Execute();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{L"Modal"});
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Home");
    EXPECT_EQ(w.state.currentProfileName, L"");
    EXPECT_TRUE(w.state.profileModified);
    EXPECT_EQ(ProfileFolders(), std::vector<std::wstring>{L"Home"});
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Home = " + ProfileFile(L"Home")});
}

// ---- the exit save asks about the profile after the list and the registry are written ----

TEST_F(ProfileCommandsTest, ExitWithoutAutosaveAsksAndWritesTheLoadedProfile) {
    MakeProfile(L"Home");
    StartWith(L"Home");
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kProfilesKey);
    human.answers.push_back(IDYES);

    w.SaveOnExit();

    EXPECT_EQ(Transcript(human), std::vector<std::wstring>{kSaveQuestion});
    EXPECT_EQ(StoredValue(L"Home", L"StartUp"), L"1");
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Home = " + ProfileFile(L"Home")});
    EXPECT_EQ(IniFile(programFolder + L"default.ini").ReadString(L"Profile", L"ProfileName", L"<none>"),
              L"Home");
}

} // namespace
} // namespace orv::test
