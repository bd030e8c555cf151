// Selecting a row whose picture is a 24-megapixel JPEG: load it for the pane, take its size text
// from the same decode and draw it into the 198 x 124 pane, against one plain WIC decode of the
// same file to pixels.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <objbase.h>
#include <wincodec.h>

#include "BenchSupport.h"
#include "WicReference.h"
#include "platform/Picture.h"
#include "unit/picture/PictureFiles.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;
constexpr int kPaneWidth = 198, kPaneHeight = 124;
constexpr int kRuns = 5;

std::uint32_t Photo(int x, int y) { return orv::bench::PhotoPixel(x, y, kWidth, kHeight); }
using orv::bench::Median;
using orv::bench::NowMs;
using orv::bench::PlainDecode;

// What selecting a row does for the pane and status panel 4.
double PreviewSelect(const std::wstring& path, HDC pane, size_t& sink) {
    const double start = NowMs();
    const orv::Picture picture = orv::Picture::LoadForDisplay(path, kPaneWidth, kPaneHeight);
    sink += orv::PictureInfoText(picture).size();
    picture.Draw(pane, RECT{0, 0, kPaneWidth, kPaneHeight});
    GdiFlush();
    return NowMs() - start;
}


} // namespace

int main() {
    try {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        orv::testfiles::TempFolder folder;
        const std::wstring path = folder.file(L"photo-6000x4000.jpg");
        orv::testfiles::EncodeWithWic(path, GUID_ContainerFormatJpeg, kWidth, kHeight, Photo);

        IWICImagingFactory* factory = nullptr;
        if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(&factory))))
            throw std::runtime_error("no WIC factory");
        HDC pane = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPaneWidth, -kPaneHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(pane, bitmap);

        size_t sink = 0;
        PreviewSelect(path, pane, sink);  // first use loads the codecs: not measured
        PlainDecode(factory, path, sink);
        std::vector<double> figure, reference;
        for (int i = 0; i < kRuns; ++i) {  // interleaved, so drifts of the machine hit both alike
            figure.push_back(PreviewSelect(path, pane, sink));
            reference.push_back(PlainDecode(factory, path, sink));
        }
        const double f = Median(figure), r = Median(reference);
        std::printf("bench preview-select: %.1f ms; reference one WIC decode: %.1f ms; ratio %.2f\n", f, r, f / r);

        SelectObject(pane, old);
        DeleteObject(bitmap);
        DeleteDC(pane);
        factory->Release();
        return sink == 0 ? 1 : 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench preview-select: %s\n", e.what());
        return 1;
    }
}
