// Adding pictures from files and folders, deleting and clearing.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::aAddItemsExecute() {}
void TfrmORV::aAddFolderExecute() {}
void TfrmORV::aRemoveItemExecute() {}
void TfrmORV::aClearListExecute() {}
void TfrmORV::AddSelectedFiles(const std::vector<std::wstring>&) {}
void TfrmORV::ScanFolder(const std::wstring&) {}
void TfrmORV::AppendScannedFiles() {}
void TfrmORV::DeleteSelectedEntries() {}
void TfrmORV::ClearWallpaperList() {}

} // namespace orv
