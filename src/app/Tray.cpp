// The tray icon and its menu.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::aHideExecute() {}
void TfrmORV::aShowExecute() {}
void TfrmORV::pabTrayPopupMenuPopup() {}
void TfrmORV::TrayWallpaperClick(const std::wstring&) {}
void TfrmORV::ShowTrayMenu(POINT) {}

} // namespace orv
