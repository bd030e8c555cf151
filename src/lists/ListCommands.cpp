// New List, Open List, Save List, Save List As and the exit-time list save.
#include <windows.h>

#include <commdlg.h>

#include "app/MainUnit.h"
#include "lists/ListFile.h"
#include "lists/WaitCursor.h"
#include "platform/FileIO.h"
#include "platform/Text.h"

namespace orv {
namespace {

// The open dialog odTSL. "Wallpapert" is how the product has always spelt it.
FileDialogSpec OpenDialog(const std::wstring& lastPath) {
    FileDialogSpec dialog;
    dialog.filter = L"Wallpapert list (*.lst)|*.lst|All files (*.*)|*.*";
    dialog.defaultExt = L"*.lst";
    dialog.initialPath = lastPath;
    dialog.options = OFN_READONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    return dialog;
}

// The save dialog sdTSL. No OFN_FILEMUSTEXIST: Windows' save dialog then refuses every name that
// does not exist yet, and Save List As is how a new list file is made. The folder must exist.
FileDialogSpec SaveDialog(const std::wstring& lastPath) {
    FileDialogSpec dialog;
    dialog.filter = L"Wallpaper list (*.lst)|*.lst|All Files (*.*)|*.*";
    dialog.defaultExt = L"*.lst";
    dialog.initialPath = lastPath;
    dialog.options =
        OFN_READONLY | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    return dialog;
}

// The one save question of the list commands; only Yes saves.
bool UserWantsToSave(HWND owner) {
    return Confirm(owner, L"Current file has been modified. Do you want to save it?");
}

} // namespace

void TfrmORV::aNewListExecute() {
    ShowPage(0);
    NewListFile();
    RefreshCommandState();
}

void TfrmORV::aOpenListExecute() {
    ShowPage(0);
    OpenListFile();
    RefreshCommandState();
}

void TfrmORV::aSaveListExecute() {
    ShowPage(0);
    SaveListFile();
    RefreshCommandState();
}

void TfrmORV::aSaveListAsExecute() {
    ShowPage(0);
    SaveListFileAs();
    RefreshCommandState();
}

void TfrmORV::NewListFile() {
    if (sbTSL.Text(kListPanel) != kNoName) {
        if (state.listModified && UserWantsToSave(hwnd_)) SaveListFile();
    }
    // An unnamed list is asked about whenever it holds anything: it has no file to come back from.
    if (sbTSL.Text(kListPanel) == kNoName) {
        if (lvTSL.count() > 0 && UserWantsToSave(hwnd_)) SaveListFileAs();
    }
    lvTSL.Clear();
    sbTSL.SetText(kListPanel, kNoName);
    state.profileModified = true;
}

void TfrmORV::OpenListFile() {
    if (sbTSL.Text(kListPanel) != kNoName) {
        if (state.listModified && UserWantsToSave(hwnd_)) {
            SaveListFile();
            lvTSL.Clear();
            sbTSL.SetText(kListPanel, kNoName);
        }
    }
    if (sbTSL.Text(kListPanel) == kNoName) {
        if (lvTSL.count() > 0 && UserWantsToSave(hwnd_)) {
            SaveListFileAs();
            lvTSL.Clear();
        }
    }
    if (auto chosen = TheHuman().OpenFiles(hwnd_, OpenDialog(odTSLPath)); chosen && !chosen->empty()) {
        const std::wstring path = FullPathOf(chosen->front());
        odTSLPath = path;
        lvTSL.Clear();
        {
            // Read aside and hand the rows over whole: a big list is shown once, not row by row.
            WaitCursor wait;
            ListRows loaded;
            ReadListFile(path, loaded);
            lvTSL.ReplaceRows(std::move(loaded));
        }
        state.listModified = false;
        sbTSL.SetText(kListPanel, FileNamePart(path));
        state.currentListPath = path;
    }
    state.profileModified = true;
}

void TfrmORV::SaveListFileAs() {
    if (auto chosen = TheHuman().SaveFile(hwnd_, SaveDialog(sdTSLPath))) {
        const std::wstring path = FullPathOf(*chosen);
        sdTSLPath = path;
        WriteListFile(path, lvTSL.rows());
        sbTSL.SetText(kListPanel, FileNamePart(path));
        state.currentListPath = path;
    }
    state.listModified = false;
    state.profileModified = true;
}

void TfrmORV::aSaveWallpaperListExecute() {
    if (sbTSL.Text(kListPanel) != kNoName) {
        // Autosave saves a list with a file without asking.
        if (state.listModified && (cbxAutosave.checked() || UserWantsToSave(hwnd_))) SaveListFile();
    }
    if (sbTSL.Text(kListPanel) == kNoName) {
        if (lvTSL.count() > 0 && UserWantsToSave(hwnd_)) SaveListFileAs();
    }
}

} // namespace orv
