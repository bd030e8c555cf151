#include "platform/PictureDecode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include <objbase.h>
#include <wincodec.h>

#include "platform/AppError.h"
#include "platform/ComApartment.h"

namespace orv {
namespace {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { if (p_) p_->Release(); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T** out() { return &p_; }
    void** outVoid() { return reinterpret_cast<void**>(&p_); }

private:
    T* p_ = nullptr;
};

// mingw-w64's wincodec.h lacks this interface; the layout is the Windows SDK's.
struct SourceTransform : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height, WICPixelFormatGUID* format,
                                                 WICBitmapTransformOptions transform, UINT stride, UINT size,
                                                 BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform, BOOL* supported) = 0;
};
const IID kIidSourceTransform = {0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};

std::uint32_t Le16(std::string_view b, size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
std::uint32_t Be16(std::string_view b, size_t at) {
    return static_cast<std::uint8_t>(b[at]) << 8 | static_cast<std::uint8_t>(b[at + 1]);
}
std::uint8_t Byte(std::string_view b, size_t at) { return static_cast<std::uint8_t>(b[at]); }

// Refuses a declared size before the decoder allocates anything for it.
void CheckDeclaredSize(PictureKind kind, std::uint64_t width, std::uint64_t height) {
    if (width == 0 || height == 0) ThrowDamagedPicture(kind);
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels)
        ThrowDamagedPicture(kind, kJpegTooBig);
}

bool IsStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments up to the start of the scan: the frame header must come first and
// every segment must lie inside the file.
void CheckJpegHeader(std::string_view b) {
    if (b.empty()) ThrowDamagedPicture(PictureKind::Jpeg, kJpegEmpty);
    if (b.size() < 2 || Byte(b, 0) != 0xFF || Byte(b, 1) != 0xD8) ThrowDamagedPicture(PictureKind::Jpeg, kJpegNotJpeg);
    bool frame = false;
    for (size_t pos = 2;;) {
        if (pos >= b.size()) ThrowDamagedPicture(PictureKind::Jpeg, kJpegEndOfFile);
        if (Byte(b, pos) != 0xFF) ThrowDamagedPicture(PictureKind::Jpeg, kJpegNotJpeg);
        while (pos < b.size() && Byte(b, pos) == 0xFF) ++pos;  // fill bytes
        if (pos >= b.size()) ThrowDamagedPicture(PictureKind::Jpeg, kJpegEndOfFile);
        std::uint8_t marker = Byte(b, pos++);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length field
        if (marker == 0x00 || marker == 0xD8 || marker == 0xD9) ThrowDamagedPicture(PictureKind::Jpeg, kJpegNotJpeg);
        if (pos + 2 > b.size()) ThrowDamagedPicture(PictureKind::Jpeg, kJpegEndOfFile);
        size_t length = Be16(b, pos);
        if (length < 2) ThrowDamagedPicture(PictureKind::Jpeg, kJpegNotJpeg);
        if (pos + length > b.size()) ThrowDamagedPicture(PictureKind::Jpeg, kJpegEndOfFile);
        if (IsStartOfFrame(marker)) {
            if (length < 8) ThrowDamagedPicture(PictureKind::Jpeg, kJpegNotJpeg);
            CheckDeclaredSize(PictureKind::Jpeg, Be16(b, pos + 5), Be16(b, pos + 3));
            frame = true;
        }
        if (marker == 0xDA) {
            if (!frame) ThrowDamagedPicture(PictureKind::Jpeg, kJpegNotJpeg);
            return;
        }
        pos += length;
    }
}

// The headers, and for uncompressed rows that the file holds all of them.
void CheckBitmapHeader(std::string_view b) {
    const auto kind = PictureKind::Bitmap;
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') ThrowDamagedPicture(kind);
    std::uint32_t infoSize = Le32(b, 14);
    std::int64_t width = 0, height = 0;
    std::uint32_t bits = 0, compression = BI_RGB;
    if (infoSize == sizeof(BITMAPCOREHEADER)) {
        width = Le16(b, 18);
        height = Le16(b, 20);
        bits = Le16(b, 24);
    } else if (infoSize >= sizeof(BITMAPINFOHEADER) && b.size() >= 14 + sizeof(BITMAPINFOHEADER)) {
        width = static_cast<std::int32_t>(Le32(b, 18));
        height = static_cast<std::int32_t>(Le32(b, 22));
        bits = Le16(b, 28);
        compression = Le32(b, 30);
    } else {
        ThrowDamagedPicture(kind);
    }
    if (width <= 0 || height == 0) ThrowDamagedPicture(kind);
    if (height < 0) height = -height;  // top-down rows
    CheckDeclaredSize(kind, static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height));
    if (compression == BI_RGB || compression == BI_BITFIELDS) {
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) ThrowDamagedPicture(kind);
        std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
        if (Le32(b, 10) + stride * static_cast<std::uint64_t>(height) > b.size()) ThrowDamagedPicture(kind);
    }
}

// The commonest layout, what wallpapers are saved as, copied row by row without WIC, which is
// slow to start: a 40-byte header, no compression, 24 or 32 bits. Runs after CheckBitmapHeader,
// which has checked the size and that the file holds every row. False for any other layout.
bool DecodePlainBitmap(std::string_view b, PixelBuffer& pixels) {
    if (Le32(b, 14) != sizeof(BITMAPINFOHEADER)) return false;  // only then are 54 bytes there
    const std::uint32_t bits = Le16(b, 28);
    if (Le32(b, 30) != BI_RGB || (bits != 24 && bits != 32)) return false;
    const auto width = static_cast<std::int32_t>(Le32(b, 18)), declared = static_cast<std::int32_t>(Le32(b, 22));
    const bool topDown = declared < 0;
    const int height = topDown ? -declared : declared;
    const size_t fileStride = (static_cast<size_t>(width) * bits + 31) / 32 * 4, offset = Le32(b, 10);
    pixels.width = width;
    pixels.height = height;
    pixels.bytesPerPixel = static_cast<int>(bits / 8);
    pixels.stride = width * pixels.bytesPerPixel;
    pixels.hasAlpha = false;  // the fourth byte of a plain 32-bit bitmap means nothing
    const size_t rowBytes = static_cast<size_t>(pixels.stride);
    pixels.bytes.reset(new (std::nothrow) std::uint8_t[rowBytes * static_cast<size_t>(height)]);
    if (!pixels.bytes) ThrowDamagedPicture(PictureKind::Bitmap);
    for (int y = 0; y < height; ++y) {
        const size_t fileRow = static_cast<size_t>(topDown ? y : height - 1 - y);
        std::memcpy(pixels.bytes.get() + rowBytes * static_cast<size_t>(y), b.data() + offset + fileStride * fileRow,
                    rowBytes);
    }
    return true;
}

void CheckIconHeader(std::string_view b) {
    const auto kind = PictureKind::Icon;
    if (b.size() < 6 + 16 || Le16(b, 0) != 0 || Le16(b, 2) != 1) ThrowDamagedPicture(kind);
    size_t count = Le16(b, 4);
    if (count == 0 || b.size() < 6 + 16 * count) ThrowDamagedPicture(kind);
    for (size_t i = 0; i < count; ++i) {
        std::uint64_t size = Le32(b, 6 + 16 * i + 8), offset = Le32(b, 6 + 16 * i + 12);
        if (size == 0 || offset + size > b.size()) ThrowDamagedPicture(kind);
    }
}

IWICImagingFactory* WicFactory() {
    // Made once and kept for the life of the process: releasing it from a static destructor
    // could come after COM has gone.
    static IWICImagingFactory* factory = nullptr;
    if (!factory) {
        EnsureComApartment();
        HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(&factory));
        if (FAILED(hr)) factory = nullptr;
    }
    return factory;
}

const GUID& ContainerOf(PictureKind kind) {
    switch (kind) {
    case PictureKind::Jpeg: return GUID_ContainerFormatJpeg;
    case PictureKind::Icon: return GUID_ContainerFormatIco;
    default: return GUID_ContainerFormatBmp;
    }
}

// Icons hold several images; the largest looks best stretched over the pane.
void LargestFrame(PictureKind kind, IWICBitmapDecoder* decoder, ComPtr<IWICBitmapFrameDecode>& frame) {
    UINT count = 0;
    if (FAILED(decoder->GetFrameCount(&count)) || count == 0) ThrowDamagedPicture(kind);
    UINT best = 0;
    std::uint64_t bestArea = 0;
    for (UINT i = 0; i < count && kind == PictureKind::Icon; ++i) {
        ComPtr<IWICBitmapFrameDecode> candidate;
        UINT w = 0, h = 0;
        if (SUCCEEDED(decoder->GetFrame(i, candidate.out())) && SUCCEEDED(candidate->GetSize(&w, &h)) &&
            std::uint64_t{w} * h > bestArea) {
            best = i;
            bestArea = std::uint64_t{w} * h;
        }
    }
    if (FAILED(decoder->GetFrame(best, frame.out()))) ThrowDamagedPicture(kind);
}

bool IsDirectFormat(const WICPixelFormatGUID& f) {
    return f == GUID_WICPixelFormat24bppBGR || f == GUID_WICPixelFormat32bppBGR || f == GUID_WICPixelFormat32bppPBGRA;
}

PixelBuffer AllocatePixels(PictureKind kind, UINT width, UINT height, const WICPixelFormatGUID& format) {
    CheckDeclaredSize(kind, width, height);
    PixelBuffer pixels;
    pixels.width = static_cast<int>(width);
    pixels.height = static_cast<int>(height);
    pixels.bytesPerPixel = format == GUID_WICPixelFormat24bppBGR ? 3 : 4;
    pixels.hasAlpha = format == GUID_WICPixelFormat32bppPBGRA;
    pixels.stride = pixels.width * pixels.bytesPerPixel;
    pixels.bytes.reset(new (std::nothrow) std::uint8_t[static_cast<size_t>(pixels.stride) * height]);
    if (!pixels.bytes) ThrowDamagedPicture(kind, kJpegNoMemory);
    return pixels;
}

// Opaque pictures are drawn with a plain copy; only real transparency needs blending.
void NoteTransparency(PixelBuffer& pixels) {
    if (!pixels.hasAlpha) return;
    const size_t n = static_cast<size_t>(pixels.stride) * pixels.height;
    for (size_t i = 3; i < n; i += 4)
        if (pixels.bytes[i] != 255) return;
    pixels.hasAlpha = false;
}

// Real Windows' JPEG decoder can scale while decoding; use the smallest size it offers that
// still covers the target. Returns an empty buffer where that is not on offer.
PixelBuffer DecodeScaled(PictureKind kind, IWICBitmapFrameDecode* frame, UINT width, UINT height, int targetWidth,
                         int targetHeight) {
    ComPtr<SourceTransform> transform;
    if (targetWidth <= 0 || targetHeight <= 0 ||
        FAILED(frame->QueryInterface(kIidSourceTransform, transform.outVoid())))
        return {};
    double scale = std::max(double(targetWidth) / width, double(targetHeight) / height);
    if (scale >= 1) return {};
    UINT needW = static_cast<UINT>(std::ceil(width * scale)), needH = static_cast<UINT>(std::ceil(height * scale));
    UINT w = needW, h = needH;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(transform->GetClosestSize(&w, &h)) || w < needW || h < needH || w >= width ||
        FAILED(transform->GetClosestPixelFormat(&format)) || !IsDirectFormat(format))
        return {};
    PixelBuffer pixels = AllocatePixels(kind, w, h, format);
    if (FAILED(transform->CopyPixels(nullptr, w, h, &format, WICBitmapTransformRotate0, pixels.stride,
                                     static_cast<UINT>(pixels.stride) * h, pixels.bytes.get())))
        return {};
    return pixels;
}

PixelBuffer DecodeFull(PictureKind kind, IWICBitmapFrameDecode* frame) {
    WICPixelFormatGUID format{};
    if (FAILED(frame->GetPixelFormat(&format))) ThrowDamagedPicture(kind);
    ComPtr<IWICBitmapSource> converted;
    IWICBitmapSource* source = frame;
    if (!IsDirectFormat(format)) {
        format = GUID_WICPixelFormat32bppPBGRA;
        if (FAILED(WICConvertBitmapSource(format, frame, converted.out()))) ThrowDamagedPicture(kind);
        source = converted.get();
    }
    UINT w = 0, h = 0;
    if (FAILED(source->GetSize(&w, &h))) ThrowDamagedPicture(kind);
    PixelBuffer pixels = AllocatePixels(kind, w, h, format);
    if (FAILED(source->CopyPixels(nullptr, pixels.stride, static_cast<UINT>(pixels.stride) * h, pixels.bytes.get())))
        ThrowDamagedPicture(kind);
    return pixels;
}

} // namespace

void ThrowDamagedPicture(PictureKind kind, int jpegCode) {
    if (kind == PictureKind::Jpeg) throw AppError(FormatText(L"JPEG error #%s", {std::to_wstring(jpegCode)}));
    throw AppError(L"Bitmap image is not valid");
}

PixelBuffer DecodeRaster(PictureKind kind, std::string_view bytes, int targetWidth, int targetHeight, int& width,
                         int& height) {
    if (kind == PictureKind::Jpeg) CheckJpegHeader(bytes);
    else if (kind == PictureKind::Bitmap) CheckBitmapHeader(bytes);
    else CheckIconHeader(bytes);
    if (PixelBuffer plain; kind == PictureKind::Bitmap && DecodePlainBitmap(bytes, plain)) {
        width = plain.width;
        height = plain.height;
        return plain;
    }

    IWICImagingFactory* factory = WicFactory();
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    // The decoder is the one the extension names: the file's content does not choose it.
    if (!factory || FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoder(ContainerOf(kind), nullptr, decoder.out())) ||
        FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)))
        ThrowDamagedPicture(kind);
    LargestFrame(kind, decoder.get(), frame);
    UINT w = 0, h = 0;
    if (FAILED(frame->GetSize(&w, &h))) ThrowDamagedPicture(kind);
    CheckDeclaredSize(kind, w, h);
    width = static_cast<int>(w);
    height = static_cast<int>(h);

    PixelBuffer pixels = DecodeScaled(kind, frame.get(), w, h, targetWidth, targetHeight);
    if (!pixels.bytes) pixels = DecodeFull(kind, frame.get());
    NoteTransparency(pixels);
    return pixels;
}

} // namespace orv
