// The picture loader: kinds by extension, sizes, the messages for bad files, and what it draws.
#include <algorithm>
#include <cstdio>

#include <gtest/gtest.h>
#include <objbase.h>
#include <wincodec.h>

#include "platform/AppError.h"
#include "platform/AreaScale.h"
#include "platform/FileIO.h"
#include "platform/Picture.h"
#include "unit/picture/PictureFiles.h"

namespace orv {
namespace {

using namespace testfiles;

// The program's GUI thread starts COM once; the loader must work inside that apartment.
class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
};
const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

std::wstring LoadError(const std::wstring& path) {
    try {
        Picture::Load(path);
        return L"(loaded)";
    } catch (const AppError& e) {
        return e.text();
    }
}

std::string Hex(std::uint32_t rgb) {
    char text[16];
    std::snprintf(text, sizeof(text), "%06X", rgb & 0xFFFFFF);
    return text;
}

// A white 32-bit drawing surface whose pixels can be read back.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        std::fill(bits_, bits_ + static_cast<size_t>(width) * height, 0xFFFFFFu);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    std::string at(int x, int y) const {
        GdiFlush();
        return Hex(bits_[static_cast<size_t>(y) * width_ + x]);
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

std::uint32_t Quadrant(int x, int y, int width, int height) {
    if (y < height / 2) return x < width / 2 ? kRed : kGreen;
    return x < width / 2 ? kBlue : kWhite;
}

std::uint32_t Gradient(int x, int y) {
    return 0xFF000000u | std::uint32_t(x * 255 / 1919) << 16 | std::uint32_t(y * 255 / 1199) << 8 | 0x80u;
}

// Replaces the frame size of a JPEG's start-of-frame segment.
std::string WithJpegSize(std::string jpeg, unsigned width, unsigned height) {
    size_t sof = jpeg.find("\xFF\xC0");
    if (sof == std::string::npos) sof = jpeg.find("\xFF\xC2");
    if (sof == std::string::npos) throw std::runtime_error("test JPEG has no frame header");
    jpeg[sof + 5] = char(height >> 8), jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8), jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

class PictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new TempFolder;
        const Image quadrants = MakeImage(64, 32, [](int x, int y) { return Quadrant(x, y, 64, 32); });
        WriteBytes(File(L"quadrants.bmp"), BmpBytes(quadrants));
        WriteBytes(File(L"checker.bmp"), BmpBytes(MakeImage(4, 4, [](int x, int y) {
                       return (x + y) % 2 ? kWhite : kBlack;
                   })));
        WriteBytes(File(L"lines.bmp"), BmpBytes(MakeImage(40, 40, [](int x, int y) {
                       return x == 17 || y == 21 ? kWhite : kBlack;
                   })));
        EncodeWithWic(File(L"photo.jpg"), GUID_ContainerFormatJpeg, 1920, 1200, Gradient);
        auto quadrant = [](int x, int y) { return Quadrant(x, y, 64, 32); };
        EncodeWithWic(File(L"small.jpg"), GUID_ContainerFormatJpeg, 64, 32, quadrant);
        EncodeWithWic(File(L"picture.png"), GUID_ContainerFormatPng, 64, 32, quadrant);
        const std::string jpeg = ReadBytes(File(L"small.jpg"));
        WriteBytes(File(L"upper.JPG"), jpeg);
        WriteBytes(File(L"small.jpeg"), jpeg);
        const Image halfClear = MakeImage(48, 48, [](int x, int) { return x < 24 ? kRed : 0u; });
        WriteBytes(File(L"icon.ico"), IcoBytes({MakeImage(16, 16, [](int, int) { return kBlue; }), halfClear}));
        WriteEmf(File(L"drawing.emf"), 192, 96, RGB(0, 255, 0));
        WriteWmf(File(L"plain.wmf"), 100, 50, RGB(0, 0, 255));
        WriteWmf(File(L"placeable.wmf"), 100, 50, RGB(255, 0, 0), 192, 96);
        WriteSamplerEmf(File(L"sampler.emf"));
        WriteSamplerWmf(File(L"sampler.wmf"));

        const std::string text = "This is a text file, not a picture.\r\n";
        for (auto name : {L"text.jpg", L"text.bmp", L"text.ico", L"text.emf", L"text.wmf", L"noextension"})
            WriteBytes(File(name), text);
        for (auto name : {L"empty.jpg", L"empty.bmp", L"empty.ico", L"empty.emf", L"empty.wmf"}) WriteBytes(File(name), "");
        WriteBytes(File(L"png-inside.jpg"), ReadBytes(File(L"picture.png")));
        WriteBytes(File(L"cut-headers.jpg"), jpeg.substr(0, 100));
        WriteBytes(File(L"scan-first.jpg"), std::string("\xFF\xD8\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 12) + jpeg);
        WriteBytes(File(L"huge.jpg"), WithJpegSize(jpeg, 30000, 30000));
        const std::string bmp = ReadBytes(File(L"quadrants.bmp"));
        WriteBytes(File(L"cut.bmp"), bmp.substr(0, 1000));
        std::string hugeBmp = bmp;
        hugeBmp.replace(18, 8, std::string("\x30\x75\x00\x00\x30\x75\x00\x00", 8));  // 30000 x 30000
        WriteBytes(File(L"huge.bmp"), hugeBmp);
    }
    static void TearDownTestSuite() { delete folder_; }
    static std::wstring File(std::wstring_view name) { return folder_->file(name); }

    static inline TempFolder* folder_ = nullptr;
};

TEST_F(PictureTest, KnownKindsLoadWithTheirSize) {
    const struct {
        const wchar_t* name;
        const wchar_t* size;
    } cases[] = {
        {L"quadrants.bmp", L"64 x 32"}, {L"photo.jpg", L"1920 x 1200"}, {L"upper.JPG", L"64 x 32"},
        {L"small.jpeg", L"64 x 32"},    {L"icon.ico", L"48 x 48"},      {L"drawing.emf", L"192 x 96"},
        {L"plain.wmf", L"100 x 50"},    {L"placeable.wmf", L"192 x 96"},
        {L"sampler.emf", L"60 x 40"},   {L"sampler.wmf", L"60 x 40"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LoadError(File(c.name)), L"(loaded)");
        EXPECT_EQ(PictureInfoText(File(c.name)), c.size);
    }
    EXPECT_EQ(PictureInfoText(Picture::Load(File(L"photo.jpg"))), L"1920 x 1200");
}

TEST_F(PictureTest, BadFilesGiveTheirMessageAndNoInfo) {
    const std::wstring invalid = L"Bitmap image is not valid";
    const std::wstring missing = File(L"missing.jpg");
    const struct {
        std::wstring path;
        std::wstring message;
    } cases[] = {
        {L"", L"Unknown picture file extension (.)"},
        {File(L"noextension"), L"Unknown picture file extension (.)"},
        {L"C:\\folder.jpg\\name", L"Unknown picture file extension (.)"},
        {File(L"picture.png"), L"Unknown picture file extension (.png)"},
        {File(L"anything.GIF"), L"Unknown picture file extension (.GIF)"},
        {missing, FormatText(L"Cannot open file \"%s\". %s", {missing, SystemErrorText(ERROR_FILE_NOT_FOUND)})},
        {File(L"empty.jpg"), L"JPEG error #42"},
        {File(L"text.jpg"), L"JPEG error #53"},
        {File(L"png-inside.jpg"), L"JPEG error #53"},
        {File(L"scan-first.jpg"), L"JPEG error #53"},
        {File(L"cut-headers.jpg"), L"JPEG error #43"},
        {File(L"huge.jpg"), L"JPEG error #41"},
        {File(L"empty.bmp"), invalid},
        {File(L"text.bmp"), invalid},
        {File(L"cut.bmp"), invalid},
        {File(L"huge.bmp"), invalid},
        {File(L"empty.ico"), invalid},
        {File(L"text.ico"), invalid},
        {File(L"empty.emf"), invalid},
        {File(L"text.emf"), invalid},
        {File(L"empty.wmf"), invalid},
        {File(L"text.wmf"), invalid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(LoadError(c.path), c.message);
        EXPECT_EQ(PictureInfoText(c.path), L"Info not available");
    }
}

// Cut short or with bytes changed, a good file either loads and draws or gives its kind's
// message; nothing crashes or hangs. The changes are pseudo-random with a fixed seed, so a failure
// repeats; the trace names the variant.
TEST_F(PictureTest, DamagedFilesLoadOrGiveTheirKindsMessage) {
    const std::wstring invalid = L"Bitmap image is not valid";
    const struct {
        const wchar_t* source;
        const wchar_t* damaged;
        std::vector<std::wstring> messages;
    } cases[] = {
        {L"small.jpg", L"damaged.jpg", {L"JPEG error #42", L"JPEG error #43", L"JPEG error #53"}},
        {L"quadrants.bmp", L"damaged.bmp", {invalid}},
        {L"icon.ico", L"damaged.ico", {invalid}},
        {L"placeable.wmf", L"damaged.wmf", {invalid}},
        {L"sampler.emf", L"damaged.emf", {invalid}},
        {L"sampler.wmf", L"damaged.wmf", {invalid}},
    };
    std::uint32_t seed = 12345;
    auto random = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (const auto& c : cases) {
        const std::string whole = ReadBytes(File(c.source));
        const size_t step = std::max<size_t>(1, whole.size() / 100);
        std::vector<std::string> variants;
        for (size_t length = 0; length < whole.size(); length += step) variants.push_back(whole.substr(0, length));
        for (int i = 0; i < 100; ++i) {
            std::string bytes = whole;
            for (unsigned n = 1 + random() % 4; n > 0; --n) bytes[random() % bytes.size()] = char(random());
            variants.push_back(bytes);
        }
        for (size_t v = 0; v < variants.size(); ++v) {
            SCOPED_TRACE(testing::Message() << c.source << " variant " << v << " of " << variants.size());
            WriteBytes(File(c.damaged), variants[v]);
            std::wstring seen = L"(loaded)";
            try {
                Canvas canvas(20, 10);
                Picture::Load(File(c.damaged)).Draw(canvas.dc(), RECT{0, 0, 20, 10});
            } catch (const AppError& e) {
                seen = e.text();
            }
            const bool allowed =
                seen == L"(loaded)" || std::find(c.messages.begin(), c.messages.end(), seen) != c.messages.end();
            EXPECT_TRUE(allowed) << "expected a load or " << c.messages.back() << ", saw: " << seen;
        }
    }
}

TEST(AreaScaleTest, AveragesWhenShrinkingAndInterpolatesWhenGrowing) {
    const struct {
        std::vector<std::uint8_t> source;
        int size;
        std::vector<std::uint8_t> expected;
    } cases[] = {
        {{10, 20, 30}, 3, {10, 20, 30}},      // same size: unchanged
        {{0, 255, 0, 255}, 2, {128, 128}},    // each half averaged
        {{0, 255, 0}, 2, {85, 85}},           // 1.5 pixels each: partial coverage counts
        {{0, 0, 0, 255, 0, 0, 0, 0}, 2, {64, 0}},  // a thin line survives as a quarter
        {{200, 100, 50}, 1, {117}},
        {{0, 255}, 4, {0, 64, 191, 255}},     // growing: linear between centres
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bgr;
        for (auto v : c.source) bgr.insert(bgr.end(), {v, v, v});
        const int n = static_cast<int>(c.source.size());
        for (bool upright : {false, true}) {
            SCOPED_TRACE(upright ? "column" : "row");
            PixelView view{bgr.data(), upright ? 1 : n, upright ? n : 1, upright ? 3 : 3 * n, 3, false};
            std::vector<std::uint32_t> out(static_cast<size_t>(c.size));
            ScalePixels(view, upright ? 1 : c.size, upright ? c.size : 1, out.data());
            std::vector<std::uint8_t> grey;
            for (auto px : out) {
                EXPECT_EQ(Hex(px), Hex((px & 0xFF) * 0x010101u)) << "channels differ";
                EXPECT_EQ(px >> 24, 255u) << "opaque";
                grey.push_back(static_cast<std::uint8_t>(px & 0xFF));
            }
            EXPECT_EQ(grey, c.expected);
        }
    }
}

TEST_F(PictureTest, ShrinkingAveragesAreasOfTheDecodedPicture) {
    const auto checker = Picture::Load(File(L"checker.bmp")).ScaledPixels(2, 2);
    ASSERT_EQ(checker.size(), 4u);
    for (auto px : checker) {
        EXPECT_NEAR(int(px & 0xFF), 128, 2) << "checkerboard should average to mid-grey, saw " << Hex(px);
        EXPECT_NEAR(int(px >> 16 & 0xFF), 128, 2) << Hex(px);
    }

    // A one-pixel line at column 17 and row 21 of 40 x 40, shrunk four times: a quarter-bright
    // line in column 4 and row 5, where nearest-neighbour would show none.
    const auto lines = Picture::Load(File(L"lines.bmp")).ScaledPixels(10, 10);
    ASSERT_EQ(lines.size(), 100u);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            std::uint32_t grey = x == 4 && y == 5 ? 112 : x == 4 || y == 5 ? 64 : 0;
            EXPECT_EQ(Hex(lines[y * 10 + x]), Hex(grey * 0x010101u)) << "at " << x << "," << y;
        }
}

TEST_F(PictureTest, DecodedColoursKeepTheirPlace) {
    const struct {
        const wchar_t* name;
        int tolerance;  // JPEG is lossy
    } cases[] = {{L"quadrants.bmp", 0}, {L"small.jpg", 12}};
    const std::uint32_t expected[] = {kRed, kGreen, kBlue, kWhite};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto px = Picture::Load(File(c.name)).ScaledPixels(2, 2);
        ASSERT_EQ(px.size(), 4u);
        for (int i = 0; i < 4; ++i)
            for (int shift : {0, 8, 16})
                EXPECT_NEAR(int(px[i] >> shift & 0xFF), int(expected[i] >> shift & 0xFF), c.tolerance)
                    << "quadrant " << i << ": expected " << Hex(expected[i]) << ", saw " << Hex(px[i]);
    }
}

TEST_F(PictureTest, BitmapLayoutsKeepEveryPixel) {
    // An odd width pads the 24-bit rows; the colours tell rows and columns apart.
    const Image image = MakeImage(5, 3, [](int x, int y) { return 0xFF000000u | (x * 50) << 16 | (y * 100) << 8 | 7; });
    const struct {
        int bits;
        bool topDown;
    } cases[] = {{24, false}, {24, true}, {32, false}, {32, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.bits) + (c.topDown ? " bits, top-down" : " bits, bottom-up"));
        WriteBytes(File(L"layout.bmp"), BmpBytes(image, c.bits, c.topDown));
        const Picture picture = Picture::Load(File(L"layout.bmp"));
        ASSERT_EQ(PictureInfoText(picture), L"5 x 3");
        const auto px = picture.ScaledPixels(5, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(Hex(px[y * 5 + x]), Hex(image.at(x, y))) << "at " << x << "," << y;
    }
}

TEST_F(PictureTest, DrawStretchesIntoTheTargetAndFollowsItsSize) {
    const Picture picture = Picture::Load(File(L"quadrants.bmp"));
    // Each size twice, and back to the first: the kept scaled copy must follow the size.
    for (SIZE size : {SIZE{2, 2}, SIZE{16, 8}, SIZE{16, 8}, SIZE{2, 2}}) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        Canvas canvas(40, 30);
        const RECT target{5, 7, 5 + size.cx, 7 + size.cy};
        picture.Draw(canvas.dc(), target);
        EXPECT_EQ(canvas.at(5, 7), Hex(kRed));
        EXPECT_EQ(canvas.at(target.right - 1, 7), Hex(kGreen));
        EXPECT_EQ(canvas.at(5, target.bottom - 1), Hex(kBlue));
        EXPECT_EQ(canvas.at(target.right - 1, target.bottom - 1), Hex(kWhite));
        EXPECT_EQ(canvas.at(4, 7), Hex(kWhite)) << "left of the target";
        EXPECT_EQ(canvas.at(5, 6), Hex(kBlue | kGreen | kRed)) << "above the target";
        EXPECT_EQ(canvas.at(target.right, target.bottom), Hex(kWhite)) << "past the target";
    }
}

TEST_F(PictureTest, DrawShowsEveryKindStretched) {
    const struct {
        const wchar_t* name;
        std::uint32_t left, right;  // colours at the middle of the left and right halves
    } cases[] = {
        {L"icon.ico", kRed, kWhite},  // the transparent right half shows the background
        {L"drawing.emf", kGreen, kGreen},
        {L"plain.wmf", kBlue, kBlue},
        {L"placeable.wmf", kRed, kRed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(40, 20);
        Picture::Load(File(c.name)).Draw(canvas.dc(), RECT{0, 0, 40, 20});
        EXPECT_EQ(canvas.at(10, 10), Hex(c.left));
        EXPECT_EQ(canvas.at(30, 10), Hex(c.right));
    }
}

// The pane's case: a photograph shrunk to 198 x 124, its real size kept for the size text.
TEST_F(PictureTest, LoadForDisplayKeepsTheRealSizeAndDrawsThePane) {
    const Picture picture = Picture::LoadForDisplay(File(L"photo.jpg"), 198, 124);
    EXPECT_EQ(PictureInfoText(picture), L"1920 x 1200");
    Canvas canvas(198, 124);
    picture.Draw(canvas.dc(), RECT{0, 0, 198, 124});
    const auto px = picture.ScaledPixels(198, 124);
    ASSERT_EQ(px.size(), 198u * 124u);
    // The gradient runs from red 0 at the left to 255 at the right, green likewise downwards.
    const struct {
        int x, y;
    } points[] = {{0, 0}, {99, 62}, {197, 123}, {20, 100}};
    for (auto p : points) {
        SCOPED_TRACE(testing::Message() << "at " << p.x << "," << p.y);
        const std::uint32_t seen = px[static_cast<size_t>(p.y) * 198 + p.x];
        EXPECT_NEAR(int(seen >> 16 & 0xFF), (p.x * 1920 / 198 + 5) * 255 / 1919, 6) << Hex(seen);
        EXPECT_NEAR(int(seen >> 8 & 0xFF), (p.y * 1200 / 124 + 5) * 255 / 1199, 6) << Hex(seen);
        EXPECT_EQ(canvas.at(p.x, p.y), Hex(seen)) << "drawn as scaled";
    }
}

TEST_F(PictureTest, MovedPictureKeepsItsContent) {
    Picture first = Picture::Load(File(L"quadrants.bmp"));
    Picture second = std::move(first);
    EXPECT_EQ(PictureInfoText(second), L"64 x 32");
    first = Picture::Load(File(L"drawing.emf"));
    EXPECT_EQ(PictureInfoText(first), L"192 x 96");
    first = std::move(second);
    EXPECT_EQ(PictureInfoText(first), L"64 x 32");
    EXPECT_EQ(Hex(first.ScaledPixels(2, 2).at(3)), Hex(kWhite));
}

} // namespace
} // namespace orv
