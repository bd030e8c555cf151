// The record checks of enhanced metafiles: offsets are in bytes from the record's start.
#include <windows.h>

#include "platform/MetafileBytes.h"
#include "platform/MetafileRecords.h"

namespace orv {
namespace {

constexpr std::int64_t kLargestStroke = 16384;

class Record {
public:
    Record(std::string_view b, size_t at, std::uint64_t size) : b_(b), at_(at), size_(size) {}
    std::uint64_t size() const { return size_; }
    bool has(std::uint64_t bytes) const { return bytes <= size_; }
    std::uint32_t at(std::uint64_t offset) const { return Le32(b_, at_ + static_cast<size_t>(offset)); }
    std::uint32_t word(std::uint64_t offset) const { return Le16(b_, at_ + static_cast<size_t>(offset)); }
    // An array of `count` items of `itemSize` bytes from `offset`, inside the record.
    bool fits(std::uint64_t offset, std::uint64_t count, std::uint64_t itemSize) const {
        return offset <= size_ && count * itemSize <= size_ - offset;
    }
    // A bitmap named by the four fields offBmi, cbBmi, offBits, cbBits at `field`, used as
    // `usage` says; header, colours and rows must lie inside the record.
    bool bitmapFits(std::uint64_t field, std::uint32_t usage, std::uint64_t scans = ~0ull) const {
        if (!has(field + 16)) return false;
        const std::uint64_t offBmi = at(field), cbBmi = at(field + 4), offBits = at(field + 8), cbBits = at(field + 12);
        if (!fits(offBmi, cbBmi, 1) || !fits(offBits, cbBits, 1)) return false;
        std::uint64_t header = 0, rows = 0;
        return MeasureDib(b_, at_ + static_cast<size_t>(offBmi), cbBmi, ColourEntrySize(usage), scans, header, rows) &&
               rows <= cbBits;
    }
    // Region data of `bytes` bytes at `offset`: its header and rectangles inside.
    bool regionFits(std::uint64_t bytesField, std::uint64_t offset) const {
        if (!has(bytesField + 4)) return false;
        const std::uint64_t bytes = at(bytesField);
        if (bytes == 0) return true;  // no region
        return bytes >= sizeof(RGNDATAHEADER) && fits(offset, bytes, 1) && fits(offset + 32, at(offset + 8), 16) &&
               32 + 16 * std::uint64_t{at(offset + 8)} <= bytes;
    }

private:
    std::string_view b_;
    size_t at_;
    std::uint64_t size_;
};

bool NamesObject(std::uint32_t type) {
    switch (type) {
    case EMR_SELECTOBJECT:
    case EMR_SELECTPALETTE:
    case EMR_DELETEOBJECT:
    case EMR_CREATEPEN:
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_CREATEPALETTE:
    case EMR_SETPALETTEENTRIES:
    case EMR_RESIZEPALETTE:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_EXTCREATEPEN:
        return true;
    default:
        return false;
    }
}

// The source and mask bitmaps of the blit records, with their usage fields; a blit without a
// source (offBmi 0) draws with the brush alone.
struct BlitBitmap {
    std::uint32_t type;
    std::uint64_t field, usage;
};
constexpr BlitBitmap kBlitBitmaps[] = {
    {EMR_BITBLT, 84, 80},   {EMR_STRETCHBLT, 84, 80}, {EMR_MASKBLT, 84, 80},      {EMR_MASKBLT, 112, 108},
    {EMR_PLGBLT, 96, 92},   {EMR_PLGBLT, 124, 120},   {EMR_ALPHABLEND, 84, 80},   {EMR_TRANSPARENTBLT, 84, 80},
};

bool TextFits(const Record& r, std::uint64_t charSize) {
    constexpr std::uint64_t kChars = 44, kString = 48, kOptions = 52, kDx = 72;
    if (!r.has(kDx + 4)) return false;
    const std::uint64_t spacings = r.at(kOptions) & ETO_PDY ? 8 : 4;  // x and y spacing per character
    return r.fits(r.at(kString), r.at(kChars), charSize) &&
           (r.at(kDx) == 0 || r.fits(r.at(kDx), r.at(kChars), spacings));
}

// Font sizes, pen widths and frame strokes beyond any screen leave GDI rasterising for minutes.
bool Plausible(std::uint32_t value) {
    const std::int64_t v = static_cast<std::int32_t>(value);
    return v >= -kLargestStroke && v <= kLargestStroke;
}

bool FontFits(const Record& r) {
    return r.has(12 + sizeof(LOGFONTW)) && Plausible(r.at(12)) && Plausible(r.at(16));
}

bool PenFits(const Record& r) {
    constexpr std::uint64_t kWidth = 32, kStyle = 36, kColour = 40, kEntries = 48, kFirstEntry = 52;
    if (!r.has(kFirstEntry) || !r.fits(kFirstEntry, r.at(kEntries), 4) || !Plausible(r.at(kWidth))) return false;
    const std::uint32_t style = r.at(kStyle);
    if (style == BS_PATTERN) return r.bitmapFits(12, DIB_RGB_COLORS);
    if (style == BS_DIBPATTERN || style == BS_DIBPATTERNPT) return r.bitmapFits(12, r.at(kColour) & 0xFFFF);
    return true;
}

bool PolyPolyFits(const Record& r, std::uint64_t pointSize) {
    if (!r.has(32)) return false;
    const std::uint64_t polygons = r.at(24), points = r.at(28);
    if (!r.fits(32, polygons, 4) || !r.fits(32 + 4 * polygons, points, pointSize)) return false;
    std::uint64_t counted = 0;
    for (std::uint64_t i = 0; i < polygons; ++i) counted += r.at(32 + 4 * i);
    return counted <= points;
}

bool RecordIsSound(std::uint32_t type, const Record& r, std::uint32_t handles) {
    if (NamesObject(type)) {
        if (!r.has(12)) return false;
        const std::uint32_t index = r.at(8);
        const bool stock = (type == EMR_SELECTOBJECT || type == EMR_SELECTPALETTE) && (index & 0x80000000u);
        if (!stock && index >= handles) return false;
    }
    for (const auto& blit : kBlitBitmaps)
        if (blit.type == type && (!r.has(blit.field + 4) || (r.at(blit.field) != 0 && !r.bitmapFits(blit.field, r.at(blit.usage)))))
            return false;
    switch (type) {
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        return r.has(32) && r.bitmapFits(16, r.at(12));
    case EMR_SETDIBITSTODEVICE:
        return r.has(76) && r.bitmapFits(48, r.at(64), r.at(72));
    case EMR_STRETCHDIBITS:
        return r.has(80) && r.bitmapFits(48, r.at(64));
    case EMR_EXTCREATEPEN:
        return PenFits(r);
    case EMR_CREATEPEN:
        return r.has(28) && Plausible(r.at(16));
    case EMR_EXTCREATEFONTINDIRECTW:
        return FontFits(r);
    case EMR_EXTTEXTOUTW:
        return TextFits(r, 2);
    case EMR_EXTTEXTOUTA:
        return TextFits(r, 1);
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO:
        return r.has(28) && r.fits(28, r.at(24), 8);
    case EMR_POLYBEZIER16:
    case EMR_POLYGON16:
    case EMR_POLYLINE16:
    case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16:
        return r.has(28) && r.fits(28, r.at(24), 4);
    case EMR_POLYDRAW:
        return r.has(28) && r.fits(28, r.at(24), 9);  // points, then one type byte each
    case EMR_POLYDRAW16:
        return r.has(28) && r.fits(28, r.at(24), 5);
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON:
        return PolyPolyFits(r, 8);
    case EMR_POLYPOLYLINE16:
    case EMR_POLYPOLYGON16:
        return PolyPolyFits(r, 4);
    case EMR_FILLRGN:
        return r.has(32) && r.at(28) < handles && r.regionFits(24, 32);
    case EMR_FRAMERGN:
        return r.has(40) && r.at(28) < handles && Plausible(r.at(32)) && Plausible(r.at(36)) &&
               r.regionFits(24, 40);
    case EMR_INVERTRGN:
    case EMR_PAINTRGN:
        return r.regionFits(24, 28);
    case EMR_EXTSELECTCLIPRGN:
        return r.regionFits(8, 16);
    case EMR_CREATEPALETTE:
        return r.has(16) && r.fits(16, r.word(14), 4);
    case EMR_SETPALETTEENTRIES:
        return r.has(20) && r.fits(20, r.at(16), 4);
    case EMR_GDICOMMENT:
        return r.has(12) && r.fits(12, r.at(8), 1);
    default:
        return true;
    }
}

} // namespace

bool EnhancedMetafileIsSound(std::string_view b) {
    constexpr size_t kHeader = 88;  // the oldest header form; later ones only add fields
    if (b.size() < kHeader || Le32(b, 0) != EMR_HEADER || Le32(b, 40) != ENHMETA_SIGNATURE) return false;
    const std::uint64_t total = Le32(b, 48);
    const std::uint32_t handles = Le16(b, 56);
    if (Le32(b, 4) < kHeader || total < kHeader || total > b.size()) return false;
    // The reference device's size in pixels and millimetres scales the whole picture on playback.
    for (size_t field : {72, 76, 80, 84}) {
        const auto value = static_cast<std::int32_t>(Le32(b, field));
        if (value <= 0 || value > 65536) return false;
    }
    for (size_t at = 0; at + 8 <= total;) {
        const std::uint32_t type = Le32(b, at);
        const std::uint64_t size = Le32(b, at + 4);
        if (size < 8 || size % 4 != 0 || at + size > total) return false;
        if (type == EMR_EOF) return true;
        if (!RecordIsSound(type, Record(b, at, size), handles)) return false;
        at += static_cast<size_t>(size);
    }
    return false;
}

} // namespace orv
