#include "lists/ListFile.h"

#include <algorithm>
#include <memory>

#include "lists/ListFormat.h"
#include "platform/FileIO.h"
#include "platform/Text.h"

namespace orv {
namespace {

// ASCII reads and writes the same in every ANSI code page: most list files are nothing else, so
// they skip the system's conversions.
std::wstring DecodeAnsi(std::string_view bytes) {
    std::wstring text(bytes.size(), L'\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80) return AnsiToWide(bytes);
        text[i] = b;
    }
    return text;
}

std::optional<std::string> EncodeAnsiExact(std::wstring_view text) {
    std::string bytes(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0x80) return WideToAnsiExact(text);
        bytes[i] = static_cast<char>(text[i]);
    }
    return bytes;
}

const listfile::AnsiCodec kAnsi{DecodeAnsi, EncodeAnsiExact};

} // namespace

void ReadListFile(const std::wstring& path, ListRows& rows) {
    // A block at a time: a big list never needs its whole file, or its whole text, in memory.
    FileReader file(path);
    const size_t before = rows.size();
    try {
        listfile::Reader reader(kAnsi, rows, static_cast<size_t>(file.Size()));
        constexpr size_t kBlock = 256 * 1024;
        std::unique_ptr<char[]> block(new char[kBlock]);
        while (size_t got = file.Read(block.get(), kBlock)) reader.Feed({block.get(), got});
        reader.Finish();
    } catch (...) {
        while (rows.size() > before) rows.Erase(rows.size() - 1);  // a failed read adds nothing
        throw;
    }
}

std::string EncodeListText(std::wstring_view text) { return listfile::EncodeText(text, kAnsi); }

namespace {

constexpr size_t kRowsPerBlock = 1024;

bool IsAscii(std::wstring_view text) {
    for (wchar_t c : text)
        if (c >= 0x80) return false;
    return true;
}

// Whether the list needs UTF-8 (some text has no form in the ANSI code page): the choice that
// EncodeListText makes for the whole text, made before the first byte is written.
bool NeedsUtf8(const ListRows& rows) {
    bool ascii = true;
    for (size_t i = 0; i < rows.size() && ascii; ++i) {
        ascii = IsAscii(rows.Caption(i));
        for (size_t k = 0; k < rows.SubItemCount(i) && ascii; ++k) ascii = IsAscii(rows.SubItem(i, k));
    }
    if (ascii) return false;
    std::wstring text;
    for (size_t first = 0; first < rows.size(); first += kRowsPerBlock) {
        text.clear();
        listfile::FormatRows(rows, first, std::min(first + kRowsPerBlock, rows.size()), text);
        if (!EncodeAnsiExact(text)) return true;
    }
    return false;
}

} // namespace

void WriteListFile(const std::wstring& path, const ListRows& rows) {
    // A block of lines at a time: a big list never needs its whole text, or its bytes, at once.
    const bool utf8 = NeedsUtf8(rows);
    AtomicFileWriter file(path);
    if (utf8) file.Write(listfile::kUtf8Bom);
    std::wstring text;
    for (size_t first = 0; first < rows.size(); first += kRowsPerBlock) {
        text.clear();
        listfile::FormatRows(rows, first, std::min(first + kRowsPerBlock, rows.size()), text);
        file.Write(utf8 ? listfile::EncodeUtf8(text) : EncodeAnsiExact(text).value_or(std::string()));
    }
    file.Commit();
}

} // namespace orv
