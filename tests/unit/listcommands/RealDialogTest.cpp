// The real dialogs, used as a person would: the save dialog of Save List As accepts a new file name
// typed without an extension and adds ".lst"; the folder browser of Add Folder(s) gives its folder.
#include <windows.h>

#include <shlobj.h>

#include <vector>

#include "ListCommandsSupport.h"

namespace orv::test {
namespace {

std::vector<std::wstring> gTyped; // what to type, one per showing of the dialog
int gTicks = 0;                   // dialogs met so far
bool gRefused = false;            // a dialog was still there after the name was typed

HWND VisibleDialog() {
    HWND dialog = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(window, cls, 16);
            if (wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

// Types each text into the dialog in turn and presses its default button (a folder typed moves
// the dialog there); any dialog met after that (the dialog refusing the name, or its message) is
// cancelled, so a refusal fails the test instead of hanging it.
void CALLBACK TypeIntoDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = VisibleDialog();
    if (!dialog) return;
    size_t tick = static_cast<size_t>(gTicks++);
    if (tick < gTyped.size()) {
        // The name box is a combo box (cmb13) in the explorer-style dialog, an edit (edt1) otherwise.
        if (!SetDlgItemTextW(dialog, 1148, gTyped[tick].c_str()))
            SetDlgItemTextW(dialog, 1152, gTyped[tick].c_str());
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else {
        gRefused = true;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

class RealDialogTest : public ListWindowTest {};

TEST_F(RealDialogTest, SaveAsAcceptsANewNameAndAddsTheExtension) {
    TfrmORV& w = Open();
    Fill(w, L"ab");
    gTyped = {folder.path() + L"typed"};
    gTicks = 0;
    gRefused = false;
    DesktopHuman desktop;
    Human* scripted = SetHuman(&desktop);
    UINT_PTR timer = SetTimer(nullptr, 0, 50, TypeIntoDialog);
    w.aSaveListAs->Execute();
    KillTimer(nullptr, timer);
    SetHuman(scripted);

    ASSERT_GT(gTicks, 0) << "the save dialog did not show";
    EXPECT_FALSE(gRefused) << "the save dialog refused a new name";
    std::wstring saved = folder.path() + L"typed.lst";
    EXPECT_EQ(ReadBytes(saved), FileOf(L"ab"));
    EXPECT_EQ(Narrow(w.sbTSL.Text(kListPanel)), "typed.lst");
    EXPECT_EQ(Narrow(w.state.currentListPath), Narrow(saved));
}

TEST_F(RealDialogTest, AddItemsThroughThePictureDialogKeepsTheCurrentFolder) {
    TfrmORV& w = Open();
    wchar_t before[MAX_PATH] = {}, after[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    // The folder first, then two names at once.
    gTyped = {pictures, L"\"b.bmp\" \"a.bmp\""};
    gTicks = 0;
    gRefused = false;
    DesktopHuman desktop;
    Human* scripted = SetHuman(&desktop);
    UINT_PTR timer = SetTimer(nullptr, 0, 50, TypeIntoDialog);
    w.aAddItems->Execute();
    KillTimer(nullptr, timer);
    SetHuman(scripted);
    GetCurrentDirectoryW(MAX_PATH, after);

    ASSERT_GT(gTicks, 0) << "the picture dialog did not show";
    EXPECT_FALSE(gRefused);
    // Which of the two comes first is the dialog's choice.
    std::string rows = Describe(w.lvTSL.rows());
    EXPECT_TRUE(rows == RowsOf(L"ba") || rows == RowsOf(L"ab")) << rows;
    EXPECT_EQ(Narrow(after), Narrow(before));
}

std::wstring gFolder;
std::wstring gInstruction;

// Picks the folder in the browser, as a click in its tree would, and presses OK.
void CALLBACK PickFolder(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = VisibleDialog();
    if (!dialog) return;
    if (gTicks++ == 0) {
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(gFolder.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    } else {
        gRefused = true;
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

TEST_F(RealDialogTest, AddFolderTakesTheFolderChosenInTheBrowser) {
    TfrmORV& w = Open();
    gFolder = folder.path() + L"Album";
    MakeFolder(gFolder);
    WriteBytes(gFolder + L"\\x.jpg", "x");
    gTicks = 0;
    gRefused = false;
    DesktopHuman desktop;
    Human* scripted = SetHuman(&desktop);
    UINT_PTR timer = SetTimer(nullptr, 0, 50, PickFolder);
    w.aAddFolder->Execute();
    KillTimer(nullptr, timer);
    SetHuman(scripted);

    ASSERT_GT(gTicks, 0) << "the folder browser did not show";
    EXPECT_FALSE(gRefused);
    EXPECT_EQ(Describe(w.lvTSL.rows()), "x.jpg | none | " + Narrow(gFolder) + "\\x.jpg\n");
}

} // namespace
} // namespace orv::test
