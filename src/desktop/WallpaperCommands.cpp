// Setting the wallpaper, its position, and Undo.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::aSetWallpaperExecute() {}
void TfrmORV::lvTSLDblClick() {}
void TfrmORV::aCancelExecute() {}
void TfrmORV::aUpdatePositionExecute() {}
void TfrmORV::cbxPositionClick() {}
void TfrmORV::tmCenterClick() {}
void TfrmORV::tmTileClick() {}
void TfrmORV::tmStretchClick() {}
void TfrmORV::SetPositionCenter() {}
void TfrmORV::SetPositionTile() {}
void TfrmORV::SetPositionStretch() {}
void TfrmORV::ReadWallpaperPosition() {}
void TfrmORV::GetCurrentWallpaper(std::wstring&) {}
void TfrmORV::GetConvertedWallpaper(std::wstring&) {}
void TfrmORV::UpdatePositionCommand() {}
void TfrmORV::ApplyWallpaper(const std::wstring&) {}

} // namespace orv
