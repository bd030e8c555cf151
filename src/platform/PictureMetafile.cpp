// Metafiles: GDI plays them, so they stay vectors and need no pixel buffer.
#include "platform/PictureDecode.h"
#include "platform/MetafileRecords.h"

#include <cstdlib>

namespace orv {
namespace {

std::uint32_t Le16(std::string_view b, size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
int Signed16(std::string_view b, size_t at) { return static_cast<std::int16_t>(Le16(b, at)); }

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWmfHeaderSize = 18;
constexpr std::uint32_t kSetWindowExt = 0x020C;
constexpr int kHundredthMmPerInch = 2540;

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() { if (dc_) ReleaseDC(nullptr, dc_); }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

UniqueEnhMetaFile DecodeEnhanced(std::string_view b) {
    if (!EnhancedMetafileIsSound(b)) ThrowDamagedPicture(PictureKind::EnhancedMetafile);
    const UINT size = Le32(b, 48);  // the header's own count; anything after it is not ours
    UniqueEnhMetaFile metafile(SetEnhMetaFileBits(size, reinterpret_cast<const BYTE*>(b.data())));
    if (!metafile) ThrowDamagedPicture(PictureKind::EnhancedMetafile);
    return metafile;
}

// A plain Windows metafile says nothing of its size except, often, through the window extent it
// sets; its logical units are then taken as screen pixels.
bool WindowExtent(std::string_view body, int& x, int& y) {
    for (size_t at = kWmfHeaderSize; at + 6 <= body.size();) {
        std::uint64_t words = Le32(body, at);
        if (words < 3 || at + words * 2 > body.size()) return false;
        if (Le16(body, at + 4) == kSetWindowExt && words >= 5) {
            y = Signed16(body, at + 6);
            x = Signed16(body, at + 8);
            return x != 0 && y != 0;
        }
        at += static_cast<size_t>(words) * 2;
    }
    return false;
}

UniqueEnhMetaFile DecodeWindows(std::string_view b) {
    const auto kind = PictureKind::WindowsMetafile;
    METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
    bool sized = false;
    if (b.size() >= kPlaceableSize && Le32(b, 0) == kPlaceableKey) {
        // The placeable header gives the bounds in its own units per inch.
        int inch = static_cast<int>(Le16(b, 14));
        int width = Signed16(b, 10) - Signed16(b, 6), height = Signed16(b, 12) - Signed16(b, 8);
        if (inch == 0 || width == 0 || height == 0) ThrowDamagedPicture(kind);
        picture.xExt = MulDiv(std::abs(width), kHundredthMmPerInch, inch);
        picture.yExt = MulDiv(std::abs(height), kHundredthMmPerInch, inch);
        sized = true;
        b.remove_prefix(kPlaceableSize);
    }
    if (!WindowsMetafileIsSound(b)) ThrowDamagedPicture(kind);
    ScreenDc screen;
    int x = 0, y = 0;
    if (!sized && WindowExtent(b, x, y)) {
        picture.xExt = MulDiv(std::abs(x), kHundredthMmPerInch, GetDeviceCaps(screen.get(), LOGPIXELSX));
        picture.yExt = MulDiv(std::abs(y), kHundredthMmPerInch, GetDeviceCaps(screen.get(), LOGPIXELSY));
        sized = true;
    }
    UniqueEnhMetaFile metafile(SetWinMetaFileBits(static_cast<UINT>(b.size()), reinterpret_cast<const BYTE*>(b.data()),
                                                  screen.get(), sized ? &picture : nullptr));
    if (!metafile) ThrowDamagedPicture(kind);
    return metafile;
}

} // namespace

UniqueEnhMetaFile DecodeMetafile(PictureKind kind, std::string_view bytes, int& width, int& height) {
    UniqueEnhMetaFile metafile = kind == PictureKind::EnhancedMetafile ? DecodeEnhanced(bytes) : DecodeWindows(bytes);
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(metafile.get(), sizeof(header), &header)) ThrowDamagedPicture(kind);
    ScreenDc screen;
    width = MulDiv(std::abs(header.rclFrame.right - header.rclFrame.left), GetDeviceCaps(screen.get(), LOGPIXELSX),
                   kHundredthMmPerInch);
    height = MulDiv(std::abs(header.rclFrame.bottom - header.rclFrame.top), GetDeviceCaps(screen.get(), LOGPIXELSY),
                    kHundredthMmPerInch);
    return metafile;
}

} // namespace orv
