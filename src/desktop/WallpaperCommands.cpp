// Setting the wallpaper, its position, and Undo.
#include "app/MainUnit.h"
#include "desktop/WallpaperPosition.h"
#include "outside/SetWallpaper.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace orv {

void TfrmORV::ApplyWallpaper(const std::wstring& path) {
    // An empty path goes as a null pointer.
    std::string ansi = AnsiPathFor(path);
    SetNewWallpaper(StringToPWide(path.empty() ? nullptr : ansi.c_str(), &state.wallpaperCell));
}

void TfrmORV::aSetWallpaperExecute() {
    ShowPage(0);
    if (lvTSL.selected() >= 0) ApplyWallpaper(SelectedWallpaperPath());
    state.undo = true;
    RefreshCommandState();
    lvTSL.SetFocus();
}

// The double click sets the wallpaper even while the action is disabled.
void TfrmORV::lvTSLDblClick() {
    aSetWallpaperExecute();
}

void TfrmORV::aCancelExecute() {
    ApplyWallpaper(state.undoPath);
    state.undo = false;
    RefreshCommandState();
}

void TfrmORV::aUpdatePositionExecute() {
    switch (cbxPosition.itemIndex()) {
    case kCenter:
        SetPositionCenter();
        break;
    case kTile:
        SetPositionTile();
        break;
    case kStretch:
        SetPositionStretch();
        break;
    default:
        break;
    }
    state.positionChanged = false;
    UpdatePositionCommand();
}

void TfrmORV::cbxPositionClick() {
    state.positionChanged = true;
    UpdatePositionCommand();
}

void TfrmORV::tmCenterClick() {
    SetPositionCenter();
}
void TfrmORV::tmTileClick() {
    SetPositionTile();
}
void TfrmORV::tmStretchClick() {
    SetPositionStretch();
}

void TfrmORV::SetPositionCenter() {
    ApplyPosition(kCenter);
}
void TfrmORV::SetPositionTile() {
    ApplyPosition(kTile);
}
void TfrmORV::SetPositionStretch() {
    ApplyPosition(kStretch);
}

void TfrmORV::ApplyPosition(int position) {
    PositionValues values = ValuesOfPosition(static_cast<WallpaperPosition>(position));
    if (RegKey key = RegKey::Create(HKEY_CURRENT_USER, kDesktopKey)) {
        key.WriteString(L"TileWallpaper", values.tileWallpaper);
        key.WriteString(L"WallpaperStyle", values.wallpaperStyle);
    }
    // Re-applying the same picture is what makes the desktop take the new position.
    std::wstring current;
    GetCurrentWallpaper(current);
    ApplyWallpaper(current);
    ReadWallpaperPosition();
    state.positionChanged = false;
}

void TfrmORV::ReadWallpaperPosition() {
    std::wstring tile, style;
    if (RegKey key = RegKey::Open(HKEY_CURRENT_USER, kDesktopKey)) {
        tile = key.ReadStringOrEmpty(L"TileWallpaper");
        style = key.ReadStringOrEmpty(L"WallpaperStyle");
    }
    WallpaperPosition position = PositionOfValues(tile, style);
    cbxPosition.SetItemIndex(position);
    state.trayPosition = position;
}

void TfrmORV::GetCurrentWallpaper(std::wstring& path) {
    if (RegKey key = RegKey::Open(HKEY_CURRENT_USER, kDesktopKey)) path = key.ReadStringOrEmpty(L"Wallpaper");
}

void TfrmORV::GetConvertedWallpaper(std::wstring& path) {
    if (RegKey key = RegKey::Open(HKEY_CURRENT_USER, kDesktopKey))
        path = key.ReadStringOrEmpty(L"ConvertedWallpaper");
}

void TfrmORV::UpdatePositionCommand() {
    aUpdatePosition->SetEnabled(state.positionChanged);
}

} // namespace orv
