// The list file format, natively under AddressSanitizer and UBSan: reading lines into entries,
// writing entries as lines, the field rule, and how bytes become text.
#include <gtest/gtest.h>

#include "ListTestSupport.h"

namespace orv::test {
namespace {

using listfile::DecodeBytes;
using listfile::EncodeText;

// A literal with its NUL bytes kept.
template <size_t N>
std::string Bytes(const char (&s)[N]) { return std::string(s, N - 1); }

// Decodes like a list file on disk, then reads the lines.
Entries ReadBytes(std::string_view bytes) { return Parse(DecodeBytes(bytes, Latin1())); }

const Entries kWorkedExample = {
    {L"sunset.jpg", {L"none", L"C:\\Pictures\\sunset.jpg"}},
    {L"my cat.bmp", {L"none", L"D:\\Photos 2007\\my cat.bmp"}},
    {L"a,b.jpeg", {L"none", L"E:\\x\\a,b.jpeg"}},
};
const std::string kWorkedExampleBytes =
    "\"sunset.jpg\",none,C:\\Pictures\\sunset.jpg\r\n"
    "\"my cat.bmp\",none,\"D:\\Photos 2007\\my cat.bmp\"\r\n"
    "\"a,b.jpeg\",none,\"E:\\x\\a,b.jpeg\"\r\n";

struct ReadCase {
    const char* name;
    std::string bytes;
    Entries expected;
};

const ReadCase kReadCases[] = {
    {"worked example", kWorkedExampleBytes, kWorkedExample},
    {"empty file", "", {}},
    {"empty line", "\r\n", {{L"", {}}}},
    {"blanks only", " \t \x1F\r\n", {{L"", {}}}},
    {"two empty lines", "\r\n\r\n", {{L"", {}}, {L"", {}}}},
    {"caption only", "\"x.jpg\"", {{L"x.jpg", {}}}},
    {"comma at end gives one empty field", "\"x.jpg\",", {{L"x.jpg", {L""}}}},
    {"two commas", "\"x.jpg\",,", {{L"x.jpg", {L"", L""}}}},
    {"commas only", ",,", {{L"", {L"", L""}}}},
    {"comma then blank is not a comma at the end", "\"x.jpg\", ", {{L"x.jpg", {}}}},
    {"blank then comma at the end", "\"x.jpg\",none ,", {{L"x.jpg", {L"none", L""}}}},
    {"empty comment, path", "\"x.jpg\",,p", {{L"x.jpg", {L"", L"p"}}}},
    {"quoted empty sub-item", "\"x.jpg\",\"\"", {{L"x.jpg", {L""}}}},
    {"hand-written unquoted line", "photo.jpg, none, C:\\My Pictures\\photo.jpg",
     {{L"photo.jpg", {L"none", L"C:\\My"}}}},
    {"doubled quotes", "\"C:\\a \"\"q\"\" b.jpg\"", {{L"C:\\a \"q\" b.jpg", {}}}},
    {"a field that is one quote", "\"x\",\"\"\"\"", {{L"x", {L"\""}}}},
    {"blanks around fields", "  \"x.jpg\" , \"none\" , \"p\"  ", {{L"x.jpg", {L"none", L"p"}}}},
    {"a blank separates unquoted words", "a b c", {{L"a", {L"b", L"c"}}}},
    {"text after a closing quote is a field", "\"x\"y,z", {{L"x", {L"y", L"z"}}}},
    {"fields after the third are ignored", "\"a\",b,c,d,e", {{L"a", {L"b", L"c"}}}},
    {"comma after the third field", "\"a\",b,c,", {{L"a", {L"b", L"c"}}}},
    {"control characters inside quotes kept", "\"a\tb\",\"c d\"", {{L"a\tb", {L"c d"}}}},
    {"LF CR gives an empty line between", "a\n\rb", {{L"a", {}}, {L"", {}}, {L"b", {}}}},
    {"lone LF", "a\nb\n", {{L"a", {}}, {L"b", {}}}},
    {"lone CR", "a\rb\rc", {{L"a", {}}, {L"b", {}}, {L"c", {}}}},
    {"CR CR LF", "a\r\r\nb", {{L"a", {}}, {L"", {}}, {L"b", {}}}},
    {"last line without a break", "\"a\",none,p\r\n\"b\",none,q",
     {{L"a", {L"none", L"p"}}, {L"b", {L"none", L"q"}}}},
    {"NUL stops reading", Bytes("\"a\",none,p\r\n\"b\0c\",x\r\n\"d\""), {{L"a", {L"none", L"p"}}, {L"b", {}}}},
    {"NUL at the start", Bytes("\0\"a\"\r\n"), {}},
    // An unterminated quote: the field is the rest of the line, doubled quotes collapsed.
    {"unterminated quote takes the rest of the line", "\"abc, def\r\n\"x\"", {{L"abc, def", {}}, {L"x", {}}}},
    {"unterminated quote with doubled quotes", "\"a,\"\"b\"\" c", {{L"a,\"b\" c", {}}}},
    {"unterminated quote in the path", "\"x\",none,\"C:\\a b", {{L"x", {L"none", L"C:\\a b"}}}},
    {"ANSI bytes above 127", "\"\xE9t\xE9.jpg\",none,C:\\\xE9t\xE9.jpg",
     {{L"\u00E9t\u00E9.jpg", {L"none", L"C:\\\u00E9t\u00E9.jpg"}}}},
    {"UTF-8 byte-order mark", "\xEF\xBB\xBF\"\xC3\xA9.jpg\",none,C:\\\xD0\x96\\\xC3\xA9.jpg\r\n",
     {{L"\u00E9.jpg", {L"none", L"C:\\\u0416\\\u00E9.jpg"}}}},
    {"byte-order mark alone", "\xEF\xBB\xBF", {}},
    {"byte-order mark not at the start is ANSI", "a\xEF\xBB\xBF", {{L"a\u00EF\u00BB\u00BF", {}}}},
};

TEST(ListFileReading, LinesBecomeEntries) {
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(ReadBytes(c.bytes)), Describe(c.expected)) << "input: " << Visible(c.bytes);
    }
}

// Reading block by block gives what reading the whole text gives, whatever the block size: blocks
// end after a line break and never split CR LF.
TEST(ListFileReading, BlocksReadAsTheWhole) {
    for (const ReadCase& c : kReadCases) {
        for (size_t blockSize : {1, 2, 3, 5, 8, 13, 64}) {
            ListRows rows;
            listfile::ReadBytes(c.bytes, Latin1(), rows, blockSize);
            EXPECT_EQ(Describe(EntriesOf(rows)), Describe(c.expected)) << c.name << ", blocks of " << blockSize;
        }
    }
}

// Bytes fed in pieces of any size, as a file arrives, read as the whole does.
TEST(ListFileReading, PiecesReadAsTheWhole) {
    for (const ReadCase& c : kReadCases) {
        for (size_t piece : {1, 2, 3, 4, 7, 16}) {
            ListRows rows;
            listfile::Reader reader(Latin1(), rows, 0, 5);
            for (size_t pos = 0; pos < c.bytes.size(); pos += piece) reader.Feed(std::string_view(c.bytes).substr(pos, piece));
            reader.Finish();
            EXPECT_EQ(Describe(EntriesOf(rows)), Describe(c.expected)) << c.name << ", pieces of " << piece;
        }
    }
}

TEST(ListFileReading, AppendsToExistingRows) {
    ListRows rows = RowsOf({{L"old", {L"none", L"C:\\old"}}});
    listfile::ParseText(L"\"new\",none,C:\\new\r\n", rows);
    Entries expected = {{L"old", {L"none", L"C:\\old"}}, {L"new", {L"none", L"C:\\new"}}};
    EXPECT_EQ(Describe(EntriesOf(rows)), Describe(expected));
}

struct WriteCase {
    const char* name;
    Entries entries;
    std::wstring expected;
};

const WriteCase kWriteCases[] = {
    {"empty list", {}, L""},
    {"no sub-items", {{L"x.jpg", {}}}, L"\"x.jpg\",\r\n"},
    {"one empty sub-item", {{L"x.jpg", {L""}}}, L"\"x.jpg\",\"\"\r\n"},
    {"one sub-item", {{L"x.jpg", {L"none"}}}, L"\"x.jpg\",none\r\n"},
    {"two empty sub-items", {{L"x.jpg", {L"", L""}}}, L"\"x.jpg\",,\r\n"},
    {"empty comment", {{L"x.jpg", {L"", L"C:\\x.jpg"}}}, L"\"x.jpg\",,C:\\x.jpg\r\n"},
    {"empty path", {{L"x.jpg", {L"none", L""}}}, L"\"x.jpg\",none,\r\n"},
    {"caption written unchanged", {{L"a \"q\",b.jpg", {L"none", L"p"}}}, L"\"a \"q\",b.jpg\",none,p\r\n"},
    {"empty caption", {{L"", {L"none", L"p"}}}, L"\"\",none,p\r\n"},
    {"quote in a sub-item", {{L"x", {L"a\"b", L"\""}}}, L"\"x\",\"a\"\"b\",\"\"\"\"\r\n"},
    {"characters above 127 unquoted", {{L"x", {L"\u00E9", L"C:\\\u0416\u00FF"}}}, L"\"x\",\u00E9,C:\\\u0416\u00FF\r\n"},
};

TEST(ListFileWriting, EntriesBecomeLines) {
    for (const WriteCase& c : kWriteCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Visible(Format(c.entries)), Visible(c.expected));
    }
}

TEST(ListFileWriting, WorkedExampleByteForByte) {
    std::string bytes = EncodeText(Format(kWorkedExample), Latin1());
    EXPECT_EQ(Visible(bytes), Visible(kWorkedExampleBytes));
    EXPECT_EQ(Describe(ReadBytes(bytes)), Describe(kWorkedExample));
}

// Reading what was written gives the entries back, except the two documented changes: an entry
// without sub-items gains an empty comment, and a caption with a quote in it is not kept.
TEST(ListFileWriting, ReadsBackAsWritten) {
    struct Case {
        const char* name;
        Entries written;
        Entries readBack;
    } cases[] = {
        {"usual entries", kWorkedExample, kWorkedExample},
        {"no sub-items gains an empty comment", {{L"x.jpg", {}}}, {{L"x.jpg", {L""}}}},
        {"one empty sub-item", {{L"x.jpg", {L""}}}, {{L"x.jpg", {L""}}}},
        {"two empty sub-items", {{L"x.jpg", {L"", L""}}}, {{L"x.jpg", {L"", L""}}}},
        {"blanks and controls in sub-items", {{L" x ", {L" a\tb ", L"\x01,\x1F"}}}, {{L" x ", {L" a\tb ", L"\x01,\x1F"}}}},
        {"quotes in sub-items", {{L"x", {L"\"", L"a\"\"b\""}}}, {{L"x", {L"\"", L"a\"\"b\""}}}},
        {"quote in the caption", {{L"a\"b", {L"none", L"p"}}}, {{L"a", {L"b\"", L"none"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(Parse(Format(c.written))), Describe(c.readBack));
    }
}

TEST(FieldRule, QuotesOnlyWhatNeedsIt) {
    struct Case {
        std::wstring field;
        std::wstring written;
    } cases[] = {
        {L"", L""},
        {L"none", L"none"},
        {L"C:\\Pictures\\x.jpg", L"C:\\Pictures\\x.jpg"},
        {L"a b", L"\"a b\""},
        {L"a,b", L"\"a,b\""},
        {L"a\"b", L"\"a\"\"b\""},
        {L"\"", L"\"\"\"\""},
        {L"!", L"!"},
        {L"\x7F", L"\x7F"},
        {L"\u0080\u00A0\u00E9\u0416\u4E2D", L"\u0080\u00A0\u00E9\u0416\u4E2D"},
    };
    for (const Case& c : cases) {
        std::wstring out;
        listfile::AppendField(out, c.field);
        EXPECT_EQ(Visible(out), Visible(c.written)) << "field: " << Visible(c.field);
    }
    for (wchar_t code = 1; code <= 32; ++code) {
        std::wstring field = std::wstring(L"a") + code + L"b", out;
        listfile::AppendField(out, field);
        EXPECT_EQ(Visible(out), Visible(L"\"" + field + L"\"")) << "character code " << int(code);
    }
}

TEST(ListFileBytes, DecodingStopsAtNulAndHonoursTheByteOrderMark) {
    struct Case {
        const char* name;
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"ANSI", "a\xE9\xFF", L"a\u00E9\u00FF"},
        {"NUL ends the text", Bytes("ab\0cd"), L"ab"},
        {"NUL before a byte-order mark", Bytes("\0\xEF\xBB\xBFx"), L""},
        {"UTF-8 after the mark", "\xEF\xBB\xBF\xD0\x96\xE4\xB8\xAD", L"\u0416\u4E2D"},
        {"NUL inside UTF-8", Bytes("\xEF\xBB\xBFx\0y"), L"x"},
        {"truncated UTF-8 sequence", "\xEF\xBB\xBF" "a\xD0", L"a\uFFFD"},
        {"stray continuation byte", "\xEF\xBB\xBF\x80z", L"\uFFFDz"},
        {"overlong form", "\xEF\xBB\xBF\xC0\xAF", L"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xEF\xBB\xBF\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Visible(DecodeBytes(c.bytes, Latin1())), Visible(c.text));
    }
}

TEST(ListFileBytes, EncodingFallsBackToUtf8OnlyWhenNeeded) {
    struct Case {
        const char* name;
        std::wstring text;
        std::string bytes;
    } cases[] = {
        {"fits the code page", L"\"\u00E9.jpg\",none,C:\\\u00E9.jpg\r\n", "\"\xE9.jpg\",none,C:\\\xE9.jpg\r\n"},
        {"empty", L"", ""},
        {"Cyrillic path", L"\"a.jpg\",none,C:\\\u0416\\a.jpg\r\n", "\xEF\xBB\xBF\"a.jpg\",none,C:\\\xD0\x96\\a.jpg\r\n"},
        // ANSI bytes that would look like a byte-order mark are written as UTF-8 instead.
        {"starts like a byte-order mark", L"\u00EF\u00BB\u00BFx", "\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBFx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string bytes = EncodeText(c.text, Latin1());
        EXPECT_EQ(Visible(bytes), Visible(c.bytes));
        EXPECT_EQ(Visible(DecodeBytes(bytes, Latin1())), Visible(c.text)) << "read back";
    }
}

TEST(ListFileBytes, PathOutsideTheCodePageSurvivesAWriteAndARead) {
    Entries entries = {
        {L"\u4E2D.jpg", {L"none", L"C:\\\u0416\u0443\u0440\\\u4E2D.jpg"}},
        {L"plain.jpg", {L"none", L"C:\\Pictures\\plain.jpg"}},
        {L"\u00E9.bmp", {L"none", L"C:\\\u00E9 x\\\u00E9.bmp"}},
    };
    std::string bytes = EncodeText(Format(entries), Latin1());
    ASSERT_TRUE(bytes.starts_with(listfile::kUtf8Bom)) << Visible(bytes);
    EXPECT_EQ(Describe(ReadBytes(bytes)), Describe(entries));
}

TEST(ListFileBytes, Utf8RoundTrip) {
    std::wstring text = L"a\u007F\u0080\u07FF\u0800\uFFFD\uFFFF";
    text += sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00") : std::wstring(1, static_cast<wchar_t>(0x1F600));
    std::string bytes = listfile::EncodeUtf8(text);
    EXPECT_EQ(Visible(bytes), Visible(std::string_view("a\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBD\xEF\xBF\xBF\xF0\x9F\x98\x80")));
    EXPECT_EQ(Visible(listfile::DecodeUtf8(bytes)), Visible(text));
}

} // namespace
} // namespace orv::test

namespace orv::test {
namespace {

TEST(ListFileReading, TextStopsAtNulToo) {
    std::wstring text = L"\"a\",b\r\nc";
    text += L'\0';
    text += L"d,e\r\nf";
    Entries expected = {{L"a", {L"b"}}, {L"c", {}}};
    EXPECT_EQ(Describe(Parse(text)), Describe(expected));
}

} // namespace
} // namespace orv::test
