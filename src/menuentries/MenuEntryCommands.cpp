// The Configuration page's menu entries: the ShellPopup store and the shell integration.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::aReadRegValueExecute() {}
void TfrmORV::aWriteRegValueExecute() {}
void TfrmORV::WriteMenuEntries() {}
void TfrmORV::aAddToCMExecute() {}
void TfrmORV::btnAddCMItemClick() {}
void TfrmORV::edtHeaderKeyDown(WORD) {}
void TfrmORV::aRemoveFromCMExecute() {}
void TfrmORV::btnBrowseClick() {}

} // namespace orv
