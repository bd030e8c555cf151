#pragma once
// A picture file loaded once and drawn stretched into any rectangle: BMP, JPEG and ICO through
// WIC, WMF and EMF through GDI. The kind comes from the file name's extension alone.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "platform/Handle.h"

namespace orv {

// The largest picture we decode: 64 megapixels, 256 MB as 32-bit pixels. That covers every
// camera picture short of medium format, while a declared 30,000 x 30,000 header is refused
// before anything is allocated.
constexpr std::uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;
constexpr std::uint32_t kMaxPictureSide = 32767;

struct ScaledBitmap;

struct DeleteEnhMetaFileFn { void operator()(HENHMETAFILE h) const { DeleteEnhMetaFile(h); } };
using UniqueEnhMetaFile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, DeleteEnhMetaFileFn>;

// Decoded pixels: top-down rows of 3 (BGR) or 4 (premultiplied BGRA) bytes a pixel.
struct PixelBuffer {
    std::unique_ptr<std::uint8_t[]> bytes;
    int width = 0;
    int height = 0;
    int stride = 0;
    int bytesPerPixel = 0;
    bool hasAlpha = false;
};

class Picture {
public:
    // Throws AppError with the user's text: unknown extension, file not opened, damaged picture.
    static Picture Load(const std::wstring& path);
    // The same, but a decoder that can scale while decoding (real Windows' JPEG decoder can)
    // decodes only as much as a target of that size needs. Width and height stay the real ones.
    static Picture LoadForDisplay(const std::wstring& path, int targetWidth, int targetHeight);

    Picture(Picture&&) noexcept;
    Picture& operator=(Picture&&) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture();

    // The picture's own size in pixels (a metafile's frame at the screen's resolution).
    int width() const { return width_; }
    int height() const { return height_; }
    bool isMetafile() const { return metafile_ != nullptr; }

    // Stretches the picture over the whole rectangle; the aspect ratio is not kept.
    void Draw(HDC dc, const RECT& target) const;

    // The pixels Draw puts into a width x height rectangle, top-down, one BGRA value each
    // (premultiplied alpha). Empty for metafiles, which GDI plays directly.
    std::vector<std::uint32_t> ScaledPixels(int width, int height) const;
    // The same into width * height values at `out`; false, with nothing written, for metafiles.
    bool ScalePixelsInto(int width, int height, std::uint32_t* out) const;

private:
    Picture() = default;
    static Picture LoadScaled(const std::wstring& path, int targetWidth, int targetHeight);
    const ScaledBitmap* ScaledFor(int width, int height) const;

    int width_ = 0;
    int height_ = 0;
    PixelBuffer pixels_;
    UniqueEnhMetaFile metafile_;
    // The last size drawn, kept so that repaints of the same rectangle only copy it.
    mutable std::unique_ptr<ScaledBitmap> scaled_;
};

// A width x height bitmap of 32-bit pixels, top-down as the scaler writes them; `bits` receives
// its pixels. Null when GDI cannot make it.
GdiObject<HBITMAP> CreatePixelBitmap(int width, int height, std::uint32_t*& bits);

// "W x H" for a loaded picture, decimal without separators.
std::wstring PictureInfoText(const Picture& picture);
// "W x H", or "Info not available" when the file does not load; never throws.
std::wstring PictureInfoText(const std::wstring& path);

} // namespace orv
