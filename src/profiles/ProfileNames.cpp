#include "profiles/ProfileNames.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include <windows.h>

namespace orv {
namespace {

constexpr std::wstring_view kForbidden = L"\\/:*?\"<>|";

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    // The comparison the file system and the registry make, not a locale's.
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool IsReservedDeviceName(std::wstring_view name) {
    // "CON", "con.txt" and "CON .x" all name the device.
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.remove_suffix(1);
    static constexpr std::array<std::wstring_view, 4> kPlain = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (std::wstring_view device : kPlain)
        if (EqualIgnoringCase(base, device)) return true;
    if (base.size() == 4 && base[3] >= L'1' && base[3] <= L'9')
        return EqualIgnoringCase(base.substr(0, 3), L"COM") || EqualIgnoringCase(base.substr(0, 3), L"LPT");
    return false;
}

} // namespace

std::optional<std::wstring> ProfileNameProblem(const std::wstring& name,
                                               const std::vector<std::wstring>& existing) {
    if (name.empty()) return L"Please enter a profile name.";
    bool control = std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < 32; });
    if (control) return L"A profile name cannot contain control characters.";
    if (name.find_first_of(kForbidden) != std::wstring::npos)
        return L"A profile name cannot contain any of the characters \\ / : * ? \" < > |";
    if (name.back() == L' ' || name.back() == L'.') return L"A profile name cannot end in a blank or a dot.";
    if (IsReservedDeviceName(name))
        return L"\"" + name + L"\" is a name Windows reserves for a device; please choose another name.";
    for (const std::wstring& other : existing) {
        if (other == name) return L"This Profile Name Already Exists";
        if (EqualIgnoringCase(other, name))
            return L"The profile \"" + other +
                   L"\" already exists; names that differ only in letter case would share its folder and "
                   L"file.";
    }
    return std::nullopt;
}

} // namespace orv
