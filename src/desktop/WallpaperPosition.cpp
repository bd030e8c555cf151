#include "desktop/WallpaperPosition.h"

namespace orv {

PositionValues ValuesOfPosition(WallpaperPosition position) {
    switch (position) {
    case kTile:
        return {L"1", L"0"};
    case kStretch:
        return {L"0", L"2"};
    case kCenter:
        break;
    }
    return {L"0", L"0"};
}

WallpaperPosition PositionOfValues(std::wstring_view tileWallpaper, std::wstring_view wallpaperStyle) {
    if (tileWallpaper != L"0") return kTile;
    if (wallpaperStyle != L"0") return kStretch;
    return kCenter;
}

} // namespace orv
