#pragma once
// Helpers shared by the native list tests and the fuzz target: entries as plain values, a Latin-1
// stand-in for the ANSI code page, and readable dumps for failure messages.
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "lists/ListFormat.h"
#include "ui/ListRows.h"

namespace orv::test {

struct Entry {
    std::wstring caption;
    std::vector<std::wstring> subItems;
    bool operator==(const Entry&) const = default;
};
using Entries = std::vector<Entry>;

inline Entries EntriesOf(const ListRows& rows) {
    Entries out;
    for (size_t i = 0; i < rows.size(); ++i) {
        Entry e{std::wstring(rows.Caption(i)), {}};
        for (size_t k = 0; k < rows.SubItemCount(i); ++k) e.subItems.emplace_back(rows.SubItem(i, k));
        out.push_back(std::move(e));
    }
    return out;
}

inline ListRows RowsOf(const Entries& entries) {
    ListRows rows;
    for (const Entry& e : entries) {
        std::vector<std::wstring_view> subs(e.subItems.begin(), e.subItems.end());
        rows.Append(e.caption, std::span<const std::wstring_view>(subs.data(), subs.size()));
    }
    return rows;
}

inline Entries Parse(std::wstring_view text) {
    ListRows rows;
    listfile::ParseText(text, rows);
    return EntriesOf(rows);
}

inline std::wstring Format(const Entries& entries) { return listfile::FormatText(RowsOf(entries)); }

// The ANSI stand-in: every byte is the character of the same code; nothing above 255 fits.
inline const listfile::AnsiCodec& Latin1() {
    static const listfile::AnsiCodec codec{
        [](std::string_view bytes) {
            std::wstring text;
            for (char b : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(b));
            return text;
        },
        [](std::wstring_view text) -> std::optional<std::string> {
            std::string bytes;
            for (wchar_t c : text) {
                if (c < 0 || c > 255) return std::nullopt;
                bytes += static_cast<char>(c);
            }
            return bytes;
        },
    };
    return codec;
}

// Text for failure messages: printable ASCII as it is, everything else as \x{..}.
inline std::string Visible(std::wstring_view text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (wchar_t c : text) {
        auto code = static_cast<unsigned long>(c);
        if (code >= 32 && code < 127 && c != L'\\') {
            out += static_cast<char>(c);
            continue;
        }
        if (c == L'\\') { out += "\\\\"; continue; }
        std::string hex;
        do { hex.insert(hex.begin(), digits[code & 15]); code >>= 4; } while (code);
        out += "\\x{" + hex + "}";
    }
    return out;
}

inline std::string Visible(std::string_view bytes) {
    std::wstring wide;
    for (char b : bytes) wide += static_cast<wchar_t>(static_cast<unsigned char>(b));
    return Visible(std::wstring_view(wide));
}

inline void PrintTo(const Entry& e, std::ostream* os) {
    *os << "{\"" << Visible(std::wstring_view(e.caption)) << "\"";
    for (const std::wstring& s : e.subItems) *os << ", \"" << Visible(std::wstring_view(s)) << "\"";
    *os << "}";
}

inline std::string Describe(const Entries& entries) {
    std::string out = "[";
    for (const Entry& e : entries) {
        std::ostringstream s;
        PrintTo(e, &s);
        out += (out.size() > 1 ? ", " : "") + s.str();
    }
    return out + "]";
}

} // namespace orv::test
