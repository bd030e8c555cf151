// Selecting a row of the real window's wallpaper list whose picture is a 24-megapixel JPEG: the
// selection handler's command state refresh loads the pane and sets the size text, against one
// plain WIC decode of the same file, measured in the same run.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "app/MainUnit.h"

#include <commctrl.h>
#include <objbase.h>
#include <wincodec.h>

#include "BenchSupport.h"
#include "WicReference.h"
#include "platform/Registry.h"
#include "unit/picture/PictureFiles.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;
constexpr int kRuns = 9;

std::uint32_t Photo(int x, int y) { return orv::bench::PhotoPixel(x, y, kWidth, kHeight); }
using orv::bench::Median;
using orv::bench::NowMs;
using orv::bench::PlainDecode;


// Selects the photograph's row (from the small picture's row) as a click does, and lets the pane
// paint.
double SelectPhoto(orv::TfrmORV& window, size_t& sink) {
    window.lvTSL.Select(1);
    const double start = NowMs();
    window.lvTSL.Select(0);
    UpdateWindow(window.imgPreview.hwnd());
    const double ms = NowMs() - start;
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
        orv::bench::BenchHuman human;
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
