#include "platform/IniValue.h"

namespace orv {
namespace {

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return 99;
}

// All of `digits` in `base`; empty or stray characters give nullopt. Saturates instead of
// overflowing, so a long run of digits is still a (non-zero) number.
std::optional<long long> ParseDigits(std::wstring_view digits, int base, bool negative) {
    if (digits.empty()) return std::nullopt;
    unsigned long long value = 0;
    for (wchar_t c : digits) {
        int d = DigitValue(c);
        if (d >= base) return std::nullopt;
        if (value < (1ULL << 59)) value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    }
    long long v = static_cast<long long>(value);
    return negative ? -v : v;
}

} // namespace

std::optional<long long> ParseIniInteger(std::wstring_view text) {
    if (text.size() >= 3 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
        return ParseDigits(text.substr(2), 16, false);
    bool negative = false;
    if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) {
        negative = text[0] == L'-';
        text.remove_prefix(1);
    }
    if (!text.empty() && text[0] == L'$') return ParseDigits(text.substr(1), 16, negative);
    return ParseDigits(text, 10, negative);
}

bool ParseIniBool(std::wstring_view text, bool defaultValue) {
    auto value = ParseIniInteger(text);
    return value ? *value != 0 : defaultValue;
}

} // namespace orv
