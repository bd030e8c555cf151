#pragma once
// What the shell-host tests share: the expected constants of both builds (written out here, not
// taken from the library), registry helpers over the real Wine registry, a small COM pointer,
// Wine's regsvr32, and a reader for the menus the handler builds.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <shlobj.h>
#include <windows.h>

namespace shellhost {

struct BuildUnderTest {
    const char* name;
    const wchar_t* dll;
    CLSID clsid;
    const wchar_t* clsidText;
    const wchar_t* description;
    const wchar_t* fileClass;
    std::vector<std::wstring> extensions;
    const wchar_t* approvedData;
    const wchar_t* storeKey;  // below HKEY_LOCAL_MACHINE
    const wchar_t* branchKey; // below HKEY_LOCAL_MACHINE
    int maxEntries;
    bool desktopOnly;
};
const BuildUnderTest& Orvmenu();
const BuildUnderTest& Tslmenu();
inline std::ostream& operator<<(std::ostream& out, const BuildUnderTest* build) {
    return out << build->name;
}

// Folder of the test program, where the built libraries are; with a trailing backslash.
std::wstring BinFolder();
std::string Narrow(const std::wstring& text);
std::wstring TempFolder();

// Registry over the real (Wine) registry.
bool KeyExists(HKEY root, const std::wstring& path);
// Text of a value; nullopt when the key or value is missing or not text.
std::optional<std::wstring> ReadText(HKEY root, const std::wstring& path, const wchar_t* name = nullptr);
void WriteText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text);
void WriteValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
                DWORD bytes);
void WriteDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);
void DeleteTree(HKEY root, const std::wstring& path);
// A subkey that enumerates but never opens: a link to a key that does not exist.
void WriteDanglingLink(HKEY root, const std::wstring& path);
// Subkey names in the registry's enumeration order.
std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path);

// Runs Wine's regsvr32 with the arguments; its exit code.
DWORD RunRegsvr32(const std::wstring& arguments);

// A store entry: the subkey name (the caption) and its picture path.
struct Entry {
    std::wstring caption;
    std::wstring picture;
};
void WriteStore(const BuildUnderTest& build, const std::vector<Entry>& entries);
// The store's entries in enumeration order, as a reader sees them.
std::vector<std::wstring> StoreOrder(const BuildUnderTest& build);

// A tiny valid 24-bit bitmap file.
void WriteBitmapFile(const std::wstring& path);
std::wstring CurrentWallpaper();
void SetCurrentWallpaper(const std::wstring& path);

template <typename T> class Com {
  public:
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() { Reset(); }
    T** Out() {
        Reset();
        return &p_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

  private:
    T* p_ = nullptr;
};

// An item ID list freed when it goes out of scope.
class Pidl {
  public:
    explicit Pidl(LPITEMIDLIST pidl = nullptr) : pidl_(pidl) {}
    Pidl(Pidl&& other) noexcept : pidl_(other.pidl_) { other.pidl_ = nullptr; }
    Pidl(const Pidl&) = delete;
    Pidl& operator=(const Pidl&) = delete;
    ~Pidl() { CoTaskMemFree(pidl_); }
    LPCITEMIDLIST get() const { return pidl_; }

  private:
    LPITEMIDLIST pidl_;
};
Pidl SpecialFolderPidl(int csidl);
Pidl PathPidl(const std::wstring& path);

// One item of a menu as the handler left it; text in the ANSI bytes the A calls took.
struct MenuItem {
    std::string text;
    UINT id = 0;
    bool separator = false;
    HMENU submenu = nullptr;
};
std::vector<MenuItem> ReadMenu(HMENU menu);
std::vector<std::string> Captions(const std::vector<MenuItem>& items);

// A handler created through COM activation, as the shell creates it.
struct Handler {
    Com<IShellExtInit> init;
    Com<IContextMenu> menu;
    HRESULT created = E_FAIL;
};
void CreateHandler(const BuildUnderTest& build, Handler& handler);

} // namespace shellhost
