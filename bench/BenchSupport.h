#pragma once
// What every benchmark shares: timing, medians, memory, the figure line, scratch folders, a
// photograph-like test pattern, and a human seam that answers without a person.
#include <windows.h>

#include <algorithm>
#include <exception>
#include <cstdio>
#include <string>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/Human.h"

namespace orv::bench {

inline double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Committed private memory of the process (what Windows calls private bytes), summed over the
// address space with VirtualQuery: it counts the same under Wine as on Windows.
inline size_t CommittedPrivateBytes() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION info;
    for (const char* p = nullptr; VirtualQuery(p, &info, sizeof info) == sizeof info;
         p = static_cast<const char*>(info.BaseAddress) + info.RegionSize) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        if (info.RegionSize == 0) break;
    }
    return total;
}

inline void PrintFigure(const char* name, double value, const char* unit, const char* reference, double refValue) {
    std::printf("bench %s: %.1f %s; reference %s: %.1f %s; ratio %.2f\n", name, value, unit, reference, refValue, unit,
                value / refValue);
    std::fflush(stdout);
}

inline std::wstring TempFolderFor(const wchar_t* what) {
    wchar_t temp[MAX_PATH];
    std::wstring base(temp, GetTempPathW(MAX_PATH, temp));
    std::wstring folder = base + what + L"-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

// The median of `repeats` timings of `work`, in milliseconds.
template <typename Work>
double MedianMs(int repeats, Work&& work) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        double start = NowMs();
        work();
        times.push_back(NowMs() - start);
    }
    return Median(times);
}

// A bench program's main: runs `work`; what goes wrong is printed against the figure's name and
// ends the program with a failing code.
template <typename Work>
int RunBench(const char* name, Work&& work) {
    try {
        work();
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench %s: %s\n", name, e.what());
    }
    return 1;
}

// Smooth areas and fine texture, so a JPEG of it costs what a photograph costs to decode.
inline std::uint32_t PhotoPixel(int x, int y, int width, int height) {
    std::uint32_t r = static_cast<std::uint32_t>(x * 255 / width);
    std::uint32_t g = static_cast<std::uint32_t>(y * 255 / height);
    std::uint32_t b = static_cast<std::uint32_t>((x * 7 + y * 13) ^ (x * y >> 5)) & 0xFF;
    return 0xFF000000u | r << 16 | g << 8 | b;
}

// Nobody answers at a benchmark: questions get No (or OK), the open dialog the chosen files,
// the folder browser the chosen folder; everything asked is counted.
class BenchHuman : public Human {
  public:
    std::vector<std::wstring> openFiles;
    std::wstring folder;
    int asked = 0;
    int Ask(HWND, const std::wstring& text, const std::wstring&, UINT flags) override {
        ++asked;
        std::fprintf(stderr, "asked: %ls\n", text.c_str());
        return (flags & 0xF) == MB_YESNO ? IDNO : IDOK;
    }
    std::optional<std::vector<std::wstring>> OpenFiles(HWND, const FileDialogSpec&) override {
        if (openFiles.empty()) return std::nullopt;
        return openFiles;
    }
    std::optional<std::wstring> SaveFile(HWND, const FileDialogSpec&) override { return std::nullopt; }
    std::optional<std::wstring> BrowseFolder(HWND, const std::wstring&) override {
        if (folder.empty()) return std::nullopt;
        return folder;
    }
    std::optional<COLORREF> ChooseColour(HWND, COLORREF) override { return std::nullopt; }
    int RunModal(Form&) override { return IDCANCEL; }
};

} // namespace orv::bench
