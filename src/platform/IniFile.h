#pragma once
// A Windows INI file through the private-profile functions: values are read trimmed and
// unquoted, at most 2047 characters; every write goes to the file at once.
#include <string>

namespace orv {

class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& path() const { return path_; }

    // Missing file, section or key gives the default; a key with nothing after "=" gives "".
    std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def) const;
    bool ReadBool(const std::wstring& section, const std::wstring& key, bool def) const;
    // Throws "Unable to write to <path>" when the file cannot be written.
    void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;
    void WriteBool(const std::wstring& section, const std::wstring& key, bool value) const;

private:
    std::wstring path_;
};

} // namespace orv
