// Adding pictures from files and folders, deleting and clearing.
#include "app/MainUnit.h"
#include "lists/FolderScan.h"
#include "lists/PictureDialog.h"
#include "lists/WaitCursor.h"
#include "platform/FileIO.h"
#include "platform/Text.h"

namespace orv {
namespace {

constexpr wchar_t kNoComment[] = L"none";

// One entry as the program adds it: file name, "none", full path.
void AppendEntry(ListRows& rows, const std::wstring& path, std::wstring_view comment) {
    std::wstring name = FileNamePart(path);
    std::wstring full = FullPathOf(path);
    rows.Append(name, {comment, full});
}

} // namespace

void TfrmORV::aAddItemsExecute() {
    ShowPage(0);
    if (auto files = TheHuman().OpenFiles(hwnd_, PictureDialogSpec())) AddSelectedFiles(*files);
    RefreshCommandState();
}

void TfrmORV::AddSelectedFiles(const std::vector<std::wstring>& files) {
    // Rows go in straight and the view is told once: thousands of chosen files stay quick.
    ListRows& rows = lvTSL.EditRows();
    for (const std::wstring& file : files)
        AppendEntry(rows, file, kNoComment);
    lvTSL.Commit();
    state.listModified = true;
    state.profileModified = true;
}

void TfrmORV::aAddFolderExecute() {
    ShowPage(0);
    if (auto chosen = TheHuman().BrowseFolder(hwnd_, L"Select Folder...")) {
        WaitCursor wait;
        ScanFolder(*chosen);
        AppendScannedFiles();
    }
    RefreshCommandState();
}

void TfrmORV::ScanFolder(const std::wstring& folder) {
    ScanFolderInto(folder, cbxSubDir.checked(), state.scanPaths);
    state.scanComments.resize(state.scanPaths.size(), kNoComment);
    state.listModified = true;
    state.profileModified = true;
}

void TfrmORV::AppendScannedFiles() {
    ListRows& rows = lvTSL.EditRows();
    rows.Reserve(state.scanPaths.size(), 0);
    for (size_t i = 0; i < state.scanPaths.size(); ++i) {
        std::wstring_view comment =
            i < state.scanComments.size() ? std::wstring_view(state.scanComments[i]) : kNoComment;
        AppendEntry(rows, state.scanPaths[i], comment);
    }
    lvTSL.Commit();
    // Give the memory back too: a scan of a big tree leaves nothing behind.
    std::vector<std::wstring>().swap(state.scanPaths);
    std::vector<std::wstring>().swap(state.scanComments);
}

void TfrmORV::aRemoveItemExecute() {
    ShowPage(0);
    DeleteSelectedEntries();
    RefreshCommandState();
}

void TfrmORV::DeleteSelectedEntries() {
    // One entry at most is selected.
    if (int row = lvTSL.selected(); row >= 0) lvTSL.Delete(static_cast<size_t>(row));
    state.listModified = true;
    state.profileModified = true;
}

void TfrmORV::aClearListExecute() {
    ShowPage(0);
    ClearWallpaperList();
    RefreshCommandState();
}

void TfrmORV::ClearWallpaperList() {
    lvTSL.Clear();
    state.listModified = true;
    state.profileModified = true;
}

} // namespace orv
