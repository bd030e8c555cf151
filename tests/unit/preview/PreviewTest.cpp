// The preview pane and the picture size text, on the real window with real picture files.
#include <wincodec.h>

#include "app/PicturePainter.h"
#include "platform/AppError.h"
#include "platform/FileIO.h"
#include "unit/picture/PictureFiles.h"
#include "unit/preview/PreviewFixture.h"

namespace orv::test {
namespace {

namespace tf = orv::testfiles;

std::uint32_t Gradient(int x, int y) {
    return 0xFF000000u | static_cast<std::uint32_t>(x % 256) << 16 | static_cast<std::uint32_t>(y % 256) << 8;
}

std::string WithJpegSize(std::string jpeg, unsigned width, unsigned height) {
    size_t sof = jpeg.find("\xFF\xC0");
    if (sof == std::string::npos) throw std::runtime_error("test JPEG has no frame header");
    jpeg[sof + 5] = char(height >> 8), jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8), jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

std::wstring WithFullStop(const std::wstring& text) {
    return !text.empty() && text.back() <= L'.' ? text : text + L".";
}

class PreviewTest : public PreviewWindowTest {
  protected:
    std::wstring Jpeg(const std::wstring& name, int width, int height) {
        std::wstring path = folder.path() + name;
        tf::EncodeWithWic(path, GUID_ContainerFormatJpeg, width, height, Gradient);
        return path;
    }
};

TEST_F(PreviewTest, SizeTextOfPicturesAndNonPictures) {
    TfrmORV& w = Open();
    const std::wstring photo = Jpeg(L"photo.jpg", 1920, 1200);
    WriteBytes(folder.path() + L"UPPER.JPG", ReadBytes(photo));
    WriteBytes(folder.path() + L"text.jpg", "This is a text file, not a picture.\r\n");
    const struct {
        std::wstring path;
        const wchar_t* info;
    } cases[] = {
        {photo, L"1920 x 1200"},
        {folder.path() + L"UPPER.JPG", L"1920 x 1200"},
        {Bitmap(L"small.bmp", 17, 9), L"17 x 9"},
        {folder.path() + L"text.jpg", L"Info not available"},
        {folder.path() + L"missing.jpg", L"Info not available"},
        {L"", L"Info not available"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.path));
        EXPECT_EQ(w.GetPictureInfo(c.path), c.info);
    }
    EXPECT_EQ(human.asked.size(), 0u) << "the size text never reports an error";
}

TEST_F(PreviewTest, SelectingARowShowsItsPictureAndSize) {
    TfrmORV& w = Open();
    AddRow(w, Jpeg(L"photo.jpg", 1920, 1200));
    AddRow(w, Bitmap(L"small.bmp", 17, 9));
    AsUser([&] { w.lvTSL.Select(0); });
    EXPECT_EQ(w.sbTSL.Text(kInfoPanel), L"1920 x 1200");
    EXPECT_TRUE(w.imgPreview.HasPicture());
    AsUser([&] { w.lvTSL.Select(1); });
    EXPECT_EQ(w.sbTSL.Text(kInfoPanel), L"17 x 9");
    EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{});
}

// Every kind of bad file gives its message through the error box, the size text says "Info not
// available", the pane keeps the last good picture, and the window goes on working.
TEST_F(PreviewTest, BadFilesGiveTheirMessages) {
    TfrmORV& w = Open();
    const std::wstring good = Jpeg(L"good.jpg", 64, 32);
    const std::string jpeg = ReadBytes(good);
    const std::string bmp = BitmapBytes(64, 32);
    // Image data before any frame header.
    WriteBytes(folder.path() + L"damaged.jpg",
               std::string("\xFF\xD8\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 12) + jpeg);
    WriteBytes(folder.path() + L"cut.bmp", bmp.substr(0, bmp.size() / 3));
    WriteBytes(folder.path() + L"text.jpg", "This is a text file, not a picture.\r\n");
    tf::EncodeWithWic(folder.path() + L"picture.png", GUID_ContainerFormatPng, 16, 16, Gradient);
    WriteBytes(folder.path() + L"empty.jpg", "");
    WriteBytes(folder.path() + L"huge.jpg", WithJpegSize(jpeg, 30000, 30000));
    const std::wstring missing = folder.path() + L"missing.jpg";
    const struct {
        std::wstring name;
        std::wstring message;
    } cases[] = {
        {L"damaged.jpg", L"JPEG error #53"},
        {L"cut.bmp", L"Bitmap image is not valid"},
        {L"text.jpg", L"JPEG error #53"},
        {L"picture.png", L"Unknown picture file extension (.png)"},
        {L"missing.jpg",
         FormatText(L"Cannot open file \"%s\". %s", {missing, SystemErrorText(ERROR_FILE_NOT_FOUND)})},
        {L"empty.jpg", L"JPEG error #42"},
        {L"huge.jpg", L"JPEG error #41"},
    };
    AddRow(w, good);
    for (const auto& c : cases)
        AddRow(w, folder.path() + c.name);
    AsUser([&] { w.lvTSL.Select(0); });
    ASSERT_EQ(w.previewInfo, L"64 x 32");
    int row = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.name));
        human.asked.clear();
        human.answers.push_back(IDOK);
        AsUser([&] { w.lvTSL.Select(row++); });
        EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{WithFullStop(c.message)});
        EXPECT_EQ(w.GetPictureInfo(folder.path() + c.name), L"Info not available");
        EXPECT_EQ(w.previewInfo, L"64 x 32");
    }
    human.asked.clear();
    AsUser([&] { w.lvTSL.Select(0); });
    EXPECT_EQ(ErrorBoxes(), std::vector<std::wstring>{});
    EXPECT_EQ(w.sbTSL.Text(kInfoPanel), L"64 x 32");
}

// The pane averages what each of its pixels covers: fine detail turns grey instead of dropping
// out or showing in stripes as it does with nearest-neighbour.
TEST_F(PreviewTest, ThePaneShowsThePictureStretchedAndSmoothed) {
    const std::wstring path = folder.path() + L"halves.bmp";
    // Left half red, right half a one-pixel black and white checker.
    tf::WriteBytes(path, tf::BmpBytes(tf::MakeImage(792, 496, [](int x, int y) {
                       return x < 396 ? tf::kRed : (x + y) % 2 ? tf::kWhite : tf::kBlack;
                   })));
    Painter painter = MakePicturePainter(Picture::Load(path), 198, 124);

    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 198, -124, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    painter(dc, RECT{0, 0, 198, 124});
    GdiFlush();
    auto pixel = [&](int x, int y) {
        return static_cast<const std::uint32_t*>(bits)[y * 198 + x] & 0xFFFFFF;
    };
    for (int y : {0, 60, 123}) {
        EXPECT_EQ(pixel(0, y), 0xFF0000u);
        EXPECT_EQ(pixel(98, y), 0xFF0000u);
        for (int x : {99, 150, 197}) {
            const std::uint32_t p = pixel(x, y);
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y << " = " << std::hex << p);
            for (int shift : {0, 8, 16}) {
                const int channel = static_cast<int>((p >> shift) & 0xFF);
                EXPECT_GE(channel, 120);
                EXPECT_LE(channel, 135);
            }
        }
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
} // namespace orv::test
