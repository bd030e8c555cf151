#include "app/Resources.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "app/res/resource.h"
#include "platform/Handle.h"

namespace orv {
namespace {

// 32-bit pixels as GDI lays them out: 0xAARRGGBB, straight alpha, rows top-down.
using Pixels = std::vector<uint32_t>;

struct Colour {
    double r, g, b, a = 1.0;
};

Colour Mix(const Colour& from, const Colour& to, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

// Paints top over bottom where top covers the fraction `cover` of the pixel.
Colour Over(const Colour& bottom, const Colour& top, double cover) {
    return Mix(bottom, top, cover * top.a);
}

uint32_t Pack(const Colour& c) {
    auto byte = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0) + 0.5); };
    return byte(c.a * 255.0) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

double Smooth(double edge0, double edge1, double x) {
    double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// The module these functions are linked into: ORV.exe's resources are linked into the same one.
HMODULE ResourceModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ResourceModule), &module);
    return module;
}

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

GdiObject<HBITMAP> ColourBitmap(const Pixels& pixels, int width, int height) {
    BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap) std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
    return bitmap;
}

// Monochrome mask, set where a pixel is (nearly) transparent: what mask-based drawing expects.
GdiObject<HBITMAP> MaskBitmap(const Pixels& pixels, int width, int height) {
    const int stride = (width + 15) / 16 * 2; // CreateBitmap rows are word-aligned
    std::vector<BYTE> bits(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((pixels[y * width + x] >> 24) <= 25) bits[y * stride + x / 8] |= 0x80 >> (x % 8);
    return GdiObject<HBITMAP>(CreateBitmap(width, height, 1, 1, bits.data()));
}

// ---------------------------------------------------------------------------------------------
// The program icon drawn in code: the emblem's shapes without the resource file's detail.

Colour IconSample(double x, double y, int size) {
    const double u = size / 16.0;
    const double half = size / 2.0, corner = 3.0 * u, border = std::max(2.0, std::round(1.6 * u));
    // Distance outside a rounded square centred in the icon (negative inside).
    auto outside = [&](double inset) {
        double r = std::max(0.0, corner - inset);
        double qx = std::fabs(x - half) - (half - inset - r), qy = std::fabs(y - half) - (half - inset - r);
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
    };
    const Colour none{0, 0, 0, 0}, frame{36, 84, 160};
    if (outside(0.0) > 0.0) return none;
    if (outside(border) > 0.0) return frame;
    const double top = border, bottom = size - border, h = bottom - top;
    const double v = (y - top) / h;
    Colour c = Mix({96, 168, 236}, {186, 224, 250}, v);
    if (std::hypot(x - (top + 0.7 * h), y - (top + 0.32 * h)) < 0.17 * h) c = {255, 204, 52};
    if (v > 0.68 + 0.2 * std::pow((x - top) / h - 0.3, 2.0)) c = {120, 196, 84};
    return c;
}

HICON DrawnIcon(int size) {
    Pixels pixels(static_cast<size_t>(size) * size);
    const int grid = 4; // samples per pixel and axis, for smooth edges
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Colour sum{0, 0, 0, 0};
            for (int sy = 0; sy < grid; ++sy)
                for (int sx = 0; sx < grid; ++sx) {
                    Colour s = IconSample(x + (sx + 0.5) / grid, y + (sy + 0.5) / grid, size);
                    sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
                }
            Colour c = sum.a > 0 ? Colour{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / (grid * grid)}
                                 : Colour{0, 0, 0, 0};
            pixels[y * size + x] = Pack(c);
        }
    GdiObject<HBITMAP> colour = ColourBitmap(pixels, size, size), mask = MaskBitmap(pixels, size, size);
    if (!colour || !mask) return nullptr;
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour.get();
    info.hbmMask = mask.get();
    return CreateIconIndirect(&info); // copies the bitmaps
}

// ---------------------------------------------------------------------------------------------
// The tool bar strip: 13 cells of 16 x 16 side by side.

Pixels ToolbarStrip() {
    const int width = kToolbarPictureCount * kToolbarPictureSize, height = kToolbarPictureSize;
    Pixels pixels(static_cast<size_t>(width) * height, 0);
    GdiObject<HBITMAP> strip(static_cast<HBITMAP>(LoadImageW(ResourceModule(), MAKEINTRESOURCEW(IDB_TOOLBAR),
                                                             IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip) return pixels;
    DIBSECTION dib{};
    if (GetObjectW(strip.get(), sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits &&
        dib.dsBm.bmBitsPixel == 32 && dib.dsBm.bmWidth == width && dib.dsBm.bmHeight == height) {
        const auto* bits = static_cast<const uint32_t*>(dib.dsBm.bmBits);
        const bool bottomUp = dib.dsBmih.biHeight > 0;
        for (int y = 0; y < height; ++y)
            std::copy_n(bits + (bottomUp ? height - 1 - y : y) * width, width, pixels.begin() + y * width);
    }
    return pixels;
}

HIMAGELIST ImageListOf(const Pixels& pixels) {
    const int width = kToolbarPictureCount * kToolbarPictureSize, height = kToolbarPictureSize;
    HIMAGELIST list = ImageList_Create(kToolbarPictureSize, kToolbarPictureSize, ILC_COLOR32 | ILC_MASK,
                                       kToolbarPictureCount, 0);
    if (!list) return nullptr;
    GdiObject<HBITMAP> colour = ColourBitmap(pixels, width, height), mask = MaskBitmap(pixels, width, height);
    if (colour && mask) ImageList_Add(list, colour.get(), mask.get()); // copies the bitmaps
    return list;
}

// ---------------------------------------------------------------------------------------------
// The About picture: a pale sky over soft hills and a meadow, a sun on the right. Pastel all over,
// and paler still on the left, where the labels are.

// Height of a hill line (fraction of the picture, from the top) across the picture (u from 0 to 1).
double FarHills(double u) {
    const double d = (u - 0.72) / 0.16;
    return 0.60 - 0.05 * std::sin(u * 7.0 + 0.8) - 0.06 * std::exp(-d * d);
}
double MidHills(double u) {
    const double d = (u - 0.86) / 0.22;
    return 0.71 - 0.11 * std::exp(-d * d) - 0.02 * std::sin(u * 5.0);
}
double Meadow(double u) {
    return 0.83 - 0.03 * std::sin(u * 3.3 + 1.2);
}

Pixels RenderAbout(int w, int h) {
    struct Column {
        double farHill, midHill, meadow, pale;
    };
    std::vector<Column> columns(w);
    for (int x = 0; x < w; ++x) {
        const double u = (x + 0.5) / w;
        columns[x] = {FarHills(u), MidHills(u), Meadow(u), 0.28 * (1.0 - Smooth(0.35, 0.75, u))};
    }
    const double sunX = 0.86 * w, sunY = 0.22 * h, radius = 0.085 * h, glow = 1.6 * radius;
    // A faint cloud: an ellipse with a soft edge; returns its cover at (x, y).
    auto cloud = [](double x, double y, double cx, double cy, double rx, double ry) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return 1.0 - Smooth(0.55, 1.0, dx * dx + dy * dy);
    };
    Pixels pixels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const double v = (y + 0.5) / h, py = y + 0.5;
        const Colour sky = Mix({188, 218, 246}, {242, 247, 250}, v / 0.62); // lighter towards the horizon
        for (int x = 0; x < w; ++x) {
            const Column& col = columns[x];
            const double px = x + 0.5;
            Colour c = sky;
            if (v < 0.6) {
                // Sun with a soft glow, measured in pixels so it stays round when stretched.
                const double distance = std::hypot(px - sunX, py - sunY);
                if (distance < radius + 3.0 * glow) {
                    const double d = std::max(0.0, distance - radius) / glow;
                    c = Over(c, {255, 240, 200}, 0.55 * std::exp(-d * d));
                    c = Over(c, {255, 222, 120}, std::clamp(radius - distance + 0.5, 0.0, 1.0));
                }
                if (v < 0.3)
                    c = Over(c, {255, 255, 255},
                             0.55 * std::max(cloud(px, py, 0.55 * w, 0.16 * h, 0.13 * w, 0.05 * h),
                                             cloud(px, py, 0.62 * w, 0.20 * h, 0.09 * w, 0.04 * h)));
            }
            // Hills, each edge softened over one pixel.
            auto land = [&](double edge, const Colour& top, const Colour& bottom) {
                const double cover = std::clamp((v - edge) * h + 0.5, 0.0, 1.0);
                if (cover > 0.0) c = Over(c, Mix(top, bottom, (v - edge) / 0.3), cover);
            };
            land(col.farHill, {204, 226, 218}, {214, 232, 214});
            land(col.midHill, {196, 228, 176}, {214, 238, 196});
            land(col.meadow, {214, 238, 190}, {202, 232, 178});
            c = Mix(c, {255, 255, 255}, col.pale); // paler where the text sits
            c.a = 1.0;
            pixels[y * w + x] = Pack(c);
        }
    }
    return pixels;
}

} // namespace

HICON ProgramIcon(int size) {
    auto icon = static_cast<HICON>(
        LoadImageW(ResourceModule(), MAKEINTRESOURCEW(IDI_ORVANE), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    return icon ? icon : DrawnIcon(size);
}

HIMAGELIST ToolbarImages() {
    return ImageListOf(ToolbarStrip());
}

HIMAGELIST ToolbarImagesDisabled() {
    Pixels pixels = ToolbarStrip();
    for (auto& p : pixels) {
        const double r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF, a = p >> 24;
        const double grey = 0.30 * r + 0.59 * g + 0.11 * b;
        const double light = 96.0 + grey * 0.55; // flatter contrast reads as "not now"
        p = Pack({light, light, light, a * 0.55 / 255.0});
    }
    return ImageListOf(pixels);
}

void PaintAboutPicture(HDC dc, const RECT& area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    // Every label over the picture repaints it; draw it once per size (one GUI thread).
    static Pixels cached;
    static int cachedW = 0, cachedH = 0;
    if (w != cachedW || h != cachedH) {
        cached = RenderAbout(w, h);
        cachedW = w;
        cachedH = h;
    }
    BITMAPINFO info = TopDownInfo(w, h);
    SetDIBitsToDevice(dc, area.left, area.top, w, h, 0, 0, 0, h, cached.data(), &info, DIB_RGB_COLORS);
}

} // namespace orv
