// New List, Open List, Save List, Save List As and the exit-time list save.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::aNewListExecute() {}
void TfrmORV::aOpenListExecute() {}
void TfrmORV::aSaveListExecute() {}
void TfrmORV::aSaveListAsExecute() {}
void TfrmORV::aSaveWallpaperListExecute() {}
void TfrmORV::NewListFile() {}
void TfrmORV::OpenListFile() {}
void TfrmORV::SaveListFileAs() {}

} // namespace orv
