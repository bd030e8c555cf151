// The real dialogs, used as a person would: the save dialog of Save List As accepts a new file name
// typed without an extension and adds ".lst"; the folder browser of Add Folder(s) gives its folder.
#include <windows.h>

#include <shlobj.h>

#include "ListCommandsSupport.h"

namespace orv::test {
namespace {

std::wstring gTyped;
int gTicks = 0;        // dialogs met so far
bool gRefused = false; // a dialog was still there after the name was typed

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

// First types the name into the dialog and presses Save; any dialog met after that (the save
// dialog refusing the name, or its message) is cancelled, so a refusal fails the test, not hangs it.
void CALLBACK TypeIntoDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = VisibleDialog();
    if (!dialog) return;
    if (gTicks++ == 0) {
        // The name box is a combo box (cmb13) in the explorer-style dialog, an edit (edt1) otherwise.
        if (!SetDlgItemTextW(dialog, 1148, gTyped.c_str())) SetDlgItemTextW(dialog, 1152, gTyped.c_str());
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
    gTyped = folder.path() + L"typed";
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
