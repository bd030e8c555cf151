// Profile files, default.ini, the registry list of profiles, the options and the Run value.
#include <shlobj.h>

#include "app/MainUnit.h"
#include "platform/AppError.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"

namespace orv {
namespace {

constexpr wchar_t kOptions[] = L"ProgrammOptions";
constexpr wchar_t kWallpaper[] = L"Wallpaper";
constexpr wchar_t kRunValue[] = L"TSL.exe";

IniFile DefaultIni(const ProgramState& state) {
    return IniFile(state.programFolder + L"default.ini");
}

// A row's caption must name one subkey of Profiles: never the key itself, never a deeper key.
bool IsSingleKeyName(std::wstring_view name) {
    return !name.empty() && name.find(L'\\') == std::wstring_view::npos;
}

} // namespace

std::wstring TfrmORV::ProfileFilePath(const std::wstring& name) const {
    return state.programFolder + L"Profiles\\" + name + L"\\" + name + L".ini";
}

void TfrmORV::ReadDefaultProfileName() {
    state.currentProfileName = DefaultIni(state).ReadString(L"Profile", L"ProfileName", L"");
}

void TfrmORV::WriteDefaultProfileName() {
    DefaultIni(state).WriteString(L"Profile", L"ProfileName", state.currentProfileName);
}

void TfrmORV::LoadStartupProfile() {
    if (state.currentProfileName.empty()) state.currentProfileName = kNotLoaded;
    if (state.currentProfileName != kNotLoaded)
        LoadProfile();
    else
        ResetProfile();
}

void TfrmORV::LoadProfile() {
    IniFile ini(ProfileFilePath(state.currentProfileName));
    // Each box runs its click handler only when the stored value differs from it.
    cbxStartUp.SetChecked(ini.ReadBool(kOptions, L"StartUp", false));
    cbxMinimizeToTray.SetChecked(ini.ReadBool(kOptions, L"Minimize", false));
    cbxAutosave.SetChecked(ini.ReadBool(kOptions, L"AutoSave", false));
    cbxSubDir.SetChecked(ini.ReadBool(kOptions, L"SubDir", true));
    cbxIntegrateIntoShell.SetChecked(ini.ReadBool(kOptions, L"Shell", false));
    sbTSL.SetText(kListPanel, ini.ReadString(kWallpaper, L"WallpaperListName", kNoName));
    state.currentListPath = ini.ReadString(kWallpaper, L"WallpaperListPath", L"");
    sbTSL.SetText(kProfilePanel, state.currentProfileName);
}

void TfrmORV::ResetProfile() {
    lvTSL.Clear();
    sbTSL.SetText(kListPanel, kNoName);
    cbxMinimizeToTray.SetChecked(false);
    cbxAutosave.SetChecked(false);
    cbxStartUp.SetChecked(false);
    cbxSubDir.SetChecked(true);
    cbxIntegrateIntoShell.SetChecked(false);
    sbTSL.SetText(kProfilePanel, kNotLoaded);
}

void TfrmORV::SaveProfile() {
    IniFile ini(ProfileFilePath(state.currentProfileName));
    ini.WriteBool(kOptions, L"StartUp", cbxStartUp.checked());
    ini.WriteBool(kOptions, L"Minimize", cbxMinimizeToTray.checked());
    ini.WriteBool(kOptions, L"AutoSave", cbxAutosave.checked());
    ini.WriteBool(kOptions, L"SubDir", cbxSubDir.checked());
    ini.WriteBool(kOptions, L"Shell", cbxIntegrateIntoShell.checked());
    const std::wstring& listName = sbTSL.Text(kListPanel);
    ini.WriteString(kWallpaper, L"WallpaperListName", listName);
    if (listName == kNoName) state.currentListPath.clear();
    ini.WriteString(kWallpaper, L"WallpaperListPath", state.currentListPath);
}

void TfrmORV::CreateProfile() {
    const std::wstring& name = state.currentProfileName;
    sbTSL.SetText(kProfilePanel, name);
    lvProfiles.Append(name, {ProfileFilePath(name)});
    // Creates missing parents too; a failure shows when SaveProfile cannot write.
    SHCreateDirectoryExW(nullptr, (state.programFolder + L"Profiles\\" + name).c_str(), nullptr);
    SaveProfile();
}

void TfrmORV::aReadProfileListExecute() {
    lvProfiles.Clear();
    std::vector<std::wstring> names;
    if (RegKey profiles = RegKey::Open(HKEY_LOCAL_MACHINE, kProfilesKey)) names = profiles.SubkeyNames();
    for (const std::wstring& name : names) {
        RegKey key = RegKey::Open(HKEY_LOCAL_MACHINE, std::wstring(kProfilesKey) + L"\\" + name);
        if (!key) continue;
        // A default value of another type stops the read here; the rows before it stay.
        lvProfiles.Append(name, {key.ReadStringOrEmpty(L"")});
    }
}

void TfrmORV::aWriteProfileListExecute() {
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kProfilesKey);
    const ListRows& rows = lvProfiles.rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        std::wstring_view name = rows.Caption(i);
        if (!IsSingleKeyName(name)) continue;
        RegKey key =
            RegKey::Create(HKEY_LOCAL_MACHINE, std::wstring(kProfilesKey) + L"\\" + std::wstring(name));
        if (!key) continue;
        key.WriteString(L"", rows.SubItemCount(i) > 0 ? rows.SubItem(i, 0) : std::wstring_view());
    }
}

void TfrmORV::aStartUpExecute() {
    RegKey run = RegKey::Open(HKEY_LOCAL_MACHINE, kRunKey);
    if (!run) return;
    try {
        // A command line: quoted, so that a path with blanks cannot start another program.
        if (cbxStartUp.checked())
            run.WriteString(kRunValue, L"\"" + state.programFile + L"\"");
        else
            run.DeleteValue(kRunValue);
    } catch (const AppError&) {
        // The Run value is a convenience; failing to set it is not worth a message at exit.
    }
    RegFlushKey(run.handle());
}

void TfrmORV::ToggleProfileModified() {
    state.profileModified = !state.profileModified;
}

void TfrmORV::cbxStartUpClick() {
    ToggleProfileModified();
    RefreshCommandState();
}

void TfrmORV::cbxMinimizeToTrayClick() {
    ToggleProfileModified();
    RefreshCommandState();
}

void TfrmORV::cbxSubDirClick() {
    ToggleProfileModified();
    RefreshCommandState();
}

// Autosave is how the program saves, not part of what the profile describes.
void TfrmORV::cbxAutosaveClick() {
    RefreshCommandState();
}

void TfrmORV::cbxIntegrateIntoShellClick() {
    ToggleProfileModified();
    if (cbxIntegrateIntoShell.checked()) {
        aReadRegValue->Execute();
        aWriteRegValue->Execute();
    } else {
        aWriteRegValue->Execute();
    }
    RefreshCommandState();
}

} // namespace orv
