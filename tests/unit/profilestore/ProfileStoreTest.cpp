// The profile file, default.ini, the Profiles key and the Run value, read back from the real
// files and the Wine registry; and a profile carried from one run of the window to the next.
#include <algorithm>
#include <sstream>

#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "support/MainWindowFixture.h"
#include "ui/Guard.h"

namespace orv::test {
namespace {

class ProfileStoreTest : public MainWindowTest {
  protected:
    std::wstring ProfileFolder(const std::wstring& name) { return programFolder + L"Profiles\\" + name; }
    static std::wstring ProfileKey(const std::wstring& name) {
        return std::wstring(kProfilesKey) + L"\\" + name;
    }
    static std::vector<std::wstring> Rows(const ListView& view) {
        std::vector<std::wstring> rows;
        for (size_t i = 0; i < view.count(); ++i)
            rows.push_back(std::wstring(view.rows().Caption(i)) + L" = " +
                           std::wstring(view.rows().SubItemCount(i) ? view.rows().SubItem(i, 0) : L"<none>"));
        return rows;
    }
    // Each subkey of Profiles as "name = default value".
    static std::vector<std::wstring> StoredProfiles() {
        std::vector<std::wstring> stored;
        RegKey profiles = RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey);
        for (const std::wstring& name : profiles.SubkeyNames())
            stored.push_back(
                name + L" = " +
                RegKey::Open(HKEY_LOCAL_MACHINE, ProfileKey(name)).ReadString(L"").value_or(L"<none>"));
        return stored;
    }
    static std::wstring RunValue() {
        return RegKey::Open(HKEY_LOCAL_MACHINE, kRunKey).ReadString(L"TSL.exe").value_or(L"<missing>");
    }
};

// The file's lines without the blank ones the INI writer may put between sections.
std::string WithoutBlankLines(const std::string& text) {
    std::string out, line;
    std::istringstream in(text);
    while (std::getline(in, line))
        if (line != "\r" && !line.empty()) out += line + "\n";
    return out;
}

TEST_F(ProfileStoreTest, SavedProfileFileIsTheWorkedExample) {
    TfrmORV& w = Open();
    MakeFolder(ProfileFolder(L"Holidays"));
    w.cbxMinimizeToTray.SetChecked(true);
    w.cbxAutosave.SetChecked(true);
    w.sbTSL.SetText(kListPanel, L"Summer.lst");
    w.state.currentListPath = L"C:\\Pictures\\Summer.lst";
    w.state.currentProfileName = L"Holidays";
    w.SaveProfile();
    std::string bytes = ReadBytes(ProfileFolder(L"Holidays") + L"\\Holidays.ini");
    EXPECT_EQ(
        WithoutBlankLines(bytes),
        "[ProgrammOptions]\r\nStartUp=0\r\nMinimize=1\r\nAutoSave=1\r\nSubDir=1\r\nShell=0\r\n"
        "[Wallpaper]\r\nWallpaperListName=Summer.lst\r\nWallpaperListPath=C:\\Pictures\\Summer.lst\r\n");
    EXPECT_EQ(bytes.find("\r\n\r\n\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.substr(0, 1), "[") << "8-bit text, no byte order mark";
}

TEST_F(ProfileStoreTest, SavingWithNoListFileEmptiesTheListPath) {
    TfrmORV& w = Open();
    MakeFolder(ProfileFolder(L"Plain"));
    w.state.currentListPath = L"C:\\old.lst";
    w.state.currentProfileName = L"Plain";
    ASSERT_EQ(w.sbTSL.Text(kListPanel), L"No Name");
    w.SaveProfile();
    EXPECT_EQ(w.state.currentListPath, L"");
    IniFile ini(ProfileFolder(L"Plain") + L"\\Plain.ini");
    EXPECT_EQ(ini.ReadString(L"Wallpaper", L"WallpaperListName", L"<none>"), L"No Name");
    EXPECT_EQ(ini.ReadString(L"Wallpaper", L"WallpaperListPath", L"<none>"), L"");
}

TEST_F(ProfileStoreTest, SavingIntoAMissingFolderFailsAtTheFirstKey) {
    TfrmORV& w = Open();
    w.state.currentProfileName = L"Nowhere";
    human.answers.push_back(IDOK);
    EXPECT_FALSE(RunGuarded([&] { w.SaveProfile(); }));
    ASSERT_EQ(human.asked.size(), 1u);
    EXPECT_EQ(human.asked[0].text, L"Unable to write to " + ProfileFolder(L"Nowhere") + L"\\Nowhere.ini.");
    EXPECT_FALSE(FolderExists(ProfileFolder(L"Nowhere")));
}

TEST_F(ProfileStoreTest, CreateProfileMakesTheRowTheFolderAndTheFile) {
    TfrmORV& w = Open();
    w.state.currentProfileName = L"Winter";
    w.CreateProfile();
    std::wstring file = ProfileFolder(L"Winter") + L"\\Winter.ini";
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Winter");
    EXPECT_EQ(Rows(w.lvProfiles), std::vector<std::wstring>{L"Winter = " + file});
    EXPECT_EQ(IniFile(file).ReadString(L"ProgrammOptions", L"SubDir", L"<none>"), L"1");
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey)) << "the callers write the list";
}

TEST_F(ProfileStoreTest, DefaultIniNamesTheProfileWhateverItIs) {
    TfrmORV& w = Open();
    IniFile ini(programFolder + L"default.ini");
    for (const wchar_t* name : {L"Holidays", L"Not Loaded", L""}) {
        w.state.currentProfileName = name;
        w.WriteDefaultProfileName();
        EXPECT_EQ(ini.ReadString(L"Profile", L"ProfileName", L"<none>"), name);
        w.state.currentProfileName = L"something else";
        w.ReadDefaultProfileName();
        EXPECT_EQ(w.state.currentProfileName, name);
    }
    DeleteFileW(ini.path().c_str());
    w.ReadDefaultProfileName();
    EXPECT_EQ(w.state.currentProfileName, L"") << "no default.ini";
}

// ---- the Profiles key ----

TEST_F(ProfileStoreTest, ProfileListRoundTripsThroughTheRegistry) {
    TfrmORV& w = Open();
    w.lvProfiles.Append(L"Beta", {L"C:\\b.ini"});
    w.lvProfiles.Append(L"Alpha", {L"C:\\a.ini"});
    w.lvProfiles.Append(L"Gamma", {L""});
    w.aWriteProfileList->Execute();
    std::vector<std::wstring> stored = StoredProfiles();
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::wstring>{L"Alpha = C:\\a.ini", L"Beta = C:\\b.ini", L"Gamma = "}));
    w.lvProfiles.Clear();
    w.aReadProfileList->Execute();
    EXPECT_EQ(Rows(w.lvProfiles), StoredProfiles()) << "rows in the registry's order";
    EXPECT_EQ(w.lvProfiles.count(), 3u);
}

TEST_F(ProfileStoreTest, WritingNoRowsLeavesNoProfilesKey) {
    RegKey::Create(HKEY_LOCAL_MACHINE, ProfileKey(L"Old\\Deeper")).WriteString(L"", L"x");
    TfrmORV& w = Open();
    ASSERT_EQ(w.lvProfiles.count(), 1u);
    w.lvProfiles.Clear();
    w.aWriteProfileList->Execute();
    EXPECT_FALSE(RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey));
    EXPECT_TRUE(RegKey::Open(HKEY_LOCAL_MACHINE, kProductKey)) << "only the Profiles key goes";
}

TEST_F(ProfileStoreTest, WritingReplacesTheWholeList) {
    RegKey::Create(HKEY_LOCAL_MACHINE, ProfileKey(L"Gone")).WriteString(L"", L"C:\\gone.ini");
    TfrmORV& w = Open();
    w.lvProfiles.Clear();
    w.lvProfiles.Append(L"Kept", {L"C:\\kept.ini"});
    w.lvProfiles.Append(L"", {L"C:\\nameless.ini"});   // would write the Profiles key's own value
    w.lvProfiles.Append(L"a\\b", {L"C:\\nested.ini"}); // would make a key below another
    w.aWriteProfileList->Execute();
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Kept = C:\\kept.ini"});
    EXPECT_EQ(RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey).ReadString(L"").value_or(L"<none>"), L"<none>");
}

TEST_F(ProfileStoreTest, SubkeyWithoutDefaultValueListsAnEmptyPathAndWritesOneBack) {
    RegKey::Create(HKEY_LOCAL_MACHINE, ProfileKey(L"Bare"));
    TfrmORV& w = Open();
    EXPECT_EQ(Rows(w.lvProfiles), std::vector<std::wstring>{L"Bare = "});
    w.aWriteProfileList->Execute();
    EXPECT_EQ(StoredProfiles(), std::vector<std::wstring>{L"Bare = "});
}

// A default value that is no text stops the read there; the rows before it stay.
TEST_F(ProfileStoreTest, DefaultValueOfAnotherTypeStopsTheRead) {
    TfrmORV& w = Open();
    for (const wchar_t* name : {L"A", L"B", L"C"})
        RegKey::Create(HKEY_LOCAL_MACHINE, ProfileKey(name))
            .WriteString(L"", std::wstring(L"C:\\") + name + L".ini");
    std::vector<std::wstring> order = RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey).SubkeyNames();
    ASSERT_EQ(order.size(), 3u);
    RegKey::Create(HKEY_LOCAL_MACHINE, ProfileKey(order[1])).WriteDword(L"", 5);
    human.answers.push_back(IDOK);
    EXPECT_FALSE(RunGuarded([&] { w.aReadProfileList->Execute(); }));
    EXPECT_EQ(human.Questions(), std::vector<std::wstring>{L"Orvane: Invalid data type for ''"});
    EXPECT_EQ(Rows(w.lvProfiles), std::vector<std::wstring>{order[0] + L" = C:\\" + order[0] + L".ini"});
}

// ---- the Run value ----

TEST_F(ProfileStoreTest, RunValueIsTheQuotedProgramPathAndGoesWhenCleared) {
    RegKey::Create(HKEY_LOCAL_MACHINE, kRunKey);
    TfrmORV& w = Open();
    w.cbxStartUp.SetChecked(true);
    w.aStartUp->Execute();
    EXPECT_EQ(RunValue(), L"\"" + programFolder + L"ORV.exe\"");
    w.cbxStartUp.SetChecked(false);
    w.aStartUp->Execute();
    EXPECT_EQ(RunValue(), L"<missing>");
    // A value written unquoted by an earlier version goes just the same.
    RegKey::Open(HKEY_LOCAL_MACHINE, kRunKey).WriteString(L"TSL.exe", programFolder + L"ORV.exe");
    w.aStartUp->Execute();
    EXPECT_EQ(RunValue(), L"<missing>");
    EXPECT_EQ(human.asked.size(), 0u);
}

// ---- from one run to the next ----

TEST_F(ProfileStoreTest, SavedProfileIsLoadedAtTheNextStart) {
    RegKey::Create(HKEY_LOCAL_MACHINE, kRunKey);
    std::wstring listPath = folder.path() + L"Trip.lst";
    std::wstring picture = folder.path() + L"beach.bmp";
    WriteBytes(picture, BitmapBytes(8, 8));
    {
        TfrmORV& w = Open();
        w.lvTSL.Append(L"beach.bmp", {L"none", picture});
        w.sbTSL.SetText(kListPanel, L"Trip.lst");
        w.state.currentListPath = listPath;
        w.SaveListFile();
        w.cbxStartUp.SetChecked(true);
        w.cbxAutosave.SetChecked(true);
        w.cbxSubDir.SetChecked(false);
        w.state.currentProfileName = L"Trip";
        w.CreateProfile();
        human.answers.push_back(IDYES); // "Do you want to exit Orvane?"
        w.aExitExecute();
        ASSERT_FALSE(IsWindow(w.hwnd()));
        Discard();
    }
    EXPECT_EQ(IniFile(programFolder + L"default.ini").ReadString(L"Profile", L"ProfileName", L""), L"Trip");
    EXPECT_EQ(StoredProfiles(),
              std::vector<std::wstring>{L"Trip = " + ProfileFolder(L"Trip") + L"\\Trip.ini"});
    EXPECT_EQ(RunValue(), L"\"" + programFolder + L"ORV.exe\"");

    TfrmORV& w = Open();
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Trip");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"Trip.lst");
    EXPECT_EQ(w.state.currentProfileName, L"Trip");
    EXPECT_EQ(w.state.currentListPath, listPath);
    EXPECT_TRUE(w.cbxStartUp.checked());
    EXPECT_TRUE(w.cbxAutosave.checked());
    EXPECT_FALSE(w.cbxSubDir.checked());
    EXPECT_FALSE(w.cbxMinimizeToTray.checked());
    EXPECT_FALSE(w.cbxIntegrateIntoShell.checked());
    EXPECT_FALSE(w.state.profileModified) << "loading toggled it; start-up clears it";
    EXPECT_EQ(Rows(w.lvProfiles),
              std::vector<std::wstring>{L"Trip = " + ProfileFolder(L"Trip") + L"\\Trip.ini"});
    ASSERT_EQ(w.lvTSL.count(), 1u);
    EXPECT_EQ(w.lvTSL.rows().SubItem(0, 1), picture);
    EXPECT_EQ(human.Questions(), std::vector<std::wstring>{L"Confirmation: Do you want to exit Orvane?"});
}

} // namespace
} // namespace orv::test
