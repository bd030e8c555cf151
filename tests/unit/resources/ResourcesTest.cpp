#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "app/Resources.h"

namespace orv {
namespace {

// A 32-bit top-down memory surface to draw on and read back.
class Surface {
  public:
    Surface(int w, int h, uint32_t fill) : w_(w), h_(h) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint32_t*>(bits);
        std::fill(bits_, bits_ + w * h, fill);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC dc() const { return dc_; }
    uint32_t At(int x, int y) const {
        GdiFlush();
        return bits_[y * w_ + x] & 0xFFFFFF;
    }

  private:
    int w_, h_;
    HBITMAP bitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

int Red(uint32_t p) {
    return (p >> 16) & 0xFF;
}
int Green(uint32_t p) {
    return (p >> 8) & 0xFF;
}
int Blue(uint32_t p) {
    return p & 0xFF;
}

// Relative luminance and contrast ratio as the WCAG define them.
double Luminance(int r, int g, int b) {
    auto channel = [](int v) {
        double c = v / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
}
double Contrast(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

TEST(ProgramIcon, ComesInTheAskedSizesWithAlpha) {
    for (int size : {16, 32, 128}) {
        HICON icon = ProgramIcon(size);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bm{};
        ASSERT_NE(info.hbmColor, nullptr) << size;
        GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        EXPECT_EQ(bm.bmHeight, size);
        EXPECT_EQ(bm.bmBitsPixel, 32) << size;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ToolbarImages, HoldsThirteenPicturesOfSixteenPixels) {
    HIMAGELIST list = ToolbarImages();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), 13);
    int w = 0, h = 0;
    ImageList_GetIconSize(list, &w, &h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 16);
    ImageList_Destroy(list);
}

// Add Item(s) (2) carries a green badge, Delete Item (3) a red one; both leave their corners
// transparent, so alpha survived the load.
TEST(ToolbarImages, DrawWithTransparencyInActionOrder) {
    HIMAGELIST list = ToolbarImages();
    ASSERT_NE(list, nullptr);
    for (int index : {2, 3}) {
        Surface surface(16, 16, 0xFFFFFF);
        ASSERT_TRUE(ImageList_Draw(list, index, surface.dc(), 0, 0, ILD_TRANSPARENT));
        EXPECT_EQ(surface.At(0, 0), 0xFFFFFFu) << index;
        uint32_t badge = surface.At(13, 13); // inside the badge, off its sign
        if (index == 2)
            EXPECT_GT(Green(badge), Red(badge) + 60) << std::hex << badge;
        else
            EXPECT_GT(Red(badge), Green(badge) + 60) << std::hex << badge;
    }
    ImageList_Destroy(list);
}

TEST(PaintAboutPicture, FillsTheAreaWithAPictureLightBehindTheText) {
    const int w = 452, h = 243;
    Surface surface(w + 10, h + 10, 0x000000);
    PaintAboutPicture(surface.dc(), RECT{5, 5, 5 + w, 5 + h});

    EXPECT_EQ(surface.At(2, 2), 0x000000u); // nothing outside the area
    EXPECT_EQ(surface.At(w + 7, h + 7), 0x000000u);
    std::set<uint32_t> colours;
    const double link = Luminance(21, 93, 239), black = Luminance(0, 0, 0);
    double worstLink = 100.0, worstBlack = 100.0;
    for (int y = 5; y < 5 + h; ++y)
        for (int x = 5; x < 5 + w; ++x) {
            uint32_t p = surface.At(x, y);
            colours.insert(p);
            if (x >= 5 + w / 2) continue;
            double l = Luminance(Red(p), Green(p), Blue(p));
            worstLink = std::min(worstLink, Contrast(l, link));
            worstBlack = std::min(worstBlack, Contrast(l, black));
        }
    EXPECT_GT(colours.size(), 100u);
    EXPECT_GE(worstLink, 3.0);
    EXPECT_GE(worstBlack, 12.0);
}

// The notice label starts at 130 inside an area that ends at 426.
TEST(MakerNotice, FitsItsPlaceInTahoma) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, kMakerNotice, static_cast<int>(wcslen(kMakerNotice)), &size));
    EXPECT_LE(size.cx, 426 - 130);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value) return {};
    return static_cast<const wchar_t*>(value);
}

TEST(VersionInfo, NamesTheProductAndItsVersion) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(path, &handle));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(VersionString(block, L"ProductName"), L"Orvane");
    EXPECT_EQ(VersionString(block, L"CompanyName"), L"Kestovar");
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.1.0.0");
    EXPECT_EQ(VersionString(block, L"LegalCopyright"), kMakerNotice); // the About page says the same
}

// The manifest asks for common controls 6, which Windows and Wine serve from the side-by-side store;
// without it the process gets version 5 from the system folder and no visual styles.
TEST(Manifest, LoadsCommonControlsSix) {
    HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    std::wstring lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
    EXPECT_NE(lower.find(L"winsxs"), std::wstring::npos) << lower;
    EXPECT_NE(lower.find(L"common-controls"), std::wstring::npos) << lower;
}

} // namespace
} // namespace orv
