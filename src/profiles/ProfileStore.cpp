// Profile files, default.ini, the registry list of profiles, the options and the Run value.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::ReadDefaultProfileName() {}
void TfrmORV::WriteDefaultProfileName() {}
void TfrmORV::LoadStartupProfile() {}
void TfrmORV::LoadProfile() {}
void TfrmORV::ResetProfile() {}
void TfrmORV::SaveProfile() {}
void TfrmORV::CreateProfile() {}
void TfrmORV::aReadProfileListExecute() {}
void TfrmORV::aWriteProfileListExecute() {}
void TfrmORV::aStartUpExecute() {}
void TfrmORV::ToggleProfileModified() { state.profileModified = !state.profileModified; }
void TfrmORV::cbxStartUpClick() {}
void TfrmORV::cbxMinimizeToTrayClick() {}
void TfrmORV::cbxSubDirClick() {}
void TfrmORV::cbxAutosaveClick() {}
void TfrmORV::cbxIntegrateIntoShellClick() {}
std::wstring TfrmORV::ProfileFilePath(const std::wstring& name) const {
    return state.programFolder + L"Profiles\\" + name + L"\\" + name + L".ini";
}

} // namespace orv
