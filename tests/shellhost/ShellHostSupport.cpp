#include "shellhost/ShellHostSupport.h"

#include <ostream>
#include <stdexcept>

#include <gtest/gtest.h>

extern "C" LONG NTAPI NtDeleteKey(HANDLE key);

namespace shellhost {

namespace {

// COM for the whole run, on the test thread, as the shell's own thread uses it.
class ComEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};
[[maybe_unused]] ::testing::Environment* const gCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

class Key {
  public:
    Key(HKEY root, const std::wstring& path, bool create, REGSAM access = KEY_ALL_ACCESS) {
        if (create)
            RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access, nullptr, &key_, nullptr);
        else
            RegOpenKeyExW(root, path.c_str(), 0, access, &key_);
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

} // namespace

const BuildUnderTest& Orvmenu() {
    static const BuildUnderTest build = {
        "orvmenu",
        L"orvmenu.dll",
        {0x1548903A, 0xBE63, 0x4177, {0xAC, 0x5A, 0x36, 0x15, 0x20, 0xB1, 0xB4, 0x9C}},
        L"{1548903A-BE63-4177-AC5A-361520B1B49C}",
        L"Orvane",
        L"ORV",
        {L".jpg", L".bmp"},
        L"Orvane",
        L"Software\\Kestovar\\Orvane\\ShellPopup",
        L"Software\\Kestovar\\Orvane",
        7,
        true};
    return build;
}

const BuildUnderTest& Tslmenu() {
    static const BuildUnderTest build = {
        "tslmenu",
        L"tslmenu.dll",
        {0xC90ED0CA, 0xBB49, 0x4191, {0xBA, 0x5E, 0x09, 0xF5, 0x0F, 0x79, 0x7B, 0xCB}},
        L"{C90ED0CA-BB49-4191-BA5E-09F50F797BCB}",
        L"Tessaline",
        L"TSL",
        {L".jpg"},
        L"Tessaline",
        L"Software\\Kestovar\\Tessaline\\ShellPopup",
        L"Software\\Kestovar\\Tessaline",
        6,
        false};
    return build;
}

std::wstring BinFolder() {
    wchar_t path[MAX_PATH * 4];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), bytes, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(bytes) - 1);
    return narrow;
}

std::wstring TempFolder() {
    wchar_t path[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, path);
    return std::wstring(path, length);
}

bool KeyExists(HKEY root, const std::wstring& path) {
    return Key(root, path, false, KEY_READ).get() != nullptr;
}

std::optional<std::wstring> ReadText(HKEY root, const std::wstring& path, const wchar_t* name) {
    Key key(root, path, false, KEY_READ);
    if (!key.get()) return std::nullopt;
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &bytes);
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

void WriteValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
                DWORD bytes) {
    Key key(root, path, true);
    if (!key.get()) throw std::runtime_error("cannot create a test key");
    if (RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write a test value");
}

void WriteText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& text) {
    WriteValue(root, path, name, REG_SZ, text.c_str(),
               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void WriteDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
    WriteValue(root, path, name, REG_DWORD, &value, sizeof(value));
}

namespace {

// Deletes the key below `parent` and everything under it; a link is deleted itself, never its
// target (the registry's own tree delete cannot open a link that leads nowhere).
void DeleteKeyAndBelow(HKEY parent, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, name.c_str(), REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    for (const std::wstring& child : SubkeyNames(key, L""))
        DeleteKeyAndBelow(key, child);
    NtDeleteKey(key);
    RegCloseKey(key);
}

} // namespace

void DeleteTree(HKEY root, const std::wstring& path) {
    DeleteKeyAndBelow(root, path);
}

void WriteDanglingLink(HKEY root, const std::wstring& path) {
    HKEY link = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS, nullptr,
                        &link, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create a test link");
    const std::wstring target = L"\\Registry\\Machine\\Software\\Kestovar\\Nowhere";
    RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(target.c_str()),
                   static_cast<DWORD>(target.size() * sizeof(wchar_t)));
    RegCloseKey(link);
}

std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path) {
    std::vector<std::wstring> names;
    Key key(root, path, false, KEY_READ);
    if (!key.get()) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD chars = 256;
        if (RegEnumKeyExW(key.get(), index, name, &chars, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, chars);
    }
    return names;
}

DWORD RunRegsvr32(const std::wstring& arguments) {
    std::wstring command = L"C:\\windows\\system32\\regsvr32.exe /s " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return static_cast<DWORD>(-1);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

void WriteStore(const BuildUnderTest& build, const std::vector<Entry>& entries) {
    DeleteTree(HKEY_LOCAL_MACHINE, build.storeKey);
    for (const Entry& entry : entries)
        WriteText(HKEY_LOCAL_MACHINE, std::wstring(build.storeKey) + L"\\" + entry.caption, nullptr,
                  entry.picture);
}

std::vector<std::wstring> StoreOrder(const BuildUnderTest& build) {
    return SubkeyNames(HKEY_LOCAL_MACHINE, build.storeKey);
}

void WriteBitmapFile(const std::wstring& path) {
    // 2 x 2 pixels, 24 bits, rows padded to 4 bytes.
    const unsigned char bitmap[] = {
        'B', 'M', 70,  0,   0,    0,    0, 0, 0,    0,    54, 0, 0, 0,                    // file header
        40,  0,   0,   0,   2,    0,    0, 0, 2,    0,    0,  0, 1, 0, 24, 0, 0, 0, 0, 0, // info header ...
        16,  0,   0,   0,   0x13, 0x0B, 0, 0, 0x13, 0x0B, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,
        0,   0,   255, 0,   255,  0,    0, 0, // red, green, padding
        255, 0,   0,   255, 255,  255,  0, 0};
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a test picture");
    DWORD written = 0;
    WriteFile(file, bitmap, sizeof(bitmap), &written, nullptr);
    CloseHandle(file);
}

std::wstring CurrentWallpaper() {
    return ReadText(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper").value_or(L"");
}

void SetCurrentWallpaper(const std::wstring& path) {
    WriteText(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"Wallpaper", path);
}

Pidl SpecialFolderPidl(int csidl) {
    LPITEMIDLIST pidl = nullptr;
    SHGetSpecialFolderLocation(nullptr, csidl, &pidl);
    return Pidl(pidl);
}

Pidl PathPidl(const std::wstring& path) {
    return Pidl(ILCreateFromPathW(path.c_str()));
}

std::vector<MenuItem> ReadMenu(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char text[1024] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof(text) - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        MenuItem item;
        item.separator = (info.fType & MFT_SEPARATOR) != 0;
        item.text = item.separator ? "" : text;
        item.id = info.wID;
        item.submenu = info.hSubMenu;
        items.push_back(item);
    }
    return items;
}

std::vector<std::string> Captions(const std::vector<MenuItem>& items) {
    std::vector<std::string> captions;
    for (const MenuItem& item : items)
        captions.push_back(item.separator ? "-" : item.text);
    return captions;
}

void CreateHandler(const BuildUnderTest& build, Handler& handler) {
    handler.created = CoCreateInstance(build.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                       handler.init.OutVoid());
    if (SUCCEEDED(handler.created))
        handler.created = handler.init->QueryInterface(IID_IContextMenu, handler.menu.OutVoid());
}

} // namespace shellhost
