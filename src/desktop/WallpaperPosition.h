#pragma once
// The three wallpaper positions and how the desktop settings values spell them.
#include <string_view>

namespace orv {

// Also the item index of the position box.
enum WallpaperPosition : int { kCenter = 0, kTile = 1, kStretch = 2 };

struct PositionValues {
    const wchar_t* tileWallpaper;
    const wchar_t* wallpaperStyle;
};

// What each position writes as "TileWallpaper" and "WallpaperStyle".
PositionValues ValuesOfPosition(WallpaperPosition position);

// The position the desktop values give: anything but "0" in TileWallpaper (missing included) is
// Tile; then anything but "0" in WallpaperStyle is Stretch; otherwise Center.
WallpaperPosition PositionOfValues(std::wstring_view tileWallpaper, std::wstring_view wallpaperStyle);

} // namespace orv
