// What each control of the four pages does: handlers, hints and the actions buttons run. Wired
// once, before any page exists, because code drives the controls of pages not yet shown (the
// start-up sequence sets the option boxes, which runs their click handlers).
#include "app/MainUnit.h"
#include "app/Resources.h"

namespace orv {

void TfrmORV::WireControls() {
    WireDesktopPage();
    WireConfigurationPage();
    WireProfilesPage();
    lblSupportInfo.onClick = [this] { lblSupportInfoClick(); };
    lblWebsiteinfo.onClick = [this] { lblWebsiteinfoClick(); };
    imgAbout.SetPainter([](HDC dc, const RECT& r) { PaintAboutPicture(dc, r); });
}

void TfrmORV::WireDesktopPage() {
    lvTSL.onClick = [this] { lvTSLClick(); };
    lvTSL.onSelectItem = [this](int index, bool selected) { lvTSLSelectItem(index, selected); };
    lvTSL.onDblClick = [this] { lvTSLDblClick(); };
    lvTSL.onCustomDrawItem = [this](size_t index) { return lvTSLCustomDrawItem(index); };
    lvTSL.onContextMenu = [this](POINT at) {
        SetForegroundWindow(hwnd_);
        TrackPopupMenu(pabWallpaper, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
    };
    for (Panel* colour : {&pnlRed, &pnlGreen, &pnlBlue, &pnlYelow}) {
        colour->SetHint(L"Click to Change Desktop Color");
        colour->onClick = [this] { aColorExecute(); };
    }
    btnFullview.Bind(*aPreview);
    btnSetWallpaper.Bind(*aSetWallpaper);
    btnAddToContextMenu.Bind(*aAddToCM, false);
    cbxPosition.onClick = [this] { cbxPositionClick(); };
    btnPositionUpdate.Bind(*aUpdatePosition);
}

void TfrmORV::WireConfigurationPage() {
    cbxAutosave.onClick = [this] { cbxAutosaveClick(); };
    cbxMinimizeToTray.onClick = [this] { cbxMinimizeToTrayClick(); };
    cbxStartUp.onClick = [this] { cbxStartUpClick(); };
    cbxSubDir.onClick = [this] { cbxSubDirClick(); };
    cbxIntegrateIntoShell.onClick = [this] { cbxIntegrateIntoShellClick(); };
    lvContextMenu.onClick = [this] { lvContextMenuClick(); };
    lvContextMenu.onEdited = [this](size_t) { lvContextMenuEdited(); };
    lvContextMenu.onCustomDrawItem = [this](size_t index) { return lvTSLCustomDrawItem(index); };
    btnBrowse.SetHint(L"Browse...");
    btnBrowse.onClick = [this] { btnBrowseClick(); };
    edtHeader.onKeyDown = [this](WORD key) { edtHeaderKeyDown(key); };
    btnAddCMItem.SetHint(L"Add Item to Context Menu");
    btnAddCMItem.onClick = [this] { btnAddCMItemClick(); };
    btnRemoveCMItem.SetHint(L"Remove Item from Context Menu");
    btnRemoveCMItem.Bind(*aRemoveFromCM);
    btnRead.SetHint(L"Read Menu Values from Registry");
    btnRead.Bind(*aReadRegValue);
    btnWrite.SetHint(L"Write Menu Values to Registry");
    btnWrite.Bind(*aWriteRegValue);
}

void TfrmORV::WireProfilesPage() {
    lvProfiles.onClick = [this] { lvProfilesClick(); };
    lvProfiles.onSelectItem = [this](int index, bool selected) { lvProfilesSelectItem(index, selected); };
    lvProfiles.onCustomDrawItem = [this](size_t index) { return lvTSLCustomDrawItem(index); };
    btnNewProfile.Bind(*aNewProfile);
    btnLoadProfile.Bind(*aLoadProfile);
    btnRemoveProfile.Bind(*aRemoveProfile);
    btnSaveProfile.Bind(*aSaveProfile);
    btnSaveProfileAs.Bind(*aSaveProfileAs);
}

} // namespace orv
