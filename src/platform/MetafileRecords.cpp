#include "platform/MetafileRecords.h"

#include <cstdint>

#include <windows.h>

namespace orv {
namespace {

std::uint32_t Le16(std::string_view b, size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

// Windows metafile record functions that name objects or carry counted arrays.
enum : std::uint32_t {
    kWmfEof = 0x0000,
    kWmfSelectObject = 0x012D,
    kWmfDeleteObject = 0x01F0,
    kWmfSelectPalette = 0x0234,
    kWmfInvertRegion = 0x012A,
    kWmfPaintRegion = 0x012B,
    kWmfSelectClipRegion = 0x012C,
    kWmfFillRegion = 0x0228,
    kWmfFrameRegion = 0x0429,
    kWmfPolygon = 0x0324,
    kWmfPolyline = 0x0325,
    kWmfPolyPolygon = 0x0538,
    kWmfTextOut = 0x0521,
    kWmfExtTextOut = 0x0A32,
};

// Whether the parameters of one Windows metafile record (16-bit words) are within bounds.
bool WindowsRecordIsSound(std::uint32_t function, std::string_view b, size_t params, std::uint64_t count,
                          std::uint32_t objects) {
    auto word = [&](std::uint64_t i) { return Le16(b, params + 2 * i); };
    switch (function) {
    case kWmfSelectObject:
    case kWmfDeleteObject:
    case kWmfSelectPalette:
    case kWmfInvertRegion:
    case kWmfPaintRegion:
    case kWmfSelectClipRegion:
        return count >= 1 && word(0) < objects;
    case kWmfFillRegion:
    case kWmfFrameRegion:
        return count >= 2 && word(0) < objects && word(1) < objects;
    case kWmfPolygon:
    case kWmfPolyline:
        return count >= 1 && 1 + 2 * std::uint64_t{word(0)} <= count;
    case kWmfPolyPolygon: {
        if (count < 1) return false;
        const std::uint64_t polygons = word(0);
        if (1 + polygons > count) return false;
        std::uint64_t points = 0;
        for (std::uint64_t i = 1; i <= polygons; ++i) points += word(i);
        return 1 + polygons + 2 * points <= count;
    }
    case kWmfTextOut:
        return count >= 1 && 1 + (std::uint64_t{word(0)} + 1) / 2 + 2 <= count;
    case kWmfExtTextOut: {
        if (count < 4) return false;
        const std::uint64_t rect = word(3) & (ETO_OPAQUE | ETO_CLIPPED) ? 4 : 0;
        return 4 + rect + (std::uint64_t{word(2)} + 1) / 2 <= count;
    }
    default:
        return true;
    }
}

// Enhanced metafile record types that name objects or carry counted arrays.
bool NamesObject(std::uint32_t type) {
    switch (type) {
    case EMR_SELECTOBJECT:
    case EMR_SELECTPALETTE:
    case EMR_DELETEOBJECT:
    case EMR_CREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_CREATEPALETTE:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_EXTCREATEPEN:
        return true;
    default:
        return false;
    }
}

bool EnhancedRecordIsSound(std::uint32_t type, std::string_view b, size_t at, std::uint64_t size,
                           std::uint32_t handles) {
    if (NamesObject(type)) {
        if (size < 12) return false;
        const std::uint32_t index = Le32(b, at + 8);
        const bool stock = (type == EMR_SELECTOBJECT || type == EMR_SELECTPALETTE) && (index & 0x80000000u);
        return stock || index < handles;
    }
    switch (type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
        return size >= 28 && 28 + 8 * std::uint64_t{Le32(b, at + 24)} <= size;
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
        return size >= 28 && 28 + 4 * std::uint64_t{Le32(b, at + 24)} <= size;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16: {
        if (size < 32) return false;
        const std::uint64_t polygons = Le32(b, at + 24), points = Le32(b, at + 28);
        const std::uint64_t pointSize = type == EMR_POLYPOLYLINE || type == EMR_POLYPOLYGON ? 8 : 4;
        if (32 + 4 * polygons + pointSize * points > size) return false;
        std::uint64_t counted = 0;
        for (std::uint64_t i = 0; i < polygons; ++i) counted += Le32(b, at + 32 + 4 * i);
        return counted <= points;
    }
    default:
        return true;
    }
}

} // namespace

bool WindowsMetafileIsSound(std::string_view b) {
    constexpr size_t kHeader = 18;
    if (b.size() < kHeader || (Le16(b, 0) != 1 && Le16(b, 0) != 2) || Le16(b, 2) != kHeader / 2) return false;
    const std::uint64_t total = std::uint64_t{Le32(b, 6)} * 2;  // the size is counted in words
    const std::uint32_t objects = Le16(b, 10);
    if (total < kHeader || total > b.size()) return false;
    for (size_t at = kHeader; at + 6 <= total;) {
        const std::uint64_t words = Le32(b, at);
        const std::uint32_t function = Le16(b, at + 4);
        if (words < 3 || at + words * 2 > total) return false;
        if (function == kWmfEof) return true;
        if (!WindowsRecordIsSound(function, b, at + 6, words - 3, objects)) return false;
        at += static_cast<size_t>(words) * 2;
    }
    return false;
}

bool EnhancedMetafileIsSound(std::string_view b) {
    constexpr size_t kHeader = 88;  // the oldest header form; later ones only add fields
    if (b.size() < kHeader || Le32(b, 0) != EMR_HEADER || Le32(b, 40) != ENHMETA_SIGNATURE) return false;
    const std::uint64_t total = Le32(b, 48);
    const std::uint32_t handles = Le16(b, 56);
    if (Le32(b, 4) < kHeader || total < kHeader || total > b.size()) return false;
    for (size_t at = 0; at + 8 <= total;) {
        const std::uint32_t type = Le32(b, at);
        const std::uint64_t size = Le32(b, at + 4);
        if (size < 8 || size % 4 != 0 || at + size > total) return false;
        if (type == EMR_EOF) return true;
        if (!EnhancedRecordIsSound(type, b, at, size, handles)) return false;
        at += static_cast<size_t>(size);
    }
    return false;
}

} // namespace orv
