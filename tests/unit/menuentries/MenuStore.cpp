#include "unit/menuentries/MenuStore.h"

#include "app/ProgramState.h"
#include "platform/Registry.h"
#include "support/TestFiles.h"

namespace orv::test {

void PrintTo(const StoredEntry& entry, std::ostream* out) {
    *out << "{\"" << Narrow(entry.caption) << "\", \"" << Narrow(entry.path) << "\"}";
}

std::vector<StoredEntry> StoredEntries() {
    std::vector<StoredEntry> entries;
    RegKey store = RegKey::Open(HKEY_LOCAL_MACHINE, kShellPopupKey, KEY_READ);
    if (!store) return entries;
    for (const std::wstring& name : store.SubkeyNames()) {
        RegKey entry =
            RegKey::Open(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\" + name, KEY_READ);
        entries.push_back({name, entry.ReadString(L"").value_or(L"<missing>")});
    }
    return entries;
}

bool StoreExists() {
    return static_cast<bool>(RegKey::Open(HKEY_LOCAL_MACHINE, kShellPopupKey, KEY_READ));
}

void WriteStoredEntries(const std::vector<StoredEntry>& entries) {
    RegKey::DeleteTree(HKEY_LOCAL_MACHINE, kShellPopupKey);
    for (const StoredEntry& entry : entries)
        RegKey::Create(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\" + entry.caption)
            .WriteString(L"", entry.path);
}

std::vector<StoredEntry> RowsOf(const ListView& view) {
    std::vector<StoredEntry> rows;
    for (size_t i = 0; i < view.count(); ++i)
        rows.push_back({std::wstring(view.rows().Caption(i)), std::wstring(view.rows().SubItem(i, 0))});
    return rows;
}

} // namespace orv::test
