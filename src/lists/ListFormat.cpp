#include "lists/ListFormat.h"

#include <algorithm>
#include <span>

namespace orv::listfile {
namespace {

bool IsBlank(wchar_t c) { return c >= 1 && c <= 32; }

// Splits one line into at most three fields. Views point into the line, or into `scratch` for
// quoted fields whose doubled quotes had to be collapsed.
struct LineFields {
    std::wstring_view field[3];
    size_t count = 0;
    std::wstring scratch[3];

    void Add(std::wstring_view f) {
        if (count < 3) field[count] = f;
        ++count;
    }
};

// A quoted field starting at line[pos] == '"'; returns the position after the closing quote.
// A missing closing quote takes the rest of the line.
size_t ReadQuoted(std::wstring_view line, size_t pos, LineFields& fields) {
    size_t start = ++pos;
    size_t close = line.find(L'"', pos);
    if (close == std::wstring_view::npos) {
        fields.Add(line.substr(start));
        return line.size();
    }
    if (close + 1 >= line.size() || line[close + 1] != L'"') {  // the usual case: no doubled quotes
        fields.Add(line.substr(start, close - start));
        return close + 1;
    }
    std::wstring& text = fields.scratch[std::min<size_t>(fields.count, 2)];
    text.clear();
    while (pos < line.size()) {
        wchar_t c = line[pos];
        if (c == L'"') {
            ++pos;
            if (pos >= line.size() || line[pos] != L'"') break;
        }
        text += line[pos];
        ++pos;
    }
    fields.Add(text);
    return pos;
}

void SplitFields(std::wstring_view line, LineFields& fields) {
    size_t pos = 0, n = line.size();
    while (pos < n && IsBlank(line[pos])) ++pos;
    while (pos < n && fields.count < 3) {
        if (line[pos] == L'"') {
            pos = ReadQuoted(line, pos, fields);
        } else {
            size_t start = pos;
            while (pos < n && line[pos] > 32 && line[pos] != L',') ++pos;
            fields.Add(line.substr(start, pos - start));
        }
        while (pos < n && IsBlank(line[pos])) ++pos;
        if (pos < n && line[pos] == L',') {
            if (pos == n - 1) fields.Add({});
            ++pos;
            while (pos < n && IsBlank(line[pos])) ++pos;
        }
    }
}

void AddLine(std::wstring_view line, ListRows& rows) {
    LineFields fields;
    SplitFields(line, fields);
    std::wstring_view caption = fields.count >= 1 ? fields.field[0] : std::wstring_view();
    size_t subItems = fields.count >= 2 ? std::min<size_t>(fields.count - 1, 2) : 0;
    rows.Append(caption, std::span<const std::wstring_view>(fields.field + 1, subItems));
}

bool NeedsQuotes(std::wstring_view field) {
    for (wchar_t c : field)
        if (c == L'"' || c == L',' || IsBlank(c)) return true;
    return false;
}

} // namespace

void ParseText(std::wstring_view text, ListRows& rows) {
    text = text.substr(0, text.find(L'\0'));  // the text ends at a NUL, as the file does
    rows.Reserve(0, text.size());
    size_t pos = 0, n = text.size();
    while (pos < n) {
        size_t end = pos;
        while (end < n && text[end] != L'\r' && text[end] != L'\n') ++end;
        AddLine(text.substr(pos, end - pos), rows);
        pos = end;
        if (pos < n && text[pos] == L'\r') ++pos;
        if (pos < n && text[pos] == L'\n') ++pos;
    }
}

void AppendField(std::wstring& out, std::wstring_view field) {
    if (!NeedsQuotes(field)) {
        out += field;
        return;
    }
    out += L'"';
    for (wchar_t c : field) {
        if (c == L'"') out += L'"';
        out += c;
    }
    out += L'"';
}

void FormatRows(const ListRows& rows, size_t first, size_t last, std::wstring& out) {
    for (size_t i = first; i < last; ++i) {
        out += L'"';
        out += rows.Caption(i);
        out += L"\",";
        size_t count = rows.SubItemCount(i);
        if (count == 1 && rows.SubItem(i, 0).empty()) {
            out += L"\"\"";
        } else {
            for (size_t k = 0; k < count; ++k) {
                if (k) out += L',';
                AppendField(out, rows.SubItem(i, k));
            }
        }
        out += L"\r\n";
    }
}

std::wstring FormatText(const ListRows& rows) {
    std::wstring out;
    size_t estimate = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        estimate += rows.Caption(i).size() + 8;
        for (size_t k = 0; k < rows.SubItemCount(i); ++k) estimate += rows.SubItem(i, k).size() + 3;
    }
    out.reserve(estimate);
    FormatRows(rows, 0, rows.size(), out);
    return out;
}

std::wstring DecodeBytes(std::string_view bytes, const AnsiCodec& ansi) {
    bytes = bytes.substr(0, bytes.find('\0'));
    if (bytes.starts_with(kUtf8Bom)) return DecodeUtf8(bytes.substr(kUtf8Bom.size()));
    return ansi.decode(bytes);
}

namespace {

// Where the first block of `bytes` ends: after the last line break within `blockSize` bytes (a
// CR LF pair stays together), or after the first one beyond it when a line is longer. Line
// breaks are ASCII bytes, which no multi-byte character of UTF-8 or of an ANSI code page
// contains, so every block decodes as it would within the whole text.
size_t BlockEnd(std::string_view bytes, size_t blockSize) {
    if (bytes.size() <= blockSize) return bytes.size();
    size_t brk = bytes.find_last_of("\r\n", blockSize - 1);
    if (brk == std::string_view::npos) {
        brk = bytes.find_first_of("\r\n", blockSize);
        if (brk == std::string_view::npos) return bytes.size();
    }
    if (bytes[brk] == '\r' && brk + 1 < bytes.size() && bytes[brk + 1] == '\n') ++brk;
    return brk + 1;
}

} // namespace

Reader::Reader(const AnsiCodec& ansi, ListRows& rows, size_t expectedBytes, size_t blockSize)
    : ansi_(ansi), rows_(rows), blockSize_(std::max<size_t>(blockSize, 1)) {
    rows_.Reserve(0, expectedBytes);
}

void Reader::Feed(std::string_view bytes) {
    if (ended_) return;
    if (size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        bytes = bytes.substr(0, nul);
        ended_ = true;
    }
    if (encoding_ != Encoding::Unknown) return FeedLines(bytes);
    // The first bytes wait until a byte-order mark can be told from text.
    pending_.append(bytes);
    if (pending_.size() < kUtf8Bom.size() && !ended_) return;
    std::string head;
    head.swap(pending_);
    encoding_ = std::string_view(head).starts_with(kUtf8Bom) ? Encoding::Utf8 : Encoding::Ansi;
    FeedLines(std::string_view(head).substr(encoding_ == Encoding::Utf8 ? kUtf8Bom.size() : 0));
}

// Reads the whole lines that `bytes` completes and keeps the rest. A CR at the very end is not
// yet a whole line break: the LF of a CR LF pair may follow in the next piece.
void Reader::FeedLines(std::string_view bytes) {
    size_t brk = bytes.find_last_of("\r\n");
    if (brk != std::string_view::npos && bytes[brk] == '\r' && brk + 1 == bytes.size())
        brk = brk == 0 ? std::string_view::npos : bytes.find_last_of("\r\n", brk - 1);
    if (brk == std::string_view::npos) {
        pending_.append(bytes);
        return;
    }
    if (pending_.empty()) {
        Consume(bytes.substr(0, brk + 1));
    } else {
        pending_.append(bytes.substr(0, brk + 1));
        Consume(pending_);
    }
    pending_.assign(bytes.substr(brk + 1));
}

void Reader::Finish() {
    if (encoding_ == Encoding::Unknown) encoding_ = Encoding::Ansi;  // shorter than a byte-order mark
    Consume(pending_);
    pending_.clear();
}

void Reader::Consume(std::string_view bytes) {
    while (!bytes.empty()) {
        size_t end = BlockEnd(bytes, blockSize_);
        std::string_view block = bytes.substr(0, end);
        ParseText(encoding_ == Encoding::Utf8 ? DecodeUtf8(block) : ansi_.decode(block), rows_);
        bytes.remove_prefix(end);
    }
}

void ReadBytes(std::string_view bytes, const AnsiCodec& ansi, ListRows& rows, size_t blockSize) {
    Reader reader(ansi, rows, bytes.size(), blockSize);
    reader.Feed(bytes);
    reader.Finish();
}

std::string EncodeText(std::wstring_view text, const AnsiCodec& ansi) {
    if (auto bytes = ansi.encodeExact(text)) {
        // ANSI text that happens to begin like a byte-order mark would read back as UTF-8.
        if (!bytes->starts_with(kUtf8Bom)) return std::move(*bytes);
    }
    std::string out(kUtf8Bom);
    out += EncodeUtf8(text);
    return out;
}

std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    auto put = [&out](char32_t cp) {
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0x10000) {
                cp -= 0x10000;
                out += static_cast<wchar_t>(0xD800 + (cp >> 10));
                out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
                return;
            }
        }
        out += static_cast<wchar_t>(cp);
    };
    size_t i = 0, n = bytes.size();
    while (i < n) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra == 0 || (extra > 0 && i + static_cast<size_t>(extra) < n);
        for (int k = 1; ok && k <= extra; ++k) {
            unsigned char c = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((c & 0xC0) != 0x80) ok = false;
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (ok && (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (!ok) {
            put(0xFFFD);  // a malformed sequence stands for one replacement character
            ++i;
            continue;
        }
        put(cp);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
                cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

} // namespace orv::listfile
