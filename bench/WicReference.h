#pragma once
// The reference the picture figures are measured against: one plain WIC decode of a file's whole
// first frame to pixels, in the decoder's own pixel format.
#include <memory>
#include <stdexcept>
#include <string>

#include <windows.h>
#include <wincodec.h>

#include "BenchSupport.h"

namespace orv::bench {

// Milliseconds one decode takes; `sink` keeps the pixels from being optimised away.
inline double PlainDecode(IWICImagingFactory* factory, const std::wstring& path, size_t& sink) {
    const double start = NowMs();
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    UINT w = 0, h = 0;
    WICPixelFormatGUID format{};
    if (FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)) ||
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
    return NowMs() - start;
}

} // namespace orv::bench
