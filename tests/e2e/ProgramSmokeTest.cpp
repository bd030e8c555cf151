// The real ORV.exe on a Wine virtual desktop: its window, the single-instance rule, the "Path"
// value, the pages, and the way out through the exit question.
#include <algorithm>

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "Screen.h"
#include "support/TestFiles.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace orv::test {
namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FolderPart(path);
}

// A copy of the deliverables in a scratch folder, so the program's files land there.
class ProgramSmokeTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"orv-e2e-" + std::to_wstring(GetTickCount64()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        for (const wchar_t* file : {L"ORV.exe", L"SetWallpaper.dll", L"Velkor.dll"})
            ASSERT_TRUE(CopyFileW((ExeFolder() + file).c_str(), (folder_ + file).c_str(), FALSE)) << "copy";
        RegKey::DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Kestovar");
    }
    void TearDown() override {
        for (PROCESS_INFORMATION& p : started_) {
            if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(p.hProcess, 9);
            WaitForSingleObject(p.hProcess, 5000);
            CloseHandle(p.hProcess);
            CloseHandle(p.hThread);
        }
        RegKey::DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\Kestovar");
    }

    PROCESS_INFORMATION Start() {
        std::wstring command = L"\"" + folder_ + L"ORV.exe\"";
        STARTUPINFOW si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        EXPECT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                                   &si, &pi));
        started_.push_back(pi);
        return pi;
    }

    static DWORD ExitCode(const PROCESS_INFORMATION& p, DWORD waitMs) {
        if (WaitForSingleObject(p.hProcess, waitMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(p.hProcess, &code);
        return code;
    }

    // The message box the program shows, with its caption and text.
    static HWND WaitForBox(DWORD pid, const std::wstring& caption) {
        return WaitForWindow([&] { return FindTopWindow(pid, caption); });
    }
    static std::wstring BoxText(HWND box) {
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, ARRAYSIZE(text));
        return text;
    }

    std::wstring folder_;
    std::vector<PROCESS_INFORMATION> started_;
};

TEST_F(ProgramSmokeTest, RunsAsOneInstanceShowsItsPagesAndLeavesThroughTheExitQuestion) {
    PROCESS_INFORMATION first = Start();
    HWND window = WaitForWindow([&] { return FindTopWindow(first.dwProcessId, L"Orvane"); });
    ASSERT_NE(window, nullptr) << "the main window \"Orvane\" did not show";

    auto classes = ChildClasses(window);
    for (const wchar_t* expected :
         {L"SysListView32", L"SysTabControl32", L"msctls_statusbar32", L"ToolbarWindow32", L"ComboBox"})
        EXPECT_NE(std::find(classes.begin(), classes.end(), expected), classes.end()) << Narrow(expected);
    // Only the first page is built before the window shows; the others when first reached.
    EXPECT_EQ(std::count(classes.begin(), classes.end(), L"SysListView32"), 1);

    // The first activation publishes where the program is.
    std::wstring path;
    WaitForWindow([&]() -> HWND {
        path = RegKey::Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Kestovar\\Orvane").ReadStringOrEmpty(L"Path");
        return path.empty() ? nullptr : window;
    });
    EXPECT_EQ(path, folder_ + L"ORV.exe");

    // A second start ends at once and silently; the first is untouched.
    PROCESS_INFORMATION second = Start();
    EXPECT_EQ(ExitCode(second, 20000), 0u);
    EXPECT_EQ(FindTopWindow(second.dwProcessId, L"Orvane"), nullptr);
    EXPECT_TRUE(IsWindowVisible(window));

    // Each page, as a user reaches it: a click on the first tab, then the arrow key.
    HWND tabs = FindWindowExW(FindWindowExW(window, nullptr, L"OrvanePanel", nullptr), nullptr, L"SysTabControl32",
                              nullptr);
    ASSERT_NE(tabs, nullptr);
    SetForegroundWindow(window);
    RECT strip;
    GetWindowRect(tabs, &strip);
    ClickAt(strip.left + 30, strip.top + 10);
    for (int page = 0; page < 4; ++page) {
        if (page > 0) PressKey(VK_RIGHT);
        Settle(3000);
        EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), page);
        SaveScreenshot("page-" + std::to_string(page));
    }
    classes = ChildClasses(window);
    EXPECT_EQ(std::count(classes.begin(), classes.end(), L"SysListView32"), 3);

    // No to the exit question keeps it; Yes saves and ends it.
    PostMessageW(window, WM_CLOSE, 0, 0);
    HWND box = WaitForBox(first.dwProcessId, L"Confirmation");
    ASSERT_NE(box, nullptr) << "no exit question";
    EXPECT_EQ(BoxText(box), L"Do you want to exit Orvane?");
    PostMessageW(box, WM_COMMAND, IDNO, 0);
    Settle(500);
    EXPECT_EQ(ExitCode(first, 0), static_cast<DWORD>(STILL_ACTIVE));
    PostMessageW(window, WM_CLOSE, 0, 0);
    box = WaitForBox(first.dwProcessId, L"Confirmation");
    ASSERT_NE(box, nullptr);
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(ExitCode(first, 20000), 0u);
    EXPECT_EQ(IniFile(folder_ + L"default.ini").ReadString(L"Profile", L"ProfileName", L"<none>"), L"Not Loaded");

    // Once it has ended, a new start succeeds.
    PROCESS_INFORMATION third = Start();
    EXPECT_NE(WaitForWindow([&] { return FindTopWindow(third.dwProcessId, L"Orvane"); }), nullptr);
}

TEST_F(ProgramSmokeTest, AnObjectOfAnotherKindNamedMyMapStopsTheStartWithTheAllocationMessage) {
    HANDLE squatter = CreateMutexW(nullptr, FALSE, L"MyMap");
    ASSERT_NE(squatter, nullptr);
    PROCESS_INFORMATION p = Start();
    HWND box = WaitForBox(p.dwProcessId, L"Error");
    ASSERT_NE(box, nullptr) << "no message";
    EXPECT_EQ(BoxText(box), L"Ошибка выделения памяти!");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(ExitCode(p, 20000), 1u);
    EXPECT_EQ(FindTopWindow(p.dwProcessId, L"Orvane"), nullptr);
    CloseHandle(squatter);
}

} // namespace
} // namespace orv::test
