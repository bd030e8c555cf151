#include "platform/Registry.h"

#include "platform/AppError.h"

namespace orv {
namespace {

std::wstring Relative(std::wstring_view path) {
    while (!path.empty() && path.front() == L'\\') path.remove_prefix(1);
    return std::wstring(path);
}

} // namespace

RegKey& RegKey::operator=(RegKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

void RegKey::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

RegKey RegKey::Open(HKEY root, std::wstring_view path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Relative(path).c_str(), 0, access, &key) != ERROR_SUCCESS) return RegKey();
    return RegKey(key);
}

RegKey RegKey::Create(HKEY root, std::wstring_view path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, Relative(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return RegKey();
    return RegKey(key);
}

std::vector<std::wstring> RegKey::SubkeyNames() const {
    std::vector<std::wstring> names;
    if (!key_) return names;
    wchar_t name[256];  // the registry's limit for a key name is 255 characters
    for (DWORD i = 0;; ++i) {
        DWORD len = ARRAYSIZE(name);
        LONG rc = RegEnumKeyExW(key_, i, name, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS) continue;
        names.emplace_back(name, len);
    }
    return names;
}

std::optional<std::wstring> RegKey::ReadString(std::wstring_view name) const {
    if (!key_) return std::nullopt;
    std::wstring valueName(name);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw AppError(FormatText(L"Invalid data type for '%s'", {valueName}));
    std::wstring text;
    for (;;) {  // the value may grow between the two calls
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        LONG rc = RegQueryValueExW(key_, valueName.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(text.data()), &bytes);
        if (rc == ERROR_MORE_DATA) {
            size = bytes;
            continue;
        }
        if (rc != ERROR_SUCCESS) return std::nullopt;
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw AppError(FormatText(L"Invalid data type for '%s'", {valueName}));
        text.resize(bytes / sizeof(wchar_t));
        break;
    }
    if (size_t nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
    return text;
}

std::optional<DWORD> RegKey::ReadDword(std::wstring_view name) const {
    if (!key_) return std::nullopt;
    std::wstring valueName(name);
    DWORD type = 0, value = 0, size = sizeof(value);
    if (RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return std::nullopt;
    return value;
}

void RegKey::WriteString(std::wstring_view name, std::wstring_view value) const {
    std::wstring valueName(name), data(value);
    LONG rc = key_ ? RegSetValueExW(key_, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                    static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)))
                   : ERROR_INVALID_HANDLE;
    if (rc != ERROR_SUCCESS) throw AppError(FormatText(L"Failed to set data for '%s'", {valueName}));
}

void RegKey::WriteDword(std::wstring_view name, DWORD value) const {
    std::wstring valueName(name);
    LONG rc = key_ ? RegSetValueExW(key_, valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                    sizeof(value))
                   : ERROR_INVALID_HANDLE;
    if (rc != ERROR_SUCCESS) throw AppError(FormatText(L"Failed to set data for '%s'", {valueName}));
}

bool RegKey::DeleteValue(std::wstring_view name) const {
    return key_ && RegDeleteValueW(key_, std::wstring(name).c_str()) == ERROR_SUCCESS;
}

bool RegKey::DeleteKey(HKEY root, std::wstring_view path) {
    return RegDeleteKeyW(root, Relative(path).c_str()) == ERROR_SUCCESS;
}

bool RegKey::DeleteTree(HKEY root, std::wstring_view path) {
    std::wstring rel = Relative(path);
    if (rel.empty()) return false;  // never wipe a whole root
    return RegDeleteTreeW(root, rel.c_str()) == ERROR_SUCCESS;
}

} // namespace orv
