#pragma once
// Timing, medians, memory and the figure line shared by the list benchmarks.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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

} // namespace orv::bench
