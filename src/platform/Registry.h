#pragma once
// RAII registry key with the few operations the program needs. Keys are opened with full access
// (KEY_ALL_ACCESS) unless a caller asks otherwise; a key that cannot be opened is an empty object,
// never an error, because the program skips such keys silently.
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include <windows.h>

namespace orv {

class RegKey {
public:
    RegKey() = default;
    RegKey(RegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() { Close(); }

    // A leading "\" in `path` is ignored: paths are always relative to `root`.
    static RegKey Open(HKEY root, std::wstring_view path, REGSAM access = KEY_ALL_ACCESS);
    static RegKey Create(HKEY root, std::wstring_view path, REGSAM access = KEY_ALL_ACCESS);

    explicit operator bool() const { return key_ != nullptr; }
    HKEY handle() const { return key_; }
    void Close();

    // Subkey names in the order the registry enumerates them.
    std::vector<std::wstring> SubkeyNames() const;
    // REG_SZ and REG_EXPAND_SZ as stored; nullopt when the value is missing. Any other type
    // throws "Invalid data type for '%s'" naming the value.
    std::optional<std::wstring> ReadString(std::wstring_view name) const;
    std::wstring ReadStringOrEmpty(std::wstring_view name) const { return ReadString(name).value_or(L""); }
    // REG_DWORD; nullopt when missing or of another type.
    std::optional<DWORD> ReadDword(std::wstring_view name) const;
    // Throws "Failed to set data for '%s'" when the write fails.
    void WriteString(std::wstring_view name, std::wstring_view value) const;
    void WriteDword(std::wstring_view name, DWORD value) const;
    bool DeleteValue(std::wstring_view name) const;

    static bool DeleteKey(HKEY root, std::wstring_view path);
    // Deletes the key with all its subkeys.
    static bool DeleteTree(HKEY root, std::wstring_view path);

private:
    explicit RegKey(HKEY key) : key_(key) {}
    HKEY key_ = nullptr;
};

} // namespace orv
