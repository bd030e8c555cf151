#pragma once
// The few registry operations the handler library needs, written so that they never throw and
// never trust what the store holds: every read is bounded and checks the value's type.
#include <string>

#include <windows.h>

namespace orv::shellmenu {

// An open registry key, closed when it goes out of scope. Empty when opening failed.
class ScopedKey {
  public:
    ScopedKey() = default;
    ScopedKey(ScopedKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    ScopedKey& operator=(ScopedKey&& other) noexcept;
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() { Close(); }

    static ScopedKey Open(HKEY root, const wchar_t* path, REGSAM access);
    // Creates the key (and its parents) where missing.
    static ScopedKey Create(HKEY root, const wchar_t* path, REGSAM access);

    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }
    void Close();

  private:
    HKEY key_ = nullptr;
};

enum class TextRead { Ok, Missing, WrongType, TooLong };

// Reads a REG_SZ or REG_EXPAND_SZ value (as stored, not expanded) into `buffer`, which holds
// `capacity` characters including the terminating NUL. On anything but Ok the buffer is empty.
TextRead ReadText(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD capacity);
// Reads a text value of any length up to `maxChars`; false when missing, not text or longer.
bool ReadText(HKEY key, const wchar_t* name, std::wstring& text, DWORD maxChars = 32767);
// Reads a REG_DWORD value; false when missing or of another type or size.
bool ReadDword(HKEY key, const wchar_t* name, DWORD& value);
bool WriteText(HKEY key, const wchar_t* name, const std::wstring& text);
// True when the key has neither subkeys nor values.
bool IsEmptyKey(HKEY root, const wchar_t* path);

} // namespace orv::shellmenu
