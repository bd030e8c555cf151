#include <cstring>
#include <new>

#include "platform/PictureDecode.h"

namespace orv {
namespace {

std::uint32_t Le(std::string_view b, size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

} // namespace

bool DecodePlainBitmap(std::string_view b, PixelBuffer& pixels) {
    // Only the plain layout: a 40-byte header, no compression, 24 or 32 bits. Anything else, and
    // anything that does not add up, is left to WIC.
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || Le(b, 14, 4) != 40 || Le(b, 26, 2) != 1 ||
        Le(b, 30, 4) != BI_RGB)
        return false;
    const int bits = static_cast<int>(Le(b, 28, 2));
    const auto width = static_cast<std::int32_t>(Le(b, 18, 4));
    const auto declaredHeight = static_cast<std::int32_t>(Le(b, 22, 4));
    if ((bits != 24 && bits != 32) || width <= 0 || declaredHeight == 0 || declaredHeight == INT32_MIN) return false;
    const bool topDown = declaredHeight < 0;
    const std::int64_t height = topDown ? -std::int64_t{declaredHeight} : declaredHeight;
    if (width > static_cast<std::int32_t>(kMaxPictureSide) || height > kMaxPictureSide ||
        std::uint64_t(width) * std::uint64_t(height) > kMaxPicturePixels)
        return false;
    const int bytesPerPixel = bits / 8;
    const std::uint64_t fileStride = (std::uint64_t(width) * bits + 31) / 32 * 4;
    const std::uint64_t offset = Le(b, 10, 4);
    if (offset < 54 || offset + fileStride * std::uint64_t(height) > b.size()) return false;

    pixels.width = width;
    pixels.height = static_cast<int>(height);
    pixels.bytesPerPixel = bytesPerPixel;
    pixels.stride = width * bytesPerPixel;
    pixels.hasAlpha = false;  // the fourth byte of a plain 32-bit bitmap means nothing
    const size_t rowBytes = static_cast<size_t>(pixels.stride);
    pixels.bytes.reset(new (std::nothrow) std::uint8_t[rowBytes * static_cast<size_t>(height)]);
    if (!pixels.bytes) ThrowDamagedPicture(PictureKind::Bitmap);
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t fileRow = topDown ? y : height - 1 - y;
        std::memcpy(pixels.bytes.get() + rowBytes * static_cast<size_t>(y),
                    b.data() + offset + fileStride * static_cast<std::uint64_t>(fileRow), rowBytes);
    }
    return true;
}

} // namespace orv
