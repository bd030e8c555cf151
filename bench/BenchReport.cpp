#include "BenchReport.h"

#include <algorithm>
#include <cstdio>

#include <windows.h>

namespace orv::bench {

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double MedianMs(int repeats, const std::function<void()>& work) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        work();
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart));
    }
    return Median(times);
}

void Report(const std::string& name, double value, const std::string& unit, const std::string& reference,
            double referenceValue) {
    std::printf("bench %s: %.3f %s; reference %s: %.3f %s; ratio %.2f\n", name.c_str(), value, unit.c_str(),
                reference.c_str(), referenceValue, unit.c_str(), referenceValue > 0 ? value / referenceValue : 0.0);
    std::fflush(stdout);
}

} // namespace orv::bench
