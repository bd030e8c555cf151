#include "platform/MetafileBytes.h"

#include <algorithm>

#include <windows.h>

namespace orv {

std::uint64_t ColourEntrySize(std::uint32_t usage) {
    return usage == DIB_RGB_COLORS ? 4 : usage == DIB_PAL_COLORS ? 2 : 0;
}

bool MeasureDib(std::string_view b, size_t at, std::uint64_t available, std::uint64_t entrySize,
                std::uint64_t scans, std::uint64_t& headerBytes, std::uint64_t& rowBytes) {
    if (available < sizeof(BITMAPCOREHEADER)) return false;
    const std::uint64_t headerSize = Le32(b, at);
    std::int64_t width = 0, height = 0;
    std::uint64_t bits = 0, compression = BI_RGB, used = 0;
    if (headerSize == sizeof(BITMAPCOREHEADER)) {
        width = Le16(b, at + 4), height = Le16(b, at + 6), bits = Le16(b, at + 10);
        if (entrySize == 4) entrySize = 3;  // RGBTRIPLE
    } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= available) {
        width = static_cast<std::int32_t>(Le32(b, at + 4)), height = static_cast<std::int32_t>(Le32(b, at + 8));
        bits = Le16(b, at + 14), compression = Le32(b, at + 16), used = Le32(b, at + 32);
    } else {
        return false;
    }
    if (height < 0) height = -height;
    if (width <= 0 || height == 0 || width > 32767 || height > 32767) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const std::uint64_t colours = bits <= 8 ? (used ? used : 1u << bits) : compression == BI_BITFIELDS ? 3 : used;
    if (bits <= 8 && colours > (1u << bits)) return false;
    headerBytes = headerSize + colours * (compression == BI_BITFIELDS && bits > 8 ? 4 : entrySize);
    if (compression == BI_RLE8 || compression == BI_RLE4) {
        rowBytes = 0;
    } else if (compression == BI_RGB || compression == BI_BITFIELDS) {
        const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
        rowBytes = stride * std::min<std::uint64_t>(static_cast<std::uint64_t>(height), scans);
    } else {
        return false;
    }
    return headerBytes <= available;
}

} // namespace orv
