#include "lists/ListFile.h"

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

void WriteListFile(const std::wstring& path, const ListRows& rows) {
    WriteFileAtomically(path, EncodeListText(listfile::FormatText(rows)));
}

} // namespace orv
