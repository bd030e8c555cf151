#pragma once
// Conversions between the UTF-16 used inside and the 8-bit encodings that files and the outside
// libraries fix.
#include <optional>
#include <string>
#include <string_view>

namespace orv {

std::wstring AnsiToWide(std::string_view bytes, unsigned codePage = 0 /* CP_ACP */);
// Lossy: characters the code page lacks become its default character.
std::string WideToAnsi(std::wstring_view text, unsigned codePage = 0);
// Exact: nullopt when some character has no form in the code page.
std::optional<std::string> WideToAnsiExact(std::wstring_view text, unsigned codePage = 0);
std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);

// A file path as ANSI text for an interface that takes only that. A path the code page cannot
// spell goes in its short (8.3) form, which it can, rather than with letters replaced by ones
// that name no file.
std::string AnsiPathFor(const std::wstring& path);

// The file name part of a path: what follows the last "\" or ":".
std::wstring FileNamePart(std::wstring_view path);
// The folder part of a path, with its trailing "\".
std::wstring FolderPart(std::wstring_view path);

} // namespace orv
