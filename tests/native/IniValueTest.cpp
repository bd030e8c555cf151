// How INI values read as numbers and booleans (plain C++, so checked natively as well).
#include <gtest/gtest.h>

#include "platform/IniValue.h"

namespace orv {
namespace {

TEST(IniValue, IntegersAndBooleans) {
    struct Case {
        const wchar_t* text;
        std::optional<long long> number;
    } cases[] = {
        {L"0", 0}, {L"1", 1}, {L"-1", -1}, {L"+7", 7}, {L"0x1F", 31}, {L"0X1f", 31}, {L"$10", 16}, {L"-$10", -16},
        {L"0x", std::nullopt}, {L"", std::nullopt}, {L"-", std::nullopt}, {L"1 ", std::nullopt}, {L"yes", std::nullopt},
        {L"0xG", std::nullopt},
    };
    for (const Case& c : cases) {
        auto got = ParseIniInteger(c.text);
        EXPECT_EQ(got, c.number) << "text \"" << testing::PrintToString(std::wstring(c.text)) << "\"";
    }
    // A long run of digits is still a number, and not zero.
    auto huge = ParseIniInteger(L"99999999999999999999999");
    ASSERT_TRUE(huge.has_value());
    EXPECT_NE(*huge, 0);
    EXPECT_TRUE(ParseIniBool(L"99999999999999999999999", false));

    struct BoolCase {
        const wchar_t* text;
        bool defaultValue, expected;
    } bools[] = {
        {L"1", false, true}, {L"0", true, false}, {L"-1", false, true}, {L"0x0", true, false},
        {L"true", false, false}, {L"true", true, true}, {L"", true, true}, {L"", false, false},
    };
    for (const BoolCase& c : bools)
        EXPECT_EQ(ParseIniBool(c.text, c.defaultValue), c.expected)
            << "text " << testing::PrintToString(std::wstring(c.text)) << ", default " << c.defaultValue;
}

} // namespace
} // namespace orv
