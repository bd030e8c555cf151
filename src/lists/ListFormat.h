#pragma once
// The list file format: one line per entry, `"caption",sub-item,sub-item`, lines ended by CR LF.
// Plain C++ without Windows headers, so it is also built natively for sanitizer and fuzz runs.
#include <optional>
#include <string>
#include <string_view>

#include "ui/ListRows.h"

namespace orv::listfile {

// Appends one row per line of `text`, which ends at its first NUL. Lines end at CR LF, a lone CR
// or a lone LF; fields are split as comma text (quoted fields with doubled quotes inside, blanks
// around fields skipped). A quoted field without its closing quote takes the rest of the line,
// doubled quotes in it still read as one.
void ParseText(std::wstring_view text, ListRows& rows);

// The field rule: quoted (inner quotes doubled) when the text holds a quote, a comma or a
// character with code 1 to 32; otherwise as it is.
void AppendField(std::wstring& out, std::wstring_view field);

// All rows as lines, each followed by CR LF; an empty list gives empty text.
std::wstring FormatText(const ListRows& rows);
// The lines of rows [first, last), appended to `out`.
void FormatRows(const ListRows& rows, size_t first, size_t last, std::wstring& out);

// How text meets bytes: the ANSI code page through the caller's converters, UTF-8 here.
struct AnsiCodec {
    std::wstring (*decode)(std::string_view bytes);
    // nullopt when the text holds a character the code page cannot hold.
    std::optional<std::string> (*encodeExact)(std::wstring_view text);
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Bytes up to the first NUL; a leading UTF-8 byte-order mark means UTF-8, anything else ANSI.
std::wstring DecodeBytes(std::string_view bytes, const AnsiCodec& ansi);
// Reads a list file's bytes as they arrive, in pieces of any size, appending its entries: what
// DecodeBytes and then ParseText give for the whole, without the whole file or its whole text
// ever being held at once.
class Reader {
public:
    // `expectedBytes` sizes the rows' text store in advance (a byte gives at most one character).
    Reader(const AnsiCodec& ansi, ListRows& rows, size_t expectedBytes = 0, size_t blockSize = 1 << 16);
    void Feed(std::string_view bytes);
    // The last line, which may lack its line break.
    void Finish();

private:
    void FeedLines(std::string_view bytes);
    void Consume(std::string_view wholeLines);

    const AnsiCodec& ansi_;
    ListRows& rows_;
    size_t blockSize_;
    std::string pending_;  // bytes not yet read as lines: a partial line, or the start of the file
    enum class Encoding { Unknown, Ansi, Utf8 } encoding_ = Encoding::Unknown;
    bool ended_ = false;  // a NUL byte was met
};

// The whole of a list file's bytes at once, through a Reader.
void ReadBytes(std::string_view bytes, const AnsiCodec& ansi, ListRows& rows, size_t blockSize = 1 << 16);

// ANSI when every character fits the code page; otherwise UTF-8 after a byte-order mark, so
// that no path is lost.
std::string EncodeText(std::wstring_view text, const AnsiCodec& ansi);

std::wstring DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(std::wstring_view text);

} // namespace orv::listfile
