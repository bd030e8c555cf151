#pragma once
// Reading and writing list files on disk.
#include <string>

#include "ui/ListRows.h"

namespace orv {

// Appends the file's entries to `rows`. Throws "Cannot open file ..." (nothing is added then).
void ReadListFile(const std::wstring& path, ListRows& rows);
// Writes `rows` to the file, replacing it only once the whole list is written.
void WriteListFile(const std::wstring& path, const ListRows& rows);
// The bytes WriteListFile writes: ANSI, or UTF-8 with a byte-order mark when a path needs it.
std::string EncodeListText(std::wstring_view text);

} // namespace orv
