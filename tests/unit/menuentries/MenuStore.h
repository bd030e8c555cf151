#pragma once
// The ShellPopup store as every reader sees it, read straight from the real registry.
#include <ostream>
#include <string>
#include <vector>

#include "ui/ListView.h"

namespace orv::test {

struct StoredEntry {
    std::wstring caption;
    std::wstring path;
    bool operator==(const StoredEntry&) const = default;
};
void PrintTo(const StoredEntry& entry, std::ostream* out);

// The subkeys of ShellPopup in enumeration order with their default values ("<missing>" when a
// subkey has none); empty when ShellPopup is absent.
std::vector<StoredEntry> StoredEntries();
bool StoreExists();
// Writes the store directly, as an earlier run of the program would have left it.
void WriteStoredEntries(const std::vector<StoredEntry>& entries);

// The rows of a list view as (caption, first sub-item).
std::vector<StoredEntry> RowsOf(const ListView& view);

} // namespace orv::test
