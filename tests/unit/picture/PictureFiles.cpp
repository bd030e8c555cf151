#include "unit/picture/PictureFiles.h"

#include <algorithm>
#include <stdexcept>

#include <objbase.h>
#include <wincodec.h>

namespace orv::testfiles {
namespace {

void Check(bool ok, const char* what) {
    if (!ok) throw std::runtime_error(std::string("making a test picture failed: ") + what);
}
void Check(HRESULT hr, const char* what) { Check(SUCCEEDED(hr), what); }

template <typename T>
struct Com {
    T* p = nullptr;
    Com() = default;
    Com(const Com&) = delete;
    ~Com() { if (p) p->Release(); }
    T* operator->() const { return p; }
};

void Put16(std::string& s, unsigned v) { s += char(v & 0xFF), s += char(v >> 8 & 0xFF); }
void Put32(std::string& s, std::uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

void PutInfoHeader(std::string& s, int width, int height, int bits, std::uint32_t imageBytes) {
    Put32(s, 40);
    Put32(s, static_cast<std::uint32_t>(width));
    Put32(s, static_cast<std::uint32_t>(height));
    Put16(s, 1);
    Put16(s, static_cast<unsigned>(bits));
    Put32(s, BI_RGB);
    Put32(s, imageBytes);
    Put32(s, 0), Put32(s, 0), Put32(s, 0), Put32(s, 0);
}

} // namespace

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    path_ = std::wstring(base) + L"orv-picture-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter);
    Check(CreateDirectoryW(path_.c_str(), nullptr) != 0, "temporary folder");
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(file(found.cFileName).c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(path_.c_str());
}

Image MakeImage(int width, int height, const std::function<std::uint32_t(int x, int y)>& colour) {
    Image image{width, height, {}};
    image.pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.pixels.push_back(colour(x, y));
    return image;
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    Check(h != INVALID_HANDLE_VALUE, "create file");
    DWORD done = 0;
    bool ok = bytes.empty() || (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                                done == bytes.size());
    CloseHandle(h);
    Check(ok, "write file");
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    Check(h != INVALID_HANDLE_VALUE, "open file");
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD done = 0;
    bool ok = ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
    CloseHandle(h);
    Check(ok, "read file");
    return bytes;
}

std::string BmpBytes(const Image& image, int bits, bool topDown) {
    const int bytesPerPixel = bits / 8;
    const std::uint32_t stride = (static_cast<std::uint32_t>(image.width) * bytesPerPixel + 3) & ~3u;
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(image.height);
    std::string s = "BM";
    Put32(s, 54 + imageBytes);
    Put32(s, 0);
    Put32(s, 54);
    PutInfoHeader(s, image.width, topDown ? -image.height : image.height, bits, imageBytes);
    for (int row = 0; row < image.height; ++row) {
        const int y = topDown ? row : image.height - 1 - row;
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t c = image.at(x, y);
            s += char(c & 0xFF), s += char(c >> 8 & 0xFF), s += char(c >> 16 & 0xFF);
            if (bytesPerPixel == 4) s += '\x7F';  // not alpha in a plain bitmap
        }
        s.append(stride - static_cast<std::uint32_t>(image.width) * bytesPerPixel, '\0');
    }
    return s;
}

std::string IcoBytes(const std::vector<Image>& images) {
    std::string s;
    Put16(s, 0), Put16(s, 1), Put16(s, static_cast<unsigned>(images.size()));
    std::vector<std::string> bodies;
    for (const Image& image : images) {
        const std::uint32_t maskStride = (static_cast<std::uint32_t>(image.width) + 31) / 32 * 4;
        std::string body;
        PutInfoHeader(body, image.width, image.height * 2, 32, 0);
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x) Put32(body, image.at(x, y));
        body.append(maskStride * static_cast<std::uint32_t>(image.height), '\0');  // the alpha decides
        bodies.push_back(body);
    }
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        s += char(images[i].width & 0xFF), s += char(images[i].height & 0xFF), s += '\0', s += '\0';
        Put16(s, 1), Put16(s, 32);
        Put32(s, static_cast<std::uint32_t>(bodies[i].size()));
        Put32(s, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) s += body;
    return s;
}

void EncodeWithWic(const std::wstring& path, const GUID& container, int width, int height,
                   const std::function<std::uint32_t(int x, int y)>& colour) {
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           reinterpret_cast<void**>(&factory.p)), "WIC factory");
    Check(factory->CreateStream(&stream.p), "stream");
    Check(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE), "stream file");
    Check(factory->CreateEncoder(container, nullptr, &encoder.p), "encoder");
    Check(encoder->Initialize(stream.p, WICBitmapEncoderNoCache), "encoder init");
    Check(encoder->CreateNewFrame(&frame.p, &options.p), "frame");
    Check(frame->Initialize(options.p), "frame init");
    Check(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)), "size");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "format");
    Check(format == GUID_WICPixelFormat24bppBGR, "24-bit format");
    const UINT stride = static_cast<UINT>(width) * 3;
    constexpr int kBand = 64;
    std::vector<BYTE> rows(static_cast<size_t>(stride) * kBand);
    for (int top = 0; top < height; top += kBand) {
        const int count = std::min(kBand, height - top);
        BYTE* p = rows.data();
        for (int y = top; y < top + count; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint32_t c = colour(x, y);
                *p++ = BYTE(c & 0xFF), *p++ = BYTE(c >> 8 & 0xFF), *p++ = BYTE(c >> 16 & 0xFF);
            }
        Check(frame->WritePixels(static_cast<UINT>(count), stride, stride * static_cast<UINT>(count), rows.data()),
              "pixels");
    }
    Check(frame->Commit(), "frame commit");
    Check(encoder->Commit(), "encoder commit");
}

void WriteEmf(const std::wstring& path, int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    RECT frame{0, 0, MulDiv(width, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
               MulDiv(height, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
    HDC dc = CreateEnhMetaFileW(screen, path.c_str(), &frame, nullptr);
    ReleaseDC(nullptr, screen);
    Check(dc != nullptr, "EMF");
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    HENHMETAFILE done = CloseEnhMetaFile(dc);
    Check(done != nullptr, "EMF close");
    DeleteEnhMetaFile(done);
}

void WriteWmf(const std::wstring& path, int width, int height, COLORREF colour, int placeableWidth,
              int placeableHeight) {
    HDC dc = CreateMetaFileW(nullptr);
    Check(dc != nullptr, "WMF");
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetWindowExtEx(dc, width, height, nullptr);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old = SelectObject(dc, brush);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 0, 0, width + 1, height + 1);
    SelectObject(dc, old);
    DeleteObject(brush);
    HMETAFILE metafile = CloseMetaFile(dc);
    Check(metafile != nullptr, "WMF close");
    std::string bits(GetMetaFileBitsEx(metafile, 0, nullptr), '\0');
    GetMetaFileBitsEx(metafile, static_cast<UINT>(bits.size()), bits.data());
    DeleteMetaFile(metafile);
    std::string s;
    if (placeableWidth > 0) {
        // Bounds in units of the screen's own pixels an inch, so they come back as those pixels.
        HDC screen = GetDC(nullptr);
        const unsigned inch = static_cast<unsigned>(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
        Put32(s, 0x9AC6CDD7);
        Put16(s, 0), Put16(s, 0), Put16(s, 0);
        Put16(s, static_cast<unsigned>(placeableWidth)), Put16(s, static_cast<unsigned>(placeableHeight));
        Put16(s, inch);
        Put32(s, 0);
        unsigned sum = 0;
        for (size_t i = 0; i < s.size(); i += 2)
            sum ^= static_cast<std::uint8_t>(s[i]) | static_cast<std::uint8_t>(s[i + 1]) << 8;
        Put16(s, sum);
    }
    WriteBytes(path, s + bits);
}

namespace {

void DrawSampler(HDC dc) {
    HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
    RECT r{2, 2, 50, 30};
    FillRect(dc, &r, brush);
    POINT points[] = {{1, 1}, {40, 5}, {20, 30}, {3, 25}};
    HGDIOBJ old = SelectObject(dc, brush);
    Polygon(dc, points, 4);
    Polyline(dc, points, 4);
    INT counts[] = {2, 2};
    PolyPolygon(dc, points, counts, 2);
    TextOutW(dc, 5, 5, L"Hello", 5);
    INT spacing[] = {5, 5, 5};
    ExtTextOutW(dc, 5, 15, ETO_CLIPPED, &r, L"abc", 3, spacing);
    HRGN region = CreateRectRgn(3, 3, 20, 20);
    FillRgn(dc, region, brush);
    FrameRgn(dc, region, brush, 1, 1);
    SelectClipRgn(dc, region);
    SelectClipRgn(dc, nullptr);
    DeleteObject(region);
    std::uint32_t pixels[16];
    for (auto& p : pixels) p = 0x00FF8040;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 32, BI_RGB, sizeof(pixels), 0, 0, 0, 0};
    StretchDIBits(dc, 0, 0, 20, 20, 0, 0, 4, 4, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
    SetDIBitsToDevice(dc, 0, 0, 4, 4, 0, 0, 0, 4, pixels, &info, DIB_RGB_COLORS);
    HBITMAP mono = CreateBitmap(8, 8, 1, 1, nullptr);
    HBRUSH pattern = CreatePatternBrush(mono);
    SelectObject(dc, pattern);
    Rectangle(dc, 5, 5, 30, 30);
    LOGBRUSH solid{BS_SOLID, RGB(1, 2, 3), 0};
    DWORD dashes[] = {2, 3};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 2, &solid, 2, dashes);
    SelectObject(dc, pen);
    LineTo(dc, 40, 40);
    PatBlt(dc, 0, 0, 5, 5, PATCOPY);
    SelectObject(dc, old);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
    DeleteObject(pattern);
    DeleteObject(mono);
    DeleteObject(brush);
}

} // namespace

void WriteSamplerEmf(const std::wstring& path) {
    HDC screen = GetDC(nullptr);
    RECT frame{0, 0, MulDiv(60, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
               MulDiv(40, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
    HDC dc = CreateEnhMetaFileW(screen, path.c_str(), &frame, nullptr);
    ReleaseDC(nullptr, screen);
    Check(dc != nullptr, "sampler EMF");
    DrawSampler(dc);
    HENHMETAFILE done = CloseEnhMetaFile(dc);
    Check(done != nullptr, "sampler EMF close");
    DeleteEnhMetaFile(done);
}

void WriteSamplerWmf(const std::wstring& path) {
    HDC dc = CreateMetaFileW(path.c_str());
    Check(dc != nullptr, "sampler WMF");
    SetWindowExtEx(dc, 60, 40, nullptr);
    DrawSampler(dc);
    HMETAFILE done = CloseMetaFile(dc);
    Check(done != nullptr, "sampler WMF close");
    DeleteMetaFile(done);
}

} // namespace orv::testfiles
