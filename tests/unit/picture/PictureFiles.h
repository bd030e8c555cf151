#pragma once
// Picture files made at run time, in a temporary folder: written byte by byte where the format
// is simple (BMP, ICO, placeable WMF), through WIC's encoders (JPEG, PNG) and GDI (EMF, WMF).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace orv::testfiles {

// A folder under the user's temporary folder, removed with its files when this goes.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    std::wstring file(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }

private:
    std::wstring path_;
};

// 0xAARRGGBB values, top-down.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
Image MakeImage(int width, int height, const std::function<std::uint32_t(int x, int y)>& colour);

constexpr std::uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000, kGreen = 0xFF00FF00,
                        kBlue = 0xFF0000FF;

void WriteBytes(const std::wstring& path, std::string_view bytes);
std::string ReadBytes(const std::wstring& path);

std::string BmpBytes(const Image& image, int bits = 24, bool topDown = false);  // 24 or 32 bits, no compression
std::string IcoBytes(const std::vector<Image>& images);   // 32-bit images with alpha
// JPEG or PNG through WIC's encoder (container GUID_ContainerFormatJpeg / ...Png). The rows are
// made one band at a time, so a 24-megapixel picture needs no full-size buffer.
void EncodeWithWic(const std::wstring& path, const GUID& container, int width, int height,
                   const std::function<std::uint32_t(int x, int y)>& colour);
// A metafile frame of width x height screen pixels filled with `colour`.
void WriteEmf(const std::wstring& path, int width, int height, COLORREF colour);
// A Windows metafile drawing a filled width x height rectangle, with its window extent set to
// that size. With a placeable size, an Aldus header gives those bounds in screen pixels.
void WriteWmf(const std::wstring& path, int width, int height, COLORREF colour, int placeableWidth = 0,
              int placeableHeight = 0);

// Metafiles of 60 x 40 screen pixels holding one of every kind of record whose contents the
// loader checks before GDI plays them: text, polygons, regions, bitmaps, pattern brushes, pens.
void WriteSamplerEmf(const std::wstring& path);
void WriteSamplerWmf(const std::wstring& path);

} // namespace orv::testfiles
