// The five options: how a profile file sets them, the profile-modified flag they toggle, and
// what the start-up loads.
#include <memory>

#include "support/MainWindowFixture.h"

namespace orv::test {
namespace {

class ProfileOptionsTest : public MainWindowTest {
  protected:
    void WriteProfile(const std::wstring& name, const std::string& text) {
        MakeFolder(programFolder + L"Profiles\\" + name);
        WriteBytes(programFolder + L"Profiles\\" + name + L"\\" + name + L".ini", text);
    }
    void WriteDefaultIni(const std::string& name) {
        WriteBytes(programFolder + L"default.ini", "[Profile]\r\nProfileName=" + name + "\r\n");
    }
    // The four boxes that plain files reach, as one text: StartUp Minimize AutoSave SubDir.
    static std::string Boxes(const TfrmORV& w) {
        std::string s;
        for (const CheckBox* box : {&w.cbxStartUp, &w.cbxMinimizeToTray, &w.cbxAutosave, &w.cbxSubDir})
            s += box->checked() ? '1' : '0';
        return s;
    }
    // Counts the click handlers run from now on.
    std::shared_ptr<int> CountClicks(TfrmORV& w) {
        auto count = std::make_shared<int>(0);
        for (CheckBox* box :
             {&w.cbxStartUp, &w.cbxMinimizeToTray, &w.cbxAutosave, &w.cbxSubDir, &w.cbxIntegrateIntoShell}) {
            box->onClick = [count, handler = box->onClick] {
                ++*count;
                handler();
            };
        }
        return count;
    }
};

struct BoolCase {
    const char* stored; // nullptr: the key is missing
    bool withDefaultFalse;
    bool withDefaultTrue;
};

const BoolCase kBoolCases[] = {
    {"1", true, true},      {"2", true, true},     {"-1", true, true},   {"0x10", true, true},
    {"$1F", true, true},    {"0x1", true, true},   {" 1 ", true, true},  {"\"1\"", true, true},
    {"0", false, false},    {"0x0", false, false}, {"-0", false, false}, {"yes", false, true},
    {"true", false, true},  {"", false, true},     {"0x", false, true},  {"1x", false, true},
    {nullptr, false, true},
};

// StartUp and Minimize default to false, SubDir to true; each case goes through a real file.
TEST_F(ProfileOptionsTest, BooleanValuesReadWithTheKeysDefaults) {
    TfrmORV& w = Open();
    w.state.currentProfileName = L"Bools";
    for (const BoolCase& c : kBoolCases) {
        std::string line = c.stored ? std::string(c.stored) : std::string();
        std::string options = c.stored
                                  ? "StartUp=" + line + "\r\nMinimize=" + line + "\r\nSubDir=" + line + "\r\n"
                                  : std::string();
        WriteProfile(L"Bools", "[ProgrammOptions]\r\n" + options + "AutoSave=1\r\n");
        w.LoadProfile();
        std::string expected =
            std::string(c.withDefaultFalse ? "11" : "00") + "1" + (c.withDefaultTrue ? "1" : "0");
        EXPECT_EQ(Boxes(w), expected) << "stored as [" << (c.stored ? c.stored : "missing") << "]";
    }
}

TEST_F(ProfileOptionsTest, ProfileWhoseFileIsGoneLoadsTheDefaultsUnderItsName) {
    WriteDefaultIni("Gone");
    TfrmORV& w = Open();
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Gone");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"No Name");
    EXPECT_EQ(Boxes(w), "0001");
    EXPECT_FALSE(w.cbxIntegrateIntoShell.checked());
    EXPECT_EQ(w.state.currentListPath, L"");
    EXPECT_EQ(human.asked.size(), 0u);
}

TEST_F(ProfileOptionsTest, NotLoadedAndEmptyNamesStartWithoutAProfile) {
    for (const char* name : {"Not Loaded", ""}) {
        WriteDefaultIni(name);
        TfrmORV& w = Open();
        EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Not Loaded") << name;
        EXPECT_EQ(w.state.currentProfileName, L"Not Loaded") << name;
        EXPECT_EQ(Boxes(w), "0001") << name;
        Discard();
    }
}

TEST_F(ProfileOptionsTest, LoadingSetsTheListNameAndPath) {
    WriteProfile(
        L"Holidays",
        "[ProgrammOptions]\r\nStartUp=0\r\nMinimize=0\r\nAutoSave=1\r\nSubDir=1\r\nShell=0\r\n\r\n"
        "[Wallpaper]\r\nWallpaperListName=Summer.lst\r\nWallpaperListPath=\"C:\\Pictures\\Summer.lst\"\r\n");
    TfrmORV& w = Open();
    w.state.currentProfileName = L"Holidays";
    w.LoadProfile();
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Holidays");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"Summer.lst");
    EXPECT_EQ(w.state.currentListPath, L"C:\\Pictures\\Summer.lst") << "one pair of quotes removed";
    EXPECT_EQ(Boxes(w), "0011");
}

// Each change of StartUp, Minimize or SubDir inverts the flag; Autosave never touches it.
struct ToggleCase {
    const char* name;
    std::vector<std::pair<CheckBox TfrmORV::*, bool>> changes;
    bool expected;
};

TEST_F(ProfileOptionsTest, OptionChangesInvertTheProfileModifiedFlag) {
    const ToggleCase cases[] = {
        {"tick StartUp", {{&TfrmORV::cbxStartUp, true}}, true},
        {"tick and clear StartUp", {{&TfrmORV::cbxStartUp, true}, {&TfrmORV::cbxStartUp, false}}, false},
        {"tick StartUp, clear SubDir", {{&TfrmORV::cbxStartUp, true}, {&TfrmORV::cbxSubDir, false}}, false},
        {"tick Minimize", {{&TfrmORV::cbxMinimizeToTray, true}}, true},
        {"tick Autosave", {{&TfrmORV::cbxAutosave, true}}, false},
        {"Autosave around StartUp",
         {{&TfrmORV::cbxAutosave, true}, {&TfrmORV::cbxStartUp, true}, {&TfrmORV::cbxAutosave, false}},
         true},
        {"SubDir set to what it is", {{&TfrmORV::cbxSubDir, true}}, false},
    };
    for (const ToggleCase& c : cases) {
        TfrmORV& w = Open();
        ASSERT_FALSE(w.state.profileModified);
        for (auto [box, checked] : c.changes)
            (w.*box).SetChecked(checked);
        EXPECT_EQ(w.state.profileModified, c.expected) << c.name;
        Discard();
    }
}

TEST_F(ProfileOptionsTest, LoadingEqualValuesRunsNoHandler) {
    WriteProfile(L"Same",
                 "[ProgrammOptions]\r\nStartUp=0\r\nMinimize=0\r\nAutoSave=0\r\nSubDir=1\r\nShell=0\r\n");
    WriteProfile(L"Two", "[ProgrammOptions]\r\nStartUp=1\r\nSubDir=0\r\n");
    TfrmORV& w = Open();
    std::shared_ptr<int> clicks = CountClicks(w);
    w.state.currentProfileName = L"Same";
    w.LoadProfile();
    EXPECT_EQ(*clicks, 0);
    EXPECT_FALSE(w.state.profileModified);
    w.state.currentProfileName = L"Two";
    w.LoadProfile();
    EXPECT_EQ(*clicks, 2);
    EXPECT_FALSE(w.state.profileModified) << "two changes cancel each other";
}

// A profile loaded at start toggles the flag while it loads; start-up ends with it clear.
TEST_F(ProfileOptionsTest, StartUpClearsWhatLoadingToggled) {
    WriteProfile(L"One", "[ProgrammOptions]\r\nMinimize=0\r\nStartUp=1\r\n");
    WriteDefaultIni("One");
    TfrmORV& w = Open();
    EXPECT_EQ(Boxes(w), "1001");
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_FALSE(w.state.listModified);
    EXPECT_FALSE(w.state.undo);
}

TEST_F(ProfileOptionsTest, ResetReturnsTheBoxesAndPanelsOnly) {
    WriteProfile(L"Full", "[ProgrammOptions]\r\nStartUp=1\r\nMinimize=1\r\nAutoSave=1\r\nSubDir=0\r\n"
                          "[Wallpaper]\r\nWallpaperListName=x.lst\r\nWallpaperListPath=C:\\x.lst\r\n");
    TfrmORV& w = Open();
    w.state.currentProfileName = L"Full";
    w.LoadProfile();
    w.lvTSL.Append(L"a.bmp", {L"none", L"C:\\a.bmp"});
    w.state.profileModified = true;
    w.ResetProfile();
    EXPECT_EQ(Boxes(w), "0001");
    EXPECT_EQ(w.lvTSL.count(), 0u);
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Not Loaded");
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"No Name");
    EXPECT_EQ(w.state.currentProfileName, L"Full");
    EXPECT_EQ(w.state.currentListPath, L"C:\\x.lst");
    EXPECT_FALSE(w.state.profileModified) << "three changes that count (Autosave does not) invert it";
}

} // namespace
} // namespace orv::test

namespace orv::test {
namespace {

// A stored Shell option ticks the box while the window starts, so its handler integrates the
// handler library before the window is shown; what that writes is the menu entries' own test.
TEST_F(ProfileOptionsTest, StoredShellOptionIntegratesAtStart) {
    WriteProfile(L"Shell", "[ProgrammOptions]\r\nShell=1\r\n");
    WriteDefaultIni("Shell");
    TfrmORV& w = Open();
    EXPECT_TRUE(w.cbxIntegrateIntoShell.checked());
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_EQ(human.Questions(), std::vector<std::wstring>{});
}

} // namespace
} // namespace orv::test
