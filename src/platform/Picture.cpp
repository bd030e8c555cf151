#include "platform/Picture.h"

#include "platform/AppError.h"
#include "platform/AreaScale.h"
#include "platform/FileIO.h"
#include "platform/PictureDecode.h"

namespace orv {

// The picture as last drawn, at the size last drawn.
struct ScaledBitmap {
    int width = 0;
    int height = 0;
    GdiObject<HBITMAP> bitmap;
};

namespace {

// Nothing larger can hold a picture we would decode: its pixels uncompressed, plus headers.
constexpr std::uint64_t kMaxFileBytes = kMaxPicturePixels * 4 + (1u << 20);

// The extension as written in the name, without the dot; empty when the name has none.
std::wstring ExtensionOf(const std::wstring& path) {
    size_t at = path.find_last_of(L".\\/:");
    if (at == std::wstring::npos || path[at] != L'.') return {};
    return path.substr(at + 1);
}

bool KindOf(std::wstring extension, PictureKind& kind) {
    static const struct {
        const wchar_t* extension;
        PictureKind kind;
    } kKinds[] = {
        {L"bmp", PictureKind::Bitmap}, {L"jpg", PictureKind::Jpeg},
        {L"jpeg", PictureKind::Jpeg},  {L"ico", PictureKind::Icon},
        {L"emf", PictureKind::EnhancedMetafile}, {L"wmf", PictureKind::WindowsMetafile},
    };
    for (auto& c : extension)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    for (const auto& k : kKinds)
        if (extension == k.extension) {
            kind = k.kind;
            return true;
        }
    return false;
}

[[noreturn]] void ThrowCannotOpen(const std::wstring& path, DWORD code) {
    throw AppError(FormatText(L"Cannot open file \"%s\". %s", {path, SystemErrorText(code)}));
}

// One read of the whole file; the decoders then work from memory.
std::string ReadPictureFile(const std::wstring& path, PictureKind kind) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) ThrowCannotOpen(path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) ThrowCannotOpen(path, GetLastError());
    if (static_cast<std::uint64_t>(size.QuadPart) > kMaxFileBytes) ThrowDamagedPicture(kind, kJpegTooBig);
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t got = 0;
    while (got < bytes.size()) {
        DWORD done = 0;
        if (!ReadFile(file.get(), bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &done, nullptr))
            ThrowCannotOpen(path, GetLastError());
        if (done == 0) break;  // the file shrank meanwhile
        got += done;
    }
    bytes.resize(got);
    return bytes;
}

class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (old_) SelectObject(dc_, old_);
        if (dc_) DeleteDC(dc_);
    }
    HDC get() const { return dc_; }
    void select(HGDIOBJ object) { old_ = SelectObject(dc_, object); }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

} // namespace

Picture Picture::Load(const std::wstring& path) { return LoadScaled(path, 0, 0); }

Picture Picture::LoadForDisplay(const std::wstring& path, int targetWidth, int targetHeight) {
    return LoadScaled(path, targetWidth, targetHeight);
}

Picture Picture::LoadScaled(const std::wstring& path, int targetWidth, int targetHeight) {
    const std::wstring extension = ExtensionOf(path);
    PictureKind kind{};
    if (!KindOf(extension, kind)) throw AppError(FormatText(L"Unknown picture file extension (.%s)", {extension}));
    const std::string bytes = ReadPictureFile(path, kind);
    Picture picture;
    if (kind == PictureKind::EnhancedMetafile || kind == PictureKind::WindowsMetafile)
        picture.metafile_ = DecodeMetafile(kind, bytes, picture.width_, picture.height_);
    else
        picture.pixels_ = DecodeRaster(kind, bytes, targetWidth, targetHeight, picture.width_, picture.height_);
    return picture;
}

Picture::Picture(Picture&&) noexcept = default;
Picture& Picture::operator=(Picture&&) noexcept = default;
Picture::~Picture() = default;

const ScaledBitmap* Picture::ScaledFor(int width, int height) const {
    if (scaled_ && scaled_->width == width && scaled_->height == height) return scaled_.get();
    scaled_.reset();
    if (!pixels_.bytes) return nullptr;
    try {
        auto next = std::make_unique<ScaledBitmap>();
        std::uint32_t* bits = nullptr;
        next->bitmap = CreatePixelBitmap(width, height, bits);
        if (!next->bitmap) return nullptr;
        ScalePixelsInto(width, height, bits);
        next->width = width;
        next->height = height;
        scaled_ = std::move(next);
    } catch (const std::bad_alloc&) {
        return nullptr;  // a paint that cannot get the memory draws nothing rather than failing
    }
    return scaled_.get();
}

void Picture::Draw(HDC dc, const RECT& target) const {
    const int width = target.right - target.left, height = target.bottom - target.top;
    if (width <= 0 || height <= 0) return;
    if (metafile_) {
        PlayEnhMetaFile(dc, metafile_.get(), &target);
        return;
    }
    const ScaledBitmap* scaled = ScaledFor(width, height);
    if (!scaled) return;
    MemoryDc memory(dc);
    if (!memory.get()) return;
    memory.select(scaled->bitmap.get());
    if (pixels_.hasAlpha) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(dc, target.left, target.top, width, height, memory.get(), 0, 0, width, height, blend);
    } else {
        BitBlt(dc, target.left, target.top, width, height, memory.get(), 0, 0, SRCCOPY);
    }
}

std::vector<std::uint32_t> Picture::ScaledPixels(int width, int height) const {
    if (!pixels_.bytes || width <= 0 || height <= 0) return {};
    std::vector<std::uint32_t> out(static_cast<size_t>(width) * height);
    ScalePixelsInto(width, height, out.data());
    return out;
}

bool Picture::ScalePixelsInto(int width, int height, std::uint32_t* out) const {
    if (!pixels_.bytes || width <= 0 || height <= 0) return false;
    PixelView view{pixels_.bytes.get(), pixels_.width, pixels_.height, pixels_.stride, pixels_.bytesPerPixel,
                   pixels_.hasAlpha};
    ScalePixels(view, width, height, out);
    return true;
}

GdiObject<HBITMAP> CreatePixelBitmap(int width, int height, std::uint32_t*& bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* memory = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    if (!memory) bitmap.reset();
    bits = static_cast<std::uint32_t*>(memory);
    return bitmap;
}

std::wstring PictureInfoText(const Picture& picture) {
    return std::to_wstring(picture.width()) + L" x " + std::to_wstring(picture.height());
}

std::wstring PictureInfoText(const std::wstring& path) {
    try {
        return PictureInfoText(Picture::Load(path));
    } catch (...) {
        return L"Info not available";
    }
}

} // namespace orv
