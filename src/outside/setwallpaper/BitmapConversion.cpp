#include "outside/setwallpaper/BitmapConversion.h"

#include <algorithm>
#include <vector>

#include <windows.h>
#include <wincodec.h>

namespace orv {
namespace {

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() { if (p) p->Release(); }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

struct ComScope {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope() { if (SUCCEEDED(hr)) CoUninitialize(); }
};

// Larger pictures would need more memory than a wallpaper is worth.
constexpr unsigned long long kMaxPixels = 100'000'000;

// Writes a bottom-up 24-bit bitmap, the form every bitmap reader takes; `rows` come top-down.
bool WriteBitmap(const std::wstring& path, UINT width, UINT height, std::vector<BYTE>& rows, UINT stride) {
    for (UINT top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(rows.begin() + static_cast<ptrdiff_t>(top) * stride,
                         rows.begin() + static_cast<ptrdiff_t>(top + 1) * stride,
                         rows.begin() + static_cast<ptrdiff_t>(bottom) * stride);
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = static_cast<LONG>(width);
    info.biHeight = static_cast<LONG>(height);
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(rows.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + rows.size());

    std::wstring temp = path + L".tmp";
    HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    bool ok = WriteFile(h, &file, sizeof(file), &done, nullptr) && WriteFile(h, &info, sizeof(info), &done, nullptr) &&
              WriteFile(h, rows.data(), static_cast<DWORD>(rows.size()), &done, nullptr) && done == rows.size();
    CloseHandle(h);
    if (!ok || !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

} // namespace

bool IsBitmapFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char magic[2] = {};
    DWORD got = 0;
    bool bitmap = ReadFile(h, magic, 2, &got, nullptr) && got == 2 && magic[0] == 'B' && magic[1] == 'M';
    CloseHandle(h);
    return bitmap;
}

bool ConvertToBitmap(const std::wstring& source, const std::wstring& bitmapPath) {
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(source.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame.p, &converted)))
        return false;
    UINT width = 0, height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0 ||
        static_cast<unsigned long long>(width) * height > kMaxPixels)
        return false;
    UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> rows(static_cast<size_t>(stride) * height);
    if (FAILED(converted->CopyPixels(nullptr, stride, static_cast<UINT>(rows.size()), rows.data()))) return false;
    return WriteBitmap(bitmapPath, width, height, rows, stride);
}

} // namespace orv
