// libFuzzer target for the list file reader. Any bytes must read without a crash or a hang, and
// what is read must survive writing and reading again:
//   T = Format(Read(x)); Read(T) equals Read(x) with each entry that had no sub-items given one
//   empty sub-item (the format's own normalisation), and Format(Read(T)) is a fixed point, equal
//   to T itself when no entry lacked sub-items.
// Captions holding a double quote are written unescaped, so inputs with one skip the round trip.
// Reading block by block, as ReadBytes does for files, must equal reading the whole text.
#include <cstdio>
#include <cstdlib>

#include "ListTestSupport.h"

namespace {

using namespace orv;
using namespace orv::test;

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "property broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

void CheckDecoding(std::string_view bytes, const std::wstring& text) {
    std::string_view kept = bytes.substr(0, bytes.find('\0'));
    if (text.find(L'\0') != std::wstring::npos) Fail("decoded text holds a NUL", Visible(text));
    if (!kept.starts_with(listfile::kUtf8Bom) && text != Latin1().decode(kept))
        Fail("ANSI text is not the bytes before the first NUL", Visible(bytes) + " -> " + Visible(text));
    // Whatever was decoded encodes to bytes that decode to the same text.
    std::string again = listfile::EncodeText(text, Latin1());
    if (listfile::DecodeBytes(again, Latin1()) != text)
        Fail("encoded text does not decode back", Visible(text) + " -> " + Visible(again));
}

void CheckRoundTrip(const Entries& read) {
    bool hadBare = false;
    for (const Entry& e : read) {
        if (e.caption.find(L'"') != std::wstring::npos) return;
        if (e.subItems.size() > ListRows::kMaxSubItems) Fail("more than two sub-items", Describe(read));
        hadBare = hadBare || e.subItems.empty();
    }
    Entries normalised = read;
    for (Entry& e : normalised)
        if (e.subItems.empty()) e.subItems.emplace_back();

    std::wstring text = Format(read);
    Entries reread = Parse(text);
    if (reread != normalised)
        Fail("reading the written text changes the entries",
             "read:    " + Describe(read) + "\nwritten: " + Visible(text) + "\nreread:  " + Describe(reread));
    std::wstring again = Format(reread);
    if (!hadBare && again != text) Fail("writing again changes the text", Visible(text) + "\n" + Visible(again));
    if (Format(Parse(again)) != again) Fail("written text is no fixed point", Visible(again));
}

// Block by block, as files are read, must give what the whole text gives.
void CheckBlocks(std::string_view bytes, const Entries& whole) {
    for (size_t blockSize : {size_t(1), size_t(7), bytes.size() / 2 + 1}) {
        ListRows rows;
        listfile::ReadBytes(bytes, Latin1(), rows, blockSize);
        Entries blocks = EntriesOf(rows);
        if (blocks != whole)
            Fail("reading in blocks differs", "blocks of " + std::to_string(blockSize) + ": " + Describe(blocks) +
                                                  "\nwhole: " + Describe(whole));
    }
    // Fed in uneven pieces, as a file arrives from the disk.
    ListRows rows;
    listfile::Reader reader(Latin1(), rows, 0, 3);
    for (size_t pos = 0, piece = 1; pos < bytes.size(); pos += piece, piece = piece % 5 + 1)
        reader.Feed(bytes.substr(pos, piece));
    reader.Finish();
    if (EntriesOf(rows) != whole) Fail("reading in pieces differs", Describe(EntriesOf(rows)) + "\nwhole: " + Describe(whole));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::wstring text = listfile::DecodeBytes(bytes, Latin1());
    CheckDecoding(bytes, text);
    Entries read = Parse(text);
    CheckBlocks(bytes, read);
    CheckRoundTrip(read);
    return 0;
}
