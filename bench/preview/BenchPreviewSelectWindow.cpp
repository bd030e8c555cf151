// Selecting a row of the real window's wallpaper list whose picture is a 24-megapixel JPEG: the
// selection handler's command state refresh loads the pane and sets the size text, against one
// plain WIC decode of the same file, measured in the same run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "app/MainUnit.h"

#include <commctrl.h>
#include <objbase.h>
#include <wincodec.h>

#include "platform/Registry.h"
#include "unit/picture/PictureFiles.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;
constexpr int kRuns = 9;

std::uint32_t Photo(int x, int y) {
    std::uint32_t r = static_cast<std::uint32_t>(x * 255 / kWidth);
    std::uint32_t g = static_cast<std::uint32_t>(y * 255 / kHeight);
    std::uint32_t b = static_cast<std::uint32_t>((x * 7 + y * 13) ^ (x * y >> 5)) & 0xFF;
    return 0xFF000000u | r << 16 | g << 8 | b;
}

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Nobody answers at a benchmark: every question is counted and answered No / OK.
class CountingHuman : public orv::Human {
  public:
    int asked = 0;
    int Ask(HWND, const std::wstring& text, const std::wstring&, UINT flags) override {
        ++asked;
        std::fprintf(stderr, "asked: %ls\n", text.c_str());
        return (flags & 0xF) == MB_YESNO ? IDNO : IDOK;
    }
    std::optional<std::vector<std::wstring>> OpenFiles(HWND, const orv::FileDialogSpec&) override {
        return {};
    }
    std::optional<std::wstring> SaveFile(HWND, const orv::FileDialogSpec&) override { return {}; }
    std::optional<std::wstring> BrowseFolder(HWND, const std::wstring&) override { return {}; }
    std::optional<COLORREF> ChooseColour(HWND, COLORREF) override { return {}; }
    int RunModal(orv::Form&) override { return IDCANCEL; }
};

double PlainDecode(IWICImagingFactory* factory, const std::wstring& path, size_t& sink) {
    auto start = std::chrono::steady_clock::now();
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    UINT w = 0, h = 0;
    WICPixelFormatGUID format{};
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&w, &h)) ||
        FAILED(frame->GetPixelFormat(&format)))
        throw std::runtime_error("reference decode failed");
    const UINT stride = w * (format == GUID_WICPixelFormat24bppBGR ? 3 : 4);
    std::unique_ptr<BYTE[]> pixels(new BYTE[static_cast<size_t>(stride) * h]);
    if (FAILED(frame->CopyPixels(nullptr, stride, stride * h, pixels.get())))
        throw std::runtime_error("reference copy failed");
    sink += pixels[static_cast<size_t>(stride) * h - 1];
    frame->Release();
    decoder->Release();
    return Milliseconds(std::chrono::steady_clock::now() - start);
}

// Selects the photograph's row (from the small picture's row) as a click does, and lets the pane
// paint.
double SelectPhoto(orv::TfrmORV& window, size_t& sink) {
    window.lvTSL.Select(1);
    auto start = std::chrono::steady_clock::now();
    window.lvTSL.Select(0);
    UpdateWindow(window.imgPreview.hwnd());
    const double ms = Milliseconds(std::chrono::steady_clock::now() - start);
    sink += window.sbTSL.Text(orv::kInfoPanel).size();
    return ms;
}

} // namespace

int main() {
    try {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        INITCOMMONCONTROLSEX controls{sizeof(controls),
                                      ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&controls);
        CountingHuman human;
        orv::SetHuman(&human);
        orv::testfiles::TempFolder folder;
        const std::wstring photo = folder.file(L"photo-6000x4000.jpg");
        orv::testfiles::EncodeWithWic(photo, GUID_ContainerFormatJpeg, kWidth, kHeight, Photo);
        const std::wstring small = folder.file(L"small.bmp");
        orv::testfiles::WriteBytes(small, orv::testfiles::BmpBytes(orv::testfiles::MakeImage(
                                              32, 24, [](int, int) { return orv::testfiles::kBlue; })));
        orv::RegKey::Create(HKEY_CURRENT_USER, orv::kDesktopKey).WriteString(L"Wallpaper", small);
        CreateDirectoryW(folder.file(L"Program").c_str(), nullptr);

        size_t sink = 0;
        {
            orv::TfrmORV window(folder.file(L"Program\\ORV.exe"));
            window.Show();
            window.lvTSL.Append(L"photo-6000x4000.jpg", {L"none", photo});
            window.lvTSL.Append(L"small.bmp", {L"none", small});

            IWICImagingFactory* factory = nullptr;
            if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))))
                throw std::runtime_error("no WIC factory");
            SelectPhoto(window, sink); // first use loads the codecs: not measured
            PlainDecode(factory, photo, sink);
            std::vector<double> figure, reference;
            for (int i = 0; i < kRuns; ++i) { // interleaved, so drifts of the machine hit both alike
                figure.push_back(SelectPhoto(window, sink));
                reference.push_back(PlainDecode(factory, photo, sink));
            }
            factory->Release();
            if (window.sbTSL.Text(orv::kInfoPanel) != L"6000 x 4000" || human.asked != 0)
                throw std::runtime_error("the selection did not show the photograph");
            const double f = Median(figure), r = Median(reference);
            std::printf(
                "bench preview-select-window: %.1f ms; reference one WIC decode: %.1f ms; ratio %.2f\n", f, r,
                f / r);
        }
        orv::SetHuman(nullptr);
        return sink == 0 ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench preview-select-window: %s\n", e.what());
        return 1;
    }
}
