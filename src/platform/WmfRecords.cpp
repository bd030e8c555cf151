// The record checks of Windows metafiles. Parameters are 16-bit words, in reverse order of the
// GDI call's arguments.
#include <windows.h>

#include "platform/MetafileBytes.h"
#include "platform/MetafileRecords.h"

namespace orv {
namespace {

class Record {
public:
    Record(std::string_view b, size_t params, std::uint64_t count) : b_(b), params_(params), count_(count) {}
    std::uint64_t count() const { return count_; }
    std::uint32_t word(std::uint64_t i) const { return Le16(b_, params_ + 2 * static_cast<size_t>(i)); }
    // A packed bitmap (header, colours, rows) from parameter `first` to the record's end.
    bool PackedDibFits(std::uint64_t first, std::uint32_t usage, std::uint64_t scans = ~0ull) const {
        if (first > count_) return false;
        const std::uint64_t available = (count_ - first) * 2;
        std::uint64_t header = 0, rows = 0;
        return MeasureDib(b_, params_ + 2 * static_cast<size_t>(first), available, ColourEntrySize(usage), scans,
                          header, rows) &&
               header + rows <= available;
    }
    // A device-dependent bitmap: width, height, planes and bits per pixel in the words given,
    // its rows (each a whole number of words) from parameter `rows` to the record's end.
    bool DeviceBitmapFits(std::uint64_t width, std::uint64_t height, std::uint64_t planes, std::uint64_t bits,
                          std::uint64_t rows) const {
        if (rows > count_) return false;
        const std::uint64_t rowBytes = (std::uint64_t{word(width)} * word(bits) + 15) / 16 * 2;
        return std::uint64_t{word(planes)} * word(height) * rowBytes <= (count_ - rows) * 2;
    }
    // A region: its scans, each with its count of x words, as GDI walks them.
    bool RegionFits() const {
        if (count_ < 11) return false;
        std::uint64_t at = 11;
        for (std::uint64_t scan = 0; scan < word(5); ++scan) {
            if (at >= count_) return false;
            at += word(at) + 4;
        }
        return at <= count_;
    }

private:
    std::string_view b_;
    size_t params_;
    std::uint64_t count_;
};

// Pen widths and frame strokes beyond any screen leave GDI rasterising for minutes.
bool Plausible(std::uint32_t word) {
    const int v = static_cast<std::int16_t>(word);
    return v >= -16384 && v <= 16384;
}

bool RecordIsSound(std::uint32_t function, const Record& r, std::uint32_t objects) {
    const std::uint64_t n = r.count();
    switch (function) {
    case META_SELECTOBJECT:
    case META_DELETEOBJECT:
    case META_INVERTREGION:
    case META_PAINTREGION:
    case META_SELECTCLIPREGION:
        return n >= 1 && r.word(0) < objects;
    case META_SELECTPALETTE:
        return n >= 2 && r.word(1) < objects;
    case META_FILLREGION:
        return n >= 2 && r.word(0) < objects && r.word(1) < objects;
    case META_FRAMEREGION:  // stroke height and width, then brush and region
        return n >= 4 && Plausible(r.word(0)) && Plausible(r.word(1)) && r.word(2) < objects &&
               r.word(3) < objects;
    case META_POLYGON:
    case META_POLYLINE:
        return n >= 1 && 1 + 2 * std::uint64_t{r.word(0)} <= n;
    case META_POLYPOLYGON: {
        if (n < 1 || 1 + std::uint64_t{r.word(0)} > n) return false;
        std::uint64_t points = 0;
        for (std::uint64_t i = 1; i <= r.word(0); ++i) points += r.word(i);
        return 1 + r.word(0) + 2 * points <= n;
    }
    case META_TEXTOUT:
        return n >= 1 && 1 + (std::uint64_t{r.word(0)} + 1) / 2 + 2 <= n;
    case META_EXTTEXTOUT:
        return n >= 4 && 4 + (r.word(3) & (ETO_OPAQUE | ETO_CLIPPED) ? 4 : 0) + (std::uint64_t{r.word(2)} + 1) / 2 <= n;
    case META_ESCAPE:
        return n >= 2 && 2 + (std::uint64_t{r.word(1)} + 1) / 2 <= n;
    case META_CREATEPALETTE:
        return n >= 2 && 2 + 2 * std::uint64_t{r.word(1)} <= n;
    case META_SETPALENTRIES:
    case META_ANIMATEPALETTE:
        return n >= 2 && 2 + 2 * std::uint64_t{r.word(1)} <= n;
    case META_CREATEPENINDIRECT:
        return n >= 5 && Plausible(r.word(1));
    case META_CREATEBRUSHINDIRECT:
        return n >= 4;
    case META_CREATEFONTINDIRECT: {
        // The face name runs to its terminating zero, which must come inside the record.
        if (n < 9 || !Plausible(r.word(0)) || !Plausible(r.word(1))) return false;
        for (std::uint64_t i = 9; i < n; ++i)
            if ((r.word(i) & 0xFF) == 0 || (r.word(i) >> 8) == 0) return true;
        return false;
    }
    case META_CREATEREGION:
        return r.RegionFits();
    case META_SETDIBTODEV:
        return n >= 9 && r.PackedDibFits(9, r.word(0), r.word(1));
    case META_STRETCHDIB:
        return n >= 11 && r.PackedDibFits(11, r.word(2));
    case META_DIBSTRETCHBLT:  // GDI always takes the bitmap to be there
        return n >= 10 && r.PackedDibFits(10, DIB_RGB_COLORS);
    case META_DIBBITBLT:  // 9 words: no bitmap, a pattern fill
        return n == 9 || (n > 9 && r.PackedDibFits(8, DIB_RGB_COLORS));
    case META_DIBCREATEPATTERNBRUSH:
        return n >= 2 && r.PackedDibFits(2, r.word(1));
    case META_CREATEPATTERNBRUSH:
        // A bitmap header, then device-dependent rows; or a device-independent bitmap.
        if (n >= 1 && r.word(0) == BS_PATTERN)
            return n >= 24 && r.word(5) == 0 && r.word(7) == 0 && r.DeviceBitmapFits(4, 6, 8, 9, 24);
        return n < 1 || r.word(0) != BS_DIBPATTERN || r.PackedDibFits(2, r.word(1));
    case META_STRETCHBLT:  // GDI always takes the bitmap to be there
        return n >= 15 && r.DeviceBitmapFits(10, 11, 13, 14, 15);
    case META_BITBLT:
        return n >= 12 && r.DeviceBitmapFits(7, 8, 10, 11, 12);
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
        if (function == 0) return true;  // the end record
        if (!RecordIsSound(function, Record(b, at + 6, words - 3), objects)) return false;
        at += static_cast<size_t>(words) * 2;
    }
    return false;
}

} // namespace orv
