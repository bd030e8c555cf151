#pragma once
// Little-endian reads and bitmap measures shared by the metafile record checks.
#include <cstdint>
#include <string_view>

namespace orv {

inline std::uint32_t Le16(std::string_view b, size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
inline std::uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

// Bytes a colour table entry takes for a DIB_RGB_COLORS / DIB_PAL_COLORS / DIB_PAL_INDICES use.
std::uint64_t ColourEntrySize(std::uint32_t usage);

// Measures the device-independent bitmap whose header starts at `at`, of which `available`
// bytes are readable: the bytes its header and colour table take, and those its rows take
// (at most `scans` rows; 0 for run-length encoded rows). False when the header is unsound.
bool MeasureDib(std::string_view b, size_t at, std::uint64_t available, std::uint64_t entrySize,
                std::uint64_t scans, std::uint64_t& headerBytes, std::uint64_t& rowBytes);

} // namespace orv
