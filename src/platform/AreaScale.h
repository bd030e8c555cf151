#pragma once
// Resampling of decoded pixels for display. Shrinking averages the area each target pixel
// covers (a box filter), so thin lines and fine detail blend in instead of dropping out as
// they do with nearest-neighbour; growing interpolates linearly between neighbours.
#include <cstdint>

namespace orv {

// Top-down rows of 3 (BGR) or 4 (BGRA) bytes a pixel.
struct PixelView {
    const std::uint8_t* bytes = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    int bytesPerPixel = 0;
    bool hasAlpha = false;  // otherwise the 4th byte, if any, is ignored and alpha is 255
};

// Writes width x height pixels to `out` (top-down, packed, one 0xAARRGGBB value each).
// Requires positive sizes on both sides.
void ScalePixels(const PixelView& source, int width, int height, std::uint32_t* out);

} // namespace orv
