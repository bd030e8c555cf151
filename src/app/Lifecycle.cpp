// Start-up, activation, the exit confirmation, the exit save and the close step.
#include "app/MainUnit.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "ui/Guard.h"

namespace orv {

void TfrmORV::FormCreate() {
    state.programFolder = FolderPart(state.programFile);
    state.scanPaths.clear();
    state.scanComments.clear();
    aReadProfileList->Execute();
    ReadDefaultProfileName();
    ReadWallpaperPosition();
    LoadStartupProfile();
    LoadStartupList();
    state.listModified = false;
    state.profileModified = false;
    state.undo = false;
    state.positionChanged = false;
    GetConvertedWallpaper(state.undoPath);
    RefreshCommandState();
    UpdatePositionCommand();
    ShowPage(0);
}

void TfrmORV::FormActivate() {
    if (RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, kProductKey)) key.WriteString(L"Path", state.programFile);
    if (cbxMinimizeToTray.checked()) aHide->Execute();
}

bool TfrmORV::FormCloseQuery() {
    if (!Confirm(hwnd_, L"Do you want to exit Orvane?")) return false;
    return RunGuarded([this] { SaveOnExit(); });
}

void TfrmORV::SaveOnExit() {
    state.currentProfileName = sbTSL.Text(kProfilePanel);
    aSaveWallpaperList->Execute();
    aWriteProfileList->Execute();
    if (cbxAutosave.checked() && state.currentProfileName != kNotLoaded) SaveProfile();
    else QuerySaveProfile();
    WriteDefaultProfileName();
}

void TfrmORV::FormClose() { aStartUp->Execute(); }

bool TfrmORV::RequestClose() {
    if (closing_ || !FormCloseQuery()) return false;
    closing_ = true;
    RunGuarded([this] { FormClose(); });
    DestroyWindow(hwnd_);
    return true;
}

void TfrmORV::aExitExecute() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

} // namespace orv
