#pragma once
// How INI values read as numbers and booleans. Plain C++: shared by the INI reader and its tests.
#include <optional>
#include <string_view>

namespace orv {

// "0x"/"0X" followed by hex digits (at least three characters in all); otherwise a decimal
// integer with an optional sign, or hexadecimal after a leading "$". Anything else: nullopt.
std::optional<long long> ParseIniInteger(std::wstring_view text);

// Any non-zero integer is true, zero false; text that is no integer gives the default.
bool ParseIniBool(std::wstring_view text, bool defaultValue);

} // namespace orv
