#include "platform/IniFile.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/IniValue.h"

namespace orv {

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def) const {
    wchar_t buffer[2048];
    DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer, ARRAYSIZE(buffer),
                                       path_.c_str());
    return std::wstring(buffer, n);
}

bool IniFile::ReadBool(const std::wstring& section, const std::wstring& key, bool def) const {
    return ParseIniBool(ReadString(section, key, L""), def);
}

void IniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const {
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
        throw AppError(L"Unable to write to " + path_);
}

void IniFile::WriteBool(const std::wstring& section, const std::wstring& key, bool value) const {
    WriteString(section, key, value ? L"1" : L"0");
}

} // namespace orv
