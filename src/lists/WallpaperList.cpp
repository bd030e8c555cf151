// The wallpaper list and its list file: saving, loading, the start-up load.
#include "app/MainUnit.h"
#include "lists/ListFile.h"
#include "platform/AppError.h"

namespace orv {

void TfrmORV::SaveListFile() {
    if (sbTSL.Text(kListPanel) == kNoName) SaveListFileAs();
    else WriteListFile(state.currentListPath, lvTSL.rows());
    state.listModified = false;
}

void TfrmORV::LoadListFromPath() {
    if (state.currentListPath.empty()) {
        lvTSL.Clear();
        return;
    }
    // Read into a scratch list first, so a failed read adds nothing.
    ListRows loaded;
    ReadListFile(state.currentListPath, loaded);
    if (lvTSL.count() == 0) {
        lvTSL.ReplaceRows(std::move(loaded));
        return;
    }
    ListRows& rows = lvTSL.EditRows();
    rows.Reserve(loaded.size(), 0);
    for (size_t i = 0; i < loaded.size(); ++i) {
        std::wstring_view subs[2] = {loaded.SubItem(i, 0), loaded.SubItem(i, 1)};
        rows.Append(loaded.Caption(i), std::span<const std::wstring_view>(subs, loaded.SubItemCount(i)));
    }
    lvTSL.Commit();
}

void TfrmORV::LoadStartupList() {
    if (sbTSL.Text(kListPanel) != kNoName) LoadListFromPath();
}

std::wstring TfrmORV::SelectedWallpaperPath() const {
    int row = lvTSL.selected();
    if (row < 0) return {};
    if (lvTSL.rows().SubItemCount(static_cast<size_t>(row)) < 2)
        throw AppError(L"List index out of bounds (1)");
    return std::wstring(lvTSL.rows().SubItem(static_cast<size_t>(row), 1));
}

} // namespace orv
