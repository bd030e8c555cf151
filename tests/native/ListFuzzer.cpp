// libFuzzer target for the list file reader. Any bytes must read without a crash or a hang, and
// what is read must survive writing and reading again:
//   T = Format(Read(x)); Read(T) equals Read(x) with each entry that had no sub-items given one
//   empty sub-item (the format's own normalisation), and Format(Read(T)) is a fixed point, equal
//   to T itself when no entry lacked sub-items.
// Captions holding a double quote are written unescaped, so inputs with one skip the round trip.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::wstring text = listfile::DecodeBytes(bytes, Latin1());
    CheckDecoding(bytes, text);
    CheckRoundTrip(Parse(text));
    return 0;
}
