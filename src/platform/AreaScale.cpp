#include "platform/AreaScale.h"

#include <algorithm>
#include <vector>

namespace orv {
namespace {

// Weights are fixed point: the taps of one target pixel sum exactly to kOne, so a flat colour
// stays exactly that colour.
constexpr std::uint32_t kOne = 1u << 16;

// For each target index, the source indices [first, first + count) and their weights.
struct Taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<int> start;  // into weights
    std::vector<std::uint32_t> weights;
};

void AddTarget(Taps& taps, int first, const std::vector<std::uint64_t>& raw) {
    std::uint64_t total = 0;
    for (auto w : raw) total += w;
    taps.first.push_back(first);
    taps.count.push_back(static_cast<int>(raw.size()));
    taps.start.push_back(static_cast<int>(taps.weights.size()));
    const size_t base = taps.weights.size();
    std::uint32_t sum = 0;
    for (auto w : raw) {
        taps.weights.push_back(static_cast<std::uint32_t>((w * kOne + total / 2) / total));
        sum += taps.weights.back();
    }
    size_t largest = static_cast<size_t>(
        std::max_element(taps.weights.begin() + static_cast<std::ptrdiff_t>(base), taps.weights.end()) -
        taps.weights.begin());
    taps.weights[largest] += kOne - sum;  // rounding leftovers go where they matter least
}

// Shrinking: target pixel d covers source span [d * src / dst, (d + 1) * src / dst); each source
// pixel weighs as much as it overlaps. Measured in units of 1/dst source pixel, all integers.
Taps AreaTaps(int src, int dst) {
    Taps taps;
    std::vector<std::uint64_t> raw;
    for (int d = 0; d < dst; ++d) {
        std::int64_t lo = std::int64_t{d} * src, hi = lo + src;
        int first = static_cast<int>(lo / dst), last = static_cast<int>((hi - 1) / dst);
        raw.clear();
        for (int i = first; i <= last; ++i)
            raw.push_back(static_cast<std::uint64_t>(std::min(hi, std::int64_t{i + 1} * dst) -
                                                     std::max(lo, std::int64_t{i} * dst)));
        AddTarget(taps, first, raw);
    }
    return taps;
}

// Growing: the target pixel's centre falls between two source centres; weigh them by distance.
Taps LinearTaps(int src, int dst) {
    Taps taps;
    std::vector<std::uint64_t> raw;
    const std::int64_t den = 2 * std::int64_t{dst};
    for (int d = 0; d < dst; ++d) {
        std::int64_t pos = (2 * std::int64_t{d} + 1) * src - dst;  // centre in source pixels, times den
        raw.clear();
        if (pos <= 0) {
            raw.push_back(1);
            AddTarget(taps, 0, raw);
            continue;
        }
        int i = static_cast<int>(pos / den);
        std::int64_t frac = pos % den;
        if (i + 1 >= src || frac == 0) {
            raw.push_back(1);
            AddTarget(taps, std::min(i, src - 1), raw);
            continue;
        }
        raw.push_back(static_cast<std::uint64_t>(den - frac));
        raw.push_back(static_cast<std::uint64_t>(frac));
        AddTarget(taps, i, raw);
    }
    return taps;
}

Taps TapsFor(int src, int dst) { return dst <= src ? AreaTaps(src, dst) : LinearTaps(src, dst); }

// Adds weight * row to the accumulator; plain byte-wise so the compiler can vectorise it.
void Accumulate(std::uint32_t* acc, const std::uint8_t* row, size_t n, std::uint32_t weight, bool firstTap) {
    if (firstTap)
        for (size_t i = 0; i < n; ++i) acc[i] = weight * row[i];
    else
        for (size_t i = 0; i < n; ++i) acc[i] += weight * row[i];
}

} // namespace

void ScalePixels(const PixelView& source, int width, int height, std::uint32_t* out) {
    const int bpp = source.bytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(source.width) * bpp;
    const Taps rows = TapsFor(source.height, height);
    const Taps cols = TapsFor(source.width, width);
    const bool alpha = source.hasAlpha && bpp == 4;
    std::vector<std::uint32_t> line(rowBytes);

    // Rows first: the pass over the whole source is then a straight multiply-add of bytes, and
    // the column pass works on the few rows that remain.
    for (int y = 0; y < height; ++y) {
        for (int t = 0; t < rows.count[y]; ++t) {
            const std::uint8_t* row = source.bytes + static_cast<size_t>(rows.first[y] + t) * source.stride;
            Accumulate(line.data(), row, rowBytes, rows.weights[rows.start[y] + t], t == 0);
        }
        std::uint32_t* target = out + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            std::uint64_t b = 0, g = 0, r = 0, a = 0;
            const std::uint32_t* px = line.data() + static_cast<size_t>(cols.first[x]) * bpp;
            const std::uint32_t* w = cols.weights.data() + cols.start[x];
            for (int t = 0; t < cols.count[x]; ++t, px += bpp) {
                b += std::uint64_t{w[t]} * px[0];
                g += std::uint64_t{w[t]} * px[1];
                r += std::uint64_t{w[t]} * px[2];
                if (alpha) a += std::uint64_t{w[t]} * px[3];
            }
            constexpr std::uint64_t half = std::uint64_t{1} << 31;
            auto channel = [](std::uint64_t v) { return static_cast<std::uint32_t>((v + half) >> 32); };
            std::uint32_t av = alpha ? channel(a) : 255u;
            target[x] = channel(b) | channel(g) << 8 | channel(r) << 16 | av << 24;
        }
    }
}

} // namespace orv
