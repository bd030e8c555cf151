#include "shellmenu/HandlerRegistry.h"

#include <cwchar>
#include <vector>

namespace orv::shellmenu {

ScopedKey& ScopedKey::operator=(ScopedKey&& other) noexcept {
    if (this != &other) {
        Close();
        key_ = other.key_;
        other.key_ = nullptr;
    }
    return *this;
}

ScopedKey ScopedKey::Open(HKEY root, const wchar_t* path, REGSAM access) {
    ScopedKey result;
    HKEY key = nullptr;
    if (root && path && RegOpenKeyExW(root, path, 0, access, &key) == ERROR_SUCCESS) result.key_ = key;
    return result;
}

ScopedKey ScopedKey::Create(HKEY root, const wchar_t* path, REGSAM access) {
    ScopedKey result;
    HKEY key = nullptr;
    if (root && path &&
        RegCreateKeyExW(root, path, 0, nullptr, 0, access, nullptr, &key, nullptr) == ERROR_SUCCESS)
        result.key_ = key;
    return result;
}

void ScopedKey::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

namespace {

bool IsText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

} // namespace

TextRead ReadText(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD capacity) {
    if (!buffer || capacity == 0) return TextRead::TooLong;
    buffer[0] = L'\0';
    // One query: every registry call is a round trip to the registry server, and the shell waits.
    // The type comes back also when the data does not fit.
    DWORD type = REG_NONE;
    DWORD bytes = capacity * sizeof(wchar_t);
    const LSTATUS status =
        RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    if (status != ERROR_SUCCESS) buffer[0] = L'\0';
    if (status == ERROR_MORE_DATA) return IsText(type) ? TextRead::TooLong : TextRead::WrongType;
    if (status != ERROR_SUCCESS) return TextRead::Missing;
    if (!IsText(type)) {
        buffer[0] = L'\0';
        return TextRead::WrongType;
    }
    // The stored text need not end in a NUL: terminate it within the buffer or call it too long.
    const DWORD chars = bytes / sizeof(wchar_t);
    if (chars < capacity) buffer[chars] = L'\0';
    if (wcsnlen(buffer, capacity) >= capacity) {
        buffer[0] = L'\0';
        return TextRead::TooLong;
    }
    return TextRead::Ok;
}

bool ReadText(HKEY key, const wchar_t* name, std::wstring& text, DWORD maxChars) {
    text.clear();
    try {
        std::vector<wchar_t> buffer(static_cast<size_t>(maxChars) + 1);
        if (ReadText(key, name, buffer.data(), maxChars + 1) != TextRead::Ok) return false;
        text = buffer.data();
        return true;
    } catch (...) {
        text.clear();
        return false;
    }
}

bool ReadDword(HKEY key, const wchar_t* name, DWORD& value) {
    DWORD type = 0;
    DWORD data = 0;
    DWORD bytes = sizeof(data);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &bytes) != ERROR_SUCCESS)
        return false;
    if (type != REG_DWORD || bytes != sizeof(data)) return false;
    value = data;
    return true;
}

bool WriteText(HKEY key, const wchar_t* name, const std::wstring& text) {
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
           ERROR_SUCCESS;
}

bool IsEmptyKey(HKEY root, const wchar_t* path) {
    ScopedKey key = ScopedKey::Open(root, path, KEY_READ);
    if (!key) return false;
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    return subkeys == 0 && values == 0;
}

} // namespace orv::shellmenu
