// The Configuration page's menu entries: the ShellPopup store and the shell integration.
#include <string>

#include "app/MainUnit.h"
#include "lists/PictureDialog.h"
#include "menuentries/ShellIntegration.h"
#include "platform/FileIO.h"
#include "platform/Registry.h"

namespace orv {
namespace {

constexpr size_t kMaxMenuEntries = 7;

std::wstring NumberedCaption(size_t rowsAfterAppend) {
    return L"Wallpaper" + std::to_wstring(rowsAfterAppend);
}

} // namespace

void TfrmORV::aReadRegValueExecute() {
    lvContextMenu.Clear();
    std::vector<std::wstring> names;
    if (RegKey store = RegKey::Open(HKEY_LOCAL_MACHINE, kShellPopupKey)) names = store.SubkeyNames();
    for (const std::wstring& name : names) {
        RegKey entry = RegKey::Open(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\" + name);
        if (!entry) continue; // vanished or not ours to open: left out
        // A value of another type stops the read here; the rows read so far stay.
        const std::wstring path = entry.ReadStringOrEmpty(L"");
        lvContextMenu.Append(name, {path});
    }
    state.menuEntriesModified = false;
    RefreshCommandState();
}

void TfrmORV::WriteMenuEntries() {
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kShellPopupKey);
    const ListRows& rows = lvContextMenu.rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const std::wstring_view caption = rows.Caption(i);
        // An empty caption names no subkey: written, its path would land in ShellPopup itself.
        if (caption.empty()) continue;
        RegKey entry =
            RegKey::Create(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\" + std::wstring(caption));
        if (!entry) continue;
        entry.WriteString(L"", rows.SubItem(i, 0));
    }
}

void TfrmORV::aWriteRegValueExecute() {
    if (cbxIntegrateIntoShell.checked())
        IntegrateHandler(state.programFolder);
    else
        ClearHandlerIntegration(state.programFolder);
    WriteMenuEntries();
    state.menuEntriesModified = false;
    RefreshCommandState();
}

void TfrmORV::aAddToCMExecute() {
    if (lvTSL.selected() >= 0) {
        const std::wstring path = FullPathOf(SelectedWallpaperPath());
        lvContextMenu.Append(NumberedCaption(lvContextMenu.count() + 1), {path});
    }
    lvTSL.SetFocus();
    state.menuEntriesModified = true;
    RefreshCommandState();
}

void TfrmORV::btnAddCMItemClick() {
    if (lvContextMenu.count() >= kMaxMenuEntries) return;
    std::wstring path = edtFile.text();
    if (path.empty()) {
        if (auto chosen = ChooseFirstPicture(hwnd_)) path = *chosen;
    }
    if (!path.empty()) {
        const std::wstring caption =
            edtHeader.text().empty() ? NumberedCaption(lvContextMenu.count() + 1) : edtHeader.text();
        lvContextMenu.Append(caption, {path});
    }
    // Set even when the dialog was cancelled.
    state.menuEntriesModified = true;
    RefreshCommandState();
}

void TfrmORV::edtHeaderKeyDown(WORD key) {
    if (key == VK_RETURN) btnAddCMItemClick();
}

void TfrmORV::aRemoveFromCMExecute() {
    const int row = lvContextMenu.selected();
    if (row < 0) return;
    lvContextMenu.Delete(static_cast<size_t>(row));
    state.menuEntriesModified = true;
    RefreshCommandState();
}

void TfrmORV::btnBrowseClick() {
    if (auto chosen = ChooseFirstPicture(hwnd_)) {
        edtFile.SetEnabled(true);
        edtFile.SetText(*chosen);
        edtHeader.SetEnabled(true);
        edtHeader.SetFocus();
    }
    // No refresh: it would empty the fields just filled.
    state.menuEntriesModified = false;
}

} // namespace orv
