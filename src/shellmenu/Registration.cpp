#include "shellmenu/Registration.h"

#include <vector>

#include "ActiveBuild.h"
#include "shellmenu/HandlerRegistry.h"

namespace orv::shellmenu {

namespace {

enum class Root { Classes, Machine };
enum class Write { Value, ExtensionTakeover, ApprovedValue };
enum class Undo { Keep, DeleteKey, RestoreExtension };

struct Row {
    Root root;
    std::wstring key;
    std::wstring valueName; // empty: the default value
    std::wstring data;
    Write write;
    Undo undo;
};

constexpr wchar_t kApprovedKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

std::vector<Row> RegistrationRows(const std::wstring& libraryPath) {
    const std::wstring classKey = std::wstring(L"CLSID\\") + kBuild.clsidText;
    const std::wstring serverKey = classKey + L"\\InprocServer32";
    const std::wstring shellex = std::wstring(kBuild.fileClass) + L"\\shellex";
    const std::wstring handlers = shellex + L"\\ContextMenuHandlers";
    std::vector<Row> rows = {
        {Root::Classes, classKey, L"", kBuild.description, Write::Value, Undo::DeleteKey},
        {Root::Classes, serverKey, L"", libraryPath, Write::Value, Undo::DeleteKey},
        {Root::Classes, serverKey, L"ThreadingModel", L"Apartment", Write::Value, Undo::Keep},
        {Root::Classes, shellex, L"", L"", Write::Value, Undo::DeleteKey},
        {Root::Classes, handlers, L"", L"", Write::Value, Undo::DeleteKey},
        {Root::Classes, handlers + L"\\ContMenu", L"", kBuild.clsidText, Write::Value, Undo::DeleteKey},
    };
    for (const wchar_t* const* extension = kBuild.extensions; *extension; ++extension)
        rows.push_back({Root::Classes, *extension, L"", kBuild.fileClass, Write::ExtensionTakeover,
                        Undo::RestoreExtension});
    rows.push_back({Root::Machine, kApprovedKey, kBuild.clsidText, kBuild.approvedData, Write::ApprovedValue,
                    Undo::Keep});
    return rows;
}

HKEY RootOf(const RegistrationRoots& roots, Root root) {
    return root == Root::Classes ? roots.classes : roots.machine;
}

const wchar_t* ValueName(const std::wstring& name) {
    return name.empty() ? nullptr : name.c_str();
}

bool SameName(const std::wstring& a, const wchar_t* b) {
    return lstrcmpiW(a.c_str(), b) == 0;
}

// The default value of a key; empty when the key or the value is missing or not text.
std::wstring DefaultValue(HKEY root, const std::wstring& path) {
    ScopedKey key = ScopedKey::Open(root, path.c_str(), KEY_READ);
    std::wstring text;
    if (key) ReadText(key.get(), nullptr, text);
    return text;
}

// Before the extension is given our file class, remember what it named (empty: nothing), so that
// unregistration can give it back. A re-registration keeps what the first one remembered.
bool RememberPreviousClass(HKEY classes, const std::wstring& extension) {
    const std::wstring previous = DefaultValue(classes, extension);
    if (SameName(previous, kBuild.fileClass)) return true;
    ScopedKey fileClass = ScopedKey::Create(classes, kBuild.fileClass, KEY_READ | KEY_WRITE);
    return fileClass &&
           WriteText(fileClass.get(), PreviousClassValueName(extension.c_str()).c_str(), previous);
}

bool WriteRow(const RegistrationRoots& roots, const Row& row, bool ntFamily) {
    HKEY root = RootOf(roots, row.root);
    REGSAM access = KEY_READ | KEY_WRITE;
    switch (row.write) {
    case Write::ApprovedValue:
        if (!ntFamily) return true;
        access = KEY_ALL_ACCESS;
        break;
    case Write::ExtensionTakeover:
        if (!RememberPreviousClass(root, row.key)) return false;
        break;
    case Write::Value:
        break;
    }
    ScopedKey key = ScopedKey::Create(root, row.key.c_str(), access);
    return key && WriteText(key.get(), ValueName(row.valueName), row.data);
}

void SetDefaultValue(HKEY root, const std::wstring& path, const std::wstring& data) {
    ScopedKey key = ScopedKey::Open(root, path.c_str(), KEY_READ | KEY_WRITE);
    if (key) WriteText(key.get(), nullptr, data);
}

// Gives the extension back the file class it named before we took it over. If another class has
// taken it over since and remembers ours as its predecessor, it is told our predecessor instead,
// so that its own unregistration restores the user's class rather than ours.
void RestoreExtension(HKEY classes, const std::wstring& extension) {
    const std::wstring memoName = PreviousClassValueName(extension.c_str());
    ScopedKey ourClass = ScopedKey::Open(classes, kBuild.fileClass, KEY_READ | KEY_WRITE);
    std::wstring previous;
    if (!ourClass || !ReadText(ourClass.get(), memoName.c_str(), previous)) return; // nothing remembered

    const std::wstring current = DefaultValue(classes, extension);
    if (SameName(current, kBuild.fileClass)) {
        if (!previous.empty()) {
            SetDefaultValue(classes, extension, previous);
        } else {
            ScopedKey key = ScopedKey::Open(classes, extension.c_str(), KEY_READ | KEY_WRITE);
            if (key) RegDeleteValueW(key.get(), nullptr);
            key.Close();
            if (IsEmptyKey(classes, extension.c_str())) RegDeleteKeyW(classes, extension.c_str());
        }
    } else if (!current.empty()) {
        ScopedKey successor = ScopedKey::Open(classes, current.c_str(), KEY_READ | KEY_WRITE);
        std::wstring successorsPrevious;
        if (successor && ReadText(successor.get(), memoName.c_str(), successorsPrevious) &&
            SameName(successorsPrevious, kBuild.fileClass))
            WriteText(successor.get(), memoName.c_str(), previous);
    }
    RegDeleteValueW(ourClass.get(), memoName.c_str());
}

void UndoRow(const RegistrationRoots& roots, const Row& row) {
    HKEY root = RootOf(roots, row.root);
    switch (row.undo) {
    case Undo::DeleteKey:
        RegDeleteKeyW(root, row.key.c_str()); // one key; left in place when it cannot go
        break;
    case Undo::RestoreExtension:
        RestoreExtension(root, row.key);
        break;
    case Undo::Keep:
        break;
    }
}

} // namespace

RegistrationRoots SystemRoots() {
    return {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE};
}

std::wstring PreviousClassValueName(const wchar_t* extension) {
    return std::wstring(L"PreviousFileClass") + extension;
}

HRESULT RegisterHandler(const RegistrationRoots& roots, const std::wstring& libraryPath, bool ntFamily) {
    try {
        for (const Row& row : RegistrationRows(libraryPath))
            if (!WriteRow(roots, row, ntFamily)) return E_FAIL;
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT UnregisterHandler(const RegistrationRoots& roots) {
    try {
        const std::vector<Row> rows = RegistrationRows(L"");
        for (auto row = rows.rbegin(); row != rows.rend(); ++row)
            UndoRow(roots, *row);
    } catch (...) {
        // Unregistration removes what it can and reports success, as installers expect.
    }
    return S_OK;
}

std::wstring RegisteredLibraryPath(HMODULE module) {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size()) return {};
    std::wstring full(path.data(), length);
    if (full.find(L' ') == std::wstring::npos) return full;
    const DWORD shortLength = GetShortPathNameW(full.c_str(), path.data(), static_cast<DWORD>(path.size()));
    if (shortLength == 0 || shortLength >= path.size())
        return full; // no short name: the long one still works
    return std::wstring(path.data(), shortLength);
}

bool IsNtFamily() {
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version)) return true; // every system that runs 64-bit code is NT
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

} // namespace orv::shellmenu
