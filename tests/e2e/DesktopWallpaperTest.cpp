// SetWallpaper.dll against Wine's drawn desktop: what the screen shows after a bitmap and a JPEG
// are applied, and that empty, missing and null paths change nothing.
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>
#include <wincodec.h>

#include "Screen.h"
#include "support/TestFiles.h"
#include "outside/SetWallpaper.h"
#include "platform/Registry.h"
#include "platform/Text.h"

namespace orv::test {
namespace {

constexpr wchar_t kDesktop[] = L"Control Panel\\Desktop";

std::wstring Desktop(const wchar_t* name) {
    return RegKey::Open(HKEY_CURRENT_USER, kDesktop).ReadString(name).value_or(L"<missing>");
}

void Apply(const std::wstring& path) {
    int32_t cell = 0;
    std::string ansi = WideToAnsi(path);
    SetNewWallpaper(StringToPWide(path.empty() ? nullptr : ansi.c_str(), &cell));
}

// A picture of one colour, written through WIC as BMP or JPEG.
void WritePicture(const std::wstring& path, const GUID& format, BYTE r, BYTE g, BYTE b) {
    IWICImagingFactory* factory = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_PPV_ARGS(&factory)));
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    factory->CreateStream(&stream);
    stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE);
    factory->CreateEncoder(format, nullptr, &encoder);
    encoder->Initialize(stream, WICBitmapEncoderNoCache);
    encoder->CreateNewFrame(&frame, nullptr);
    frame->Initialize(nullptr);
    const UINT w = 320, h = 200;
    frame->SetSize(w, h);
    WICPixelFormatGUID pixelFormat = GUID_WICPixelFormat24bppBGR;
    frame->SetPixelFormat(&pixelFormat);
    std::vector<BYTE> pixels(w * h * 3);
    for (size_t i = 0; i < pixels.size(); i += 3) pixels[i] = b, pixels[i + 1] = g, pixels[i + 2] = r;
    frame->WritePixels(h, w * 3, static_cast<UINT>(pixels.size()), pixels.data());
    frame->Commit();
    encoder->Commit();
    frame->Release();
    encoder->Release();
    stream->Release();
    factory->Release();
}

bool Near(COLORREF c, BYTE r, BYTE g, BYTE b, int tolerance) {
    return std::abs(GetRValue(c) - r) <= tolerance && std::abs(GetGValue(c) - g) <= tolerance &&
           std::abs(GetBValue(c) - b) <= tolerance;
}

class DesktopWallpaperTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp);
        RegKey::Create(HKEY_CURRENT_USER, kDesktop).WriteString(L"TileWallpaper", L"0");
        RegKey::Create(HKEY_CURRENT_USER, kDesktop).WriteString(L"WallpaperStyle", L"0");
    }
    std::wstring folder_;
};

TEST_F(DesktopWallpaperTest, BitmapAndJpegShowOnTheDesktop) {
    struct Case {
        const wchar_t* name;
        GUID format;
        BYTE r, g, b;
        int tolerance;
    } cases[] = {{L"green.bmp", GUID_ContainerFormatBmp, 20, 200, 40, 0},
                 {L"blue.jpg", GUID_ContainerFormatJpeg, 30, 60, 220, 12}};
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    for (const Case& c : cases) {
        std::wstring picture = folder_ + c.name;
        WritePicture(picture, c.format, c.r, c.g, c.b);
        Apply(picture);
        Settle(1500);
        SaveScreenshot(Narrow(std::wstring(L"desktop-") + c.name));
        COLORREF seen = ScreenPixel(cx, cy);
        EXPECT_TRUE(Near(seen, c.r, c.g, c.b, c.tolerance))
            << Narrow(c.name) << ": expected about RGB(" << int(c.r) << "," << int(c.g) << "," << int(c.b)
            << ") at the screen centre, saw RGB(" << int(GetRValue(seen)) << "," << int(GetGValue(seen)) << ","
            << int(GetBValue(seen)) << ")";
        // "Wallpaper" names a bitmap the desktop can draw; "ConvertedWallpaper" the original.
        std::wstring wallpaper = Desktop(L"Wallpaper");
        EXPECT_EQ(wallpaper.substr(wallpaper.size() - 4), L".bmp") << Narrow(wallpaper);
        EXPECT_EQ(Desktop(L"ConvertedWallpaper"), picture);
    }
}

TEST_F(DesktopWallpaperTest, EmptyMissingAndNullPathsChangeNothing) {
    std::wstring picture = folder_ + L"keep.bmp";
    WritePicture(picture, GUID_ContainerFormatBmp, 200, 10, 10);
    Apply(picture);
    std::wstring before = Desktop(L"Wallpaper");
    Apply(L"");
    Apply(folder_ + L"no such picture.jpg");
    SetNewWallpaper(nullptr);
    int32_t cell = -1;
    wchar_t* empty = StringToPWide(nullptr, &cell);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(cell, 0);
    SetNewWallpaper(empty);
    EXPECT_EQ(Desktop(L"Wallpaper"), before);
    EXPECT_EQ(Desktop(L"ConvertedWallpaper"), picture);
}

} // namespace
} // namespace orv::test
