// Our stand-in for the shell integration library. Integrating runs the handler library's own
// registration and then adds the handler under the file class passed and under the folder
// backgrounds (the desktop's own context menu); clearing undoes both. Every function takes ANSI
// text, accepts null pointers and reports 0 for success, non-zero for failure.
#define ORV_BUILDING_VELKOR
#include "outside/Velkor.h"

#include <string>
#include <vector>

#include <objbase.h>

namespace {

// Where the shell looks for context-menu handlers of the empty area of a folder and of the desktop.
const wchar_t* const kFolderBackgrounds[] = {L"Directory\\Background", L"DesktopBackground"};
constexpr wchar_t kHandlersPath[] = L"\\shellex\\ContextMenuHandlers";

enum Result : int32_t { kOk = 0, kBadArgument = 1, kLibraryFailed = 2, kRegistryFailed = 3 };

class Key {
  public:
    Key(HKEY root, const std::wstring& path, bool create) {
        if (create)
            RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        else
            RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WRITE, &key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    explicit operator bool() const { return key_ != nullptr; }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

bool IsGiven(const char* text) {
    return text && *text;
}

std::wstring Widen(const char* text) {
    if (!text) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length) - 1);
    return wide;
}

// A class identifier in its registry form, or empty when the text is not one.
std::wstring ClassIdText(const char* text) {
    std::wstring wide = Widen(text);
    CLSID clsid;
    if (wide.empty() || FAILED(CLSIDFromString(wide.c_str(), &clsid))) return {};
    wchar_t canonical[64];
    if (StringFromGUID2(clsid, canonical, 64) == 0) return {};
    return canonical;
}

// The default value of a key, bounded and checked for type; empty when there is none.
std::wstring DefaultText(HKEY root, const std::wstring& path) {
    Key key(root, path, false);
    if (!key) return {};
    wchar_t text[1024] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    text[bytes / sizeof(wchar_t)] = L'\0';
    return text;
}

bool SetDefaultText(HKEY root, const std::wstring& path, const std::wstring& text) {
    Key key(root, path, true);
    return key && RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool IsEmptyKey(HKEY root, const std::wstring& path) {
    Key key(root, path, false);
    DWORD subkeys = 1;
    DWORD values = 1;
    return key &&
           RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

// Runs DllRegisterServer or DllUnregisterServer of the library; false when it cannot be loaded,
// lacks the export or reports failure. The library's own folder is searched for its imports.
bool CallServerExport(const char* libraryPath, const char* exportName) {
    HMODULE library = LoadLibraryExA(libraryPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) return false;
    using ServerExport = HRESULT(STDAPICALLTYPE*)();
    auto entry = reinterpret_cast<ServerExport>(reinterpret_cast<void*>(GetProcAddress(library, exportName)));
    const bool done = entry && SUCCEEDED(entry());
    FreeLibrary(library);
    return done;
}

// The name the handler is listed under: the class's description, which registration wrote.
std::wstring HandlerName(const std::wstring& clsid) {
    std::wstring name = DefaultText(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid);
    return name.empty() || name.find(L'\\') != std::wstring::npos ? clsid : name;
}

bool AddHandler(const std::wstring& base, const std::wstring& name, const std::wstring& clsid) {
    return SetDefaultText(HKEY_CLASSES_ROOT, base + kHandlersPath + L"\\" + name, clsid);
}

// Removes every handler entry below `base` that names our class, whatever it was called, then
// the keys left empty on the way up (they were there only for the handler).
bool RemoveHandlers(const std::wstring& base, const std::wstring& clsid) {
    const std::wstring handlers = base + kHandlersPath;
    std::vector<std::wstring> ours;
    {
        Key key(HKEY_CLASSES_ROOT, handlers, false);
        if (!key) return true;
        for (DWORD index = 0;; ++index) {
            wchar_t name[256];
            DWORD chars = 256;
            const LSTATUS status =
                RegEnumKeyExW(key.get(), index, name, &chars, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_MORE_DATA) continue;
            if (status != ERROR_SUCCESS) break;
            if (lstrcmpiW(DefaultText(key.get(), name).c_str(), clsid.c_str()) == 0) ours.push_back(name);
        }
    }
    bool removed = true;
    for (const std::wstring& name : ours)
        removed =
            RegDeleteKeyW(HKEY_CLASSES_ROOT, (handlers + L"\\" + name).c_str()) == ERROR_SUCCESS && removed;
    for (const std::wstring& path : {handlers, base + L"\\shellex", base})
        if (IsEmptyKey(HKEY_CLASSES_ROOT, path)) RegDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
    return removed;
}

// When the library is gone its unregistration cannot run: remove its class so that nothing
// points at a missing file.
void RemoveClass(const std::wstring& clsid) {
    const std::wstring classKey = L"CLSID\\" + clsid;
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (classKey + L"\\InprocServer32").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, classKey.c_str());
}

template <typename Work> int32_t Guarded(Work work) {
    try {
        return work();
    } catch (...) {
        return kRegistryFailed; // nothing may escape into the calling program
    }
}

} // namespace

int32_t WINAPI PMIntegrateIntoShell(const char* libraryPath, const char*, const char* fileClass, int32_t,
                                    const char* clsid, int32_t) {
    return Guarded([&]() -> int32_t {
        const std::wstring classId = ClassIdText(clsid);
        if (!IsGiven(libraryPath) || classId.empty()) return kBadArgument;
        if (!CallServerExport(libraryPath, "DllRegisterServer")) return kLibraryFailed;
        const std::wstring files = Widen(fileClass);
        if (files.empty()) return kOk;
        return AddHandler(files, HandlerName(classId), classId) ? kOk : kRegistryFailed;
    });
}

int32_t WINAPI PMRegisterForFolder(const char* productName, const char* clsid) {
    return Guarded([&]() -> int32_t {
        const std::wstring classId = ClassIdText(clsid);
        if (classId.empty()) return kBadArgument;
        std::wstring name = Widen(productName);
        if (name.empty() || name.find(L'\\') != std::wstring::npos) name = classId;
        bool added = true;
        for (const wchar_t* base : kFolderBackgrounds)
            added = AddHandler(base, name, classId) && added;
        return added ? kOk : kRegistryFailed;
    });
}

int32_t WINAPI PMClearIntegration(const char* libraryPath, const char*, const char* fileClass, int32_t,
                                  const char* clsid, int32_t) {
    return Guarded([&]() -> int32_t {
        const std::wstring classId = ClassIdText(clsid);
        if (classId.empty()) return kBadArgument;
        bool cleared = true;
        const std::wstring files = Widen(fileClass);
        if (!files.empty()) cleared = RemoveHandlers(files, classId);
        for (const wchar_t* base : kFolderBackgrounds)
            cleared = RemoveHandlers(base, classId) && cleared;
        if (!IsGiven(libraryPath) || !CallServerExport(libraryPath, "DllUnregisterServer")) {
            RemoveClass(classId);
            return kLibraryFailed;
        }
        return cleared ? kOk : kRegistryFailed;
    });
}
