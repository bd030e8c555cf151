#include "app/PicturePainter.h"

#include <algorithm>
#include <memory>

#include "platform/Handle.h"

namespace orv {
namespace {

// A picture already scaled to the size it is shown at, as a 32-bit top-down DIB section.
struct ScaledPicture {
    GdiObject<HBITMAP> bitmap;
    int width = 0;
    int height = 0;
    bool translucent = false; // icons: blend over the background instead of copying
};

std::shared_ptr<ScaledPicture> Scale(const Picture& picture, int width, int height) {
    auto scaled = std::make_shared<ScaledPicture>();
    std::uint32_t* bits = nullptr;
    scaled->bitmap = CreatePixelBitmap(width, height, bits);
    if (!scaled->bitmap || !picture.ScalePixelsInto(width, height, bits)) return nullptr;
    scaled->width = width;
    scaled->height = height;
    const std::uint32_t* begin = bits;
    const std::uint32_t* end = bits + static_cast<size_t>(width) * height;
    scaled->translucent = std::any_of(begin, end, [](std::uint32_t p) { return (p >> 24) != 0xFF; });
    return scaled;
}

void DrawScaled(const ScaledPicture& scaled, HDC dc, const RECT& target) {
    const int width = target.right - target.left, height = target.bottom - target.top;
    if (width <= 0 || height <= 0) return;
    HDC memory = CreateCompatibleDC(dc);
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory, scaled.bitmap.get());
    if (scaled.translucent) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(dc, target.left, target.top, width, height, memory, 0, 0, scaled.width, scaled.height,
                      blend);
    } else if (width == scaled.width && height == scaled.height) {
        BitBlt(dc, target.left, target.top, width, height, memory, 0, 0, SRCCOPY);
    } else {
        int oldMode = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, target.left, target.top, width, height, memory, 0, 0, scaled.width, scaled.height,
                   SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
}

} // namespace

Painter MakePicturePainter(Picture picture, int width, int height) {
    if (!picture.isMetafile() && width > 0 && height > 0) {
        if (auto scaled = Scale(picture, width, height))
            return [scaled](HDC dc, const RECT& target) { DrawScaled(*scaled, dc, target); };
    }
    // Metafiles play at whatever size they are drawn; a picture that could not be scaled up
    // front (no memory for the bitmap) keeps its pixels and scales as it draws.
    auto kept = std::make_shared<Picture>(std::move(picture));
    return [kept](HDC dc, const RECT& target) { kept->Draw(dc, target); };
}

} // namespace orv
