// New, Load, Delete, Save and Save As of profiles.
#include "app/MainUnit.h"
#include "profiles/FolderTree.h"
#include "profiles/ProfileName.h"
#include "profiles/ProfileNames.h"

namespace orv {
namespace {

constexpr wchar_t kSaveQuestion[] = L"Current profile has been modified. Do you want to save it?";
constexpr wchar_t kDeleteQuestion[] = L"Do you realy want to delete this profile?";
constexpr int kProfilesPage = 2;

// The name dialog, created the first time a command needs it and kept with the main window.
int AskProfileName(TfrmORV& window) {
    if (!window.frmProfileName) window.frmProfileName = std::make_unique<TfrmProfileName>(window);
    return window.frmProfileName->ShowModal();
}

} // namespace

void TfrmORV::QuerySaveProfile() {
    if (!state.profileModified) return;
    if (sbTSL.Text(kProfilePanel) == kNotLoaded) {
        if (Confirm(hwnd_, kSaveQuestion)) aSaveProfileAs->Execute();
        return;
    }
    if (!Confirm(hwnd_, kSaveQuestion)) return;
    state.currentProfileName = sbTSL.Text(kProfilePanel);
    SaveProfile();
}

void TfrmORV::aNewProfileExecute() {
    QuerySaveProfile();
    ShowPage(kProfilesPage);
    sbTSL.SetText(kProfilePanel, kNotLoaded);
    ResetProfile();
    state.currentProfileName.clear();
    state.profileModified = false;
    lvProfiles.Select(-1);
    RefreshCommandState();
}

void TfrmORV::aLoadProfileExecute() {
    ShowPage(kProfilesPage);
    QuerySaveProfile();
    const int row = lvProfiles.selected();
    if (row < 0) return; // run from a shortcut with nothing chosen: nothing to load
    state.currentProfileName = std::wstring(lvProfiles.rows().Caption(static_cast<size_t>(row)));
    lvTSL.Clear();
    LoadProfile();
    state.profileModified = false;
    LoadListFromPath();
    lvProfiles.Select(-1);
    RefreshCommandState();
}

void TfrmORV::aRemoveProfileExecute() {
    if (Confirm(hwnd_, kDeleteQuestion)) {
        ShowPage(kProfilesPage);
        for (size_t i = lvProfiles.count(); i-- > 0;) {
            if (static_cast<int>(i) != lvProfiles.selected()) continue;
            const std::wstring name(lvProfiles.rows().Caption(i));
            state.currentProfileName = name;
            state.profileFolderPath = state.programFolder + L"Profiles\\" + name;
            // A name read from the registry may hold "..", a separator or a trailing dot, which
            // would point the delete at another folder: such a folder is left alone.
            const bool safeName = !ProfileNameProblem(name, {}).has_value();
            if (!safeName || !DeleteFolderTree(state.profileFolderPath, hwnd_))
                ShowPlainMessage(hwnd_, L"could not remove");
            lvProfiles.Delete(i);
            if (sbTSL.Text(kProfilePanel) == name) {
                ResetProfile();
                sbTSL.SetText(kProfilePanel, kNotLoaded);
                state.currentProfileName = kNotLoaded;
            }
        }
        aWriteProfileList->Execute();
        state.profileModified = false;
    }
    RefreshCommandState();
}

void TfrmORV::aSaveProfileExecute() {
    if (state.profileModified) {
        if (sbTSL.Text(kProfilePanel) == kNotLoaded) {
            if (AskProfileName(*this) != IDOK) {
                state.currentProfileName = sbTSL.Text(kProfilePanel);
                return;
            }
            CreateProfile();
        }
        state.currentProfileName = sbTSL.Text(kProfilePanel);
        SaveProfile();
    }
    aWriteProfileList->Execute();
    state.profileModified = false;
    RefreshCommandState();
}

void TfrmORV::aSaveProfileAsExecute() {
    ShowPage(kProfilesPage);
    if (AskProfileName(*this) != IDOK) {
        state.currentProfileName.clear();
        return;
    }
    CreateProfile();
    aWriteProfileList->Execute();
    state.profileModified = false;
    RefreshCommandState();
}

} // namespace orv
