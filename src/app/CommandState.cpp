// RefreshCommandState: the one place where commands are enabled and disabled. The commands only
// change state and then call it; it also reloads the preview and sets status panel 4.
#include "app/MainUnit.h"
#include "platform/Text.h"

namespace orv {

namespace {

constexpr size_t kMaxMenuEntries = 7;

// Step 1: the commands that act on the selected picture, and the preview pane. A picture that
// does not load ends the refresh here, with the pane keeping its previous picture.
void RefreshWallpaperSelection(TfrmORV& w) {
    if (w.lvTSL.selected() >= 0) {
        w.aSetWallpaper->SetEnabled(true);
        w.aRemoveItem->SetEnabled(true);
        w.aPreview->SetEnabled(true);
        w.LoadPreview(w.SelectedWallpaperPath());
        const bool shell = w.cbxIntegrateIntoShell.checked();
        w.btnAddCMItem.SetEnabled(shell);
        w.aAddToCM->SetEnabled(shell);
    } else {
        w.aSetWallpaper->SetEnabled(false);
        w.aRemoveItem->SetEnabled(false);
        w.aPreview->SetEnabled(false);
        w.btnAddCMItem.SetEnabled(false);
        w.LoadCurrentWallpaperPreview();
        w.aAddToCM->SetEnabled(false);
    }
}

// The ">>", "Read " and "Apply" buttons are enabled one by one, not through their actions: the
// option box executes Read Reg Value and Write Reg Value from code, and a disabled action would
// not run.
void SetEntryEditors(TfrmORV& w, bool enabled) {
    w.lblFile.SetEnabled(enabled);
    w.edtFile.SetEnabled(enabled);
    w.btnBrowse.SetEnabled(enabled);
    w.lblHeader.SetEnabled(enabled);
    w.edtHeader.SetEnabled(enabled);
}

// Step 4: the Context Menu group on the Configuration page.
void RefreshContextMenuControls(TfrmORV& w) {
    if (w.cbxIntegrateIntoShell.checked()) {
        SetEntryEditors(w, true);
        w.lvContextMenu.SetEnabled(true);
        w.btnRead.SetEnabled(w.state.menuEntriesModified);
        w.btnWrite.SetEnabled(w.state.menuEntriesModified);
        if (w.lvContextMenu.count() >= kMaxMenuEntries) {
            w.btnAddCMItem.SetEnabled(false);
            w.aAddToCM->SetEnabled(false);
            SetEntryEditors(w, false);
        } else {
            w.btnAddCMItem.SetEnabled(true);
            SetEntryEditors(w, true);
            w.aAddToCM->SetEnabled(w.lvTSL.selected() >= 0);
        }
        w.btnRemoveCMItem.SetEnabled(w.lvContextMenu.selected() >= 0);
        w.edtHeader.SetText(L"");
        w.edtFile.SetText(L"");
    } else {
        SetEntryEditors(w, false);
        w.btnAddCMItem.SetEnabled(false);
        w.btnRemoveCMItem.SetEnabled(false);
        w.btnRead.SetEnabled(false);
        w.aAddToCM->SetEnabled(false);
        w.btnWrite.SetEnabled(false);
        w.lvContextMenu.SetEnabled(false);
        w.lvContextMenu.Clear(); // the stored entries stay; ticking the option reads them back
    }
}

// Steps 5 to 8: status panel 4 and the focus, by page.
void RefreshPageInfo(TfrmORV& w) {
    switch (w.pcTSL.activePage()) {
    case 0:
        // Step 1 has just loaded the selected picture: its size comes from that one decode.
        w.sbTSL.SetText(kInfoPanel, w.lvTSL.selected() >= 0 ? w.previewInfo : L"");
        break;
    case 1: {
        if (w.cbxIntegrateIntoShell.checked()) w.lvContextMenu.SetFocus();
        const int entry = w.lvContextMenu.selected();
        w.sbTSL.SetText(
            kInfoPanel,
            entry >= 0 ? FileNamePart(w.lvContextMenu.rows().SubItem(static_cast<size_t>(entry), 0)) : L"");
        if (w.edtFile.text().empty()) w.edtHeader.SetEnabled(false);
        break;
    }
    case 2:
    case 3:
        w.sbTSL.SetText(kInfoPanel, L"");
        break;
    }
}

// Step 9. Loading the profile that is loaded already and unchanged would do nothing: the
// command is disabled then too, whatever the row selected before.
void RefreshProfileCommands(TfrmORV& w) {
    const int row = w.lvProfiles.selected();
    if (row >= 0) {
        w.aRemoveProfile->SetEnabled(true);
        const bool current =
            w.lvProfiles.rows().Caption(static_cast<size_t>(row)) == w.state.currentProfileName;
        w.aLoadProfile->SetEnabled(!current || w.state.profileModified);
    } else {
        w.aLoadProfile->SetEnabled(false);
        w.aRemoveProfile->SetEnabled(false);
    }
}

} // namespace

void TfrmORV::RefreshCommandState() {
    RefreshWallpaperSelection(*this);
    aClearList->SetEnabled(lvTSL.count() > 0);
    aSaveList->SetEnabled(state.listModified && !cbxAutosave.checked());
    RefreshContextMenuControls(*this);
    RefreshPageInfo(*this);
    RefreshProfileCommands(*this);
    aSaveProfile->SetEnabled(state.profileModified && !cbxAutosave.checked());
    aCancel->SetEnabled(state.undo);
}

} // namespace orv
