// Which names a new profile may take.
#include <gtest/gtest.h>

#include "profiles/ProfileNames.h"

namespace orv {
namespace {

struct NameCase {
    const wchar_t* name;
    const wchar_t* problem; // nullptr: accepted
};

const std::vector<std::wstring> kExisting = {L"Holidays", L"Work"};

const NameCase kNameCases[] = {
    {L"Summer 2026", nullptr},
    {L"Trip.one", nullptr},
    {L"Console", nullptr},
    {L"COM10", nullptr},
    {L"  leading blanks", nullptr},
    {L"Über", nullptr},
    {L"", L"Please enter a profile name."},
    {L"a\\b", L"A profile name cannot contain any of the characters \\ / : * ? \" < > |"},
    {L"a/b", L"A profile name cannot contain any of the characters \\ / : * ? \" < > |"},
    {L"C:", L"A profile name cannot contain any of the characters \\ / : * ? \" < > |"},
    {L"what?", L"A profile name cannot contain any of the characters \\ / : * ? \" < > |"},
    {L"say \"hi\"", L"A profile name cannot contain any of the characters \\ / : * ? \" < > |"},
    {L"<a|b>*", L"A profile name cannot contain any of the characters \\ / : * ? \" < > |"},
    {L"tab\there", L"A profile name cannot contain control characters."},
    {L".", L"A profile name cannot end in a blank or a dot."},
    {L"..", L"A profile name cannot end in a blank or a dot."},
    {L"trailing ", L"A profile name cannot end in a blank or a dot."},
    {L"dot.", L"A profile name cannot end in a blank or a dot."},
    {L"CON", L"\"CON\" is a name Windows reserves for a device; please choose another name."},
    {L"nul", L"\"nul\" is a name Windows reserves for a device; please choose another name."},
    {L"Aux.txt", L"\"Aux.txt\" is a name Windows reserves for a device; please choose another name."},
    {L"lpt9", L"\"lpt9\" is a name Windows reserves for a device; please choose another name."},
    {L"COM1 .x", L"\"COM1 .x\" is a name Windows reserves for a device; please choose another name."},
    {L"Holidays", L"This Profile Name Already Exists"},
    {L"HOLIDAYS", L"The profile \"Holidays\" already exists; names that differ only in letter case would "
                  L"share its folder and "
                  L"file."},
    {L"work",
     L"The profile \"Work\" already exists; names that differ only in letter case would share its folder "
     L"and file."},
};

TEST(ProfileNames, EachNameGetsItsVerdict) {
    for (const NameCase& c : kNameCases) {
        std::optional<std::wstring> problem = ProfileNameProblem(c.name, kExisting);
        EXPECT_EQ(problem.value_or(L"<accepted>"), c.problem ? c.problem : L"<accepted>")
            << "name [" << testing::PrintToString(std::wstring(c.name)) << "]";
    }
}

} // namespace
} // namespace orv
