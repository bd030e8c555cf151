// Start-up, activation and the way out: the exit question, the exit save, errors on the way.
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "support/MainWindowFixture.h"

namespace orv::test {
namespace {

class LifecycleTest : public MainWindowTest {};

const std::wstring kExitQuestion = L"Confirmation: Do you want to exit Orvane?";

TEST_F(LifecycleTest, ExitAnsweredNoKeepsTheWindowAndSavesNothing) {
    TfrmORV& w = Open();
    human.answers.push_back(IDNO);
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(w.hwnd()));
    EXPECT_EQ(human.Questions(), std::vector<std::wstring>{kExitQuestion});
    EXPECT_FALSE(FileExists(programFolder + L"default.ini"));
}

TEST_F(LifecycleTest, ExitAnsweredYesSavesAndCloses) {
    TfrmORV& w = Open();
    human.answers.push_back(IDYES);
    w.aExit->Execute();
    EXPECT_FALSE(IsWindow(w.hwnd()));
    EXPECT_EQ(human.Questions(), std::vector<std::wstring>{kExitQuestion});
    // Nothing loaded and nothing changed: the next start begins without a profile.
    EXPECT_EQ(IniFile(programFolder + L"default.ini").ReadString(L"Profile", L"ProfileName", L"<none>"),
              L"Not Loaded");
}

TEST_F(LifecycleTest, AnErrorDuringTheExitSaveAbandonsTheClose) {
    TfrmORV& w = Open();
    // A list with a file whose folder is gone cannot be saved.
    w.sbTSL.SetText(kListPanel, L"gone.lst");
    w.state.currentListPath = folder.path() + L"missing\\gone.lst";
    w.state.listModified = true;
    w.cbxAutosave.SetChecked(true);
    human.answers = {IDYES, IDOK};
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(w.hwnd()));
    ASSERT_EQ(human.asked.size(), 2u);
    EXPECT_EQ(human.asked[1].caption, L"Orvane");
    EXPECT_EQ(human.asked[1].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(human.asked[1].text.rfind(L"Cannot create file \"" + w.state.currentListPath + L"\". ", 0), 0u)
        << Narrow(human.asked[1].text);
    EXPECT_FALSE(FileExists(programFolder + L"default.ini"));
}

TEST_F(LifecycleTest, ActivationPublishesTheProgramPath) {
    TfrmORV& w = Open();
    w.FormActivate();
    RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Kestovar\\Orvane");
    ASSERT_TRUE(key);
    EXPECT_EQ(key.ReadStringOrEmpty(L"Path"), programFolder + L"ORV.exe");
}

TEST_F(LifecycleTest, StartWithTheProfilesListFileGoneShowsTheErrorAndOpens) {
    std::wstring profileFolder = programFolder + L"Profiles\\Holidays\\";
    MakeFolder(profileFolder);
    std::wstring listPath = folder.path() + L"Summer.lst";
    WriteBytes(profileFolder + L"Holidays.ini",
               "[ProgrammOptions]\r\nAutoSave=1\r\n[Wallpaper]\r\nWallpaperListName=Summer.lst\r\n"
               "WallpaperListPath=" + Narrow(listPath) + "\r\n");
    WriteBytes(programFolder + L"default.ini", "[Profile]\r\nProfileName=Holidays\r\n");
    human.answers.push_back(IDOK);
    TfrmORV& w = Open();
    ASSERT_EQ(human.asked.size(), 1u);
    EXPECT_EQ(human.asked[0].text.rfind(L"Cannot open file \"" + listPath + L"\". ", 0), 0u)
        << Narrow(human.asked[0].text);
    EXPECT_EQ(w.lvTSL.count(), 0u);
    EXPECT_EQ(w.sbTSL.Text(kListPanel), L"Summer.lst");
    EXPECT_EQ(w.sbTSL.Text(kProfilePanel), L"Holidays");
    EXPECT_TRUE(w.cbxAutosave.checked());
    EXPECT_EQ(w.state.undoPath, L"");  // the rest of the start-up did not run
}

TEST_F(LifecycleTest, StartLoadsTheStartupListWithoutMarkingItModified) {
    std::wstring listPath = folder.path() + L"start.lst";
    WriteBytes(listPath, "\"a.bmp\",none,C:\\a.bmp\r\n\"b.jpg\",none,C:\\b.jpg\r\n");
    std::wstring profileFolder = programFolder + L"Profiles\\Start\\";
    MakeFolder(profileFolder);
    WriteBytes(profileFolder + L"Start.ini", "[Wallpaper]\r\nWallpaperListName=start.lst\r\nWallpaperListPath=" +
                                                 Narrow(listPath) + "\r\n");
    WriteBytes(programFolder + L"default.ini", "[Profile]\r\nProfileName=Start\r\n");
    TfrmORV& w = Open();
    ASSERT_EQ(w.lvTSL.count(), 2u);
    EXPECT_EQ(w.lvTSL.rows().SubItem(1, 1), L"C:\\b.jpg");
    EXPECT_FALSE(w.state.listModified);
    EXPECT_FALSE(w.state.profileModified);
    EXPECT_EQ(w.state.undoPath, desktopBitmap);
    EXPECT_EQ(w.pcTSL.activePage(), 0);
}

} // namespace
} // namespace orv::test
