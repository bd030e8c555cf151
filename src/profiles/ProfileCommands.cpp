// New, Load, Delete, Save and Save As of profiles.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::aNewProfileExecute() {}
void TfrmORV::aLoadProfileExecute() {}
void TfrmORV::aRemoveProfileExecute() {}
void TfrmORV::aSaveProfileExecute() {}
void TfrmORV::aSaveProfileAsExecute() {}
void TfrmORV::QuerySaveProfile() {}

} // namespace orv
