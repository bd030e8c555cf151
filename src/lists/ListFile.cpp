#include "lists/ListFile.h"

#include "lists/ListFormat.h"
#include "platform/FileIO.h"
#include "platform/Text.h"

namespace orv {
namespace {

const listfile::AnsiCodec kAnsi{
    [](std::string_view bytes) { return AnsiToWide(bytes); },
    [](std::wstring_view text) { return WideToAnsiExact(text); },
};

} // namespace

void ReadListFile(const std::wstring& path, ListRows& rows) {
    std::wstring text = listfile::DecodeBytes(ReadWholeFile(path), kAnsi);
    listfile::ParseText(text, rows);
}

std::string EncodeListText(std::wstring_view text) { return listfile::EncodeText(text, kAnsi); }

void WriteListFile(const std::wstring& path, const ListRows& rows) {
    WriteFileAtomically(path, EncodeListText(listfile::FormatText(rows)));
}

} // namespace orv
