#include "platform/Text.h"

#include <windows.h>

namespace orv {

std::wstring AnsiToWide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string WideToAnsi(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> WideToAnsiExact(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return std::string();
    if (codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8)) return WideToUtf8(text);
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                nullptr, 0, nullptr, &lossy);
    if (lossy || n <= 0) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, &lossy);
    if (lossy) return std::nullopt;
    return out;
}

std::wstring Utf8ToWide(std::string_view bytes) { return AnsiToWide(bytes, CP_UTF8); }

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string AnsiPathFor(const std::wstring& path) {
    if (auto exact = WideToAnsiExact(path)) return *exact;
    wchar_t shortPath[MAX_PATH * 4];
    DWORD length = GetShortPathNameW(path.c_str(), shortPath, ARRAYSIZE(shortPath));
    if (length > 0 && length < ARRAYSIZE(shortPath))
        if (auto exact = WideToAnsiExact(std::wstring(shortPath, length))) return *exact;
    return WideToAnsi(path);
}

std::wstring FileNamePart(std::wstring_view path) {
    size_t cut = path.find_last_of(L"\\:");
    return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

std::wstring FolderPart(std::wstring_view path) {
    size_t cut = path.find_last_of(L"\\:");
    return std::wstring(cut == std::wstring_view::npos ? std::wstring_view() : path.substr(0, cut + 1));
}

} // namespace orv
