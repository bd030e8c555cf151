// The error box's text rule and the message patterns.
#include <gtest/gtest.h>

#include "platform/AppError.h"

namespace orv {
namespace {

TEST(ErrorText, FullStopIsAppendedUnlessTheLastCharacterIsAtMostAFullStop) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"Stream write error", L"Stream write error."},
        {L"Bad file.", L"Bad file."},
        {L"Unable to write to C:\\x\\", L"Unable to write to C:\\x\\."},  // '\' is above '.'
        {L"Unknown picture file extension (.)", L"Unknown picture file extension (.)"},  // ')' is below
        {L"Ends in a blank ", L"Ends in a blank "},
        {L"Question?", L"Question?."},  // '?' is above '.'
        {L"", L""},
    };
    for (const auto& [text, shown] : cases) EXPECT_EQ(WithFullStop(text), shown);
}

TEST(ErrorText, PatternsTakeTheirArgumentsInOrder) {
    EXPECT_EQ(FormatText(L"Cannot open file \"%s\". %s", {L"C:\\a.lst", L"File not found."}),
              L"Cannot open file \"C:\\a.lst\". File not found.");
    EXPECT_EQ(FormatText(L"Invalid data type for '%s'", {L""}), L"Invalid data type for ''");
    EXPECT_EQ(FormatText(L"100%s", {}), L"100%s");  // a missing argument leaves the pattern alone
}

} // namespace
} // namespace orv
