#include "shellmenu/ContextM.h"

#include <cstddef>
#include <cstring>

#include <shellapi.h>

#include "outside/SetWallpaper.h"
#include "shellmenu/ComModule.h"
#include "shellmenu/HandlerRegistry.h"
#include "shellmenu/StoreReader.h"

namespace orv::shellmenu {

namespace {

constexpr UINT kLowFlags = CMF_DEFAULTONLY | CMF_VERBSONLY | CMF_EXPLORE | CMF_NOVERBS;

HRESULT MenuResult(int code) {
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, code);
}

// The file-system path of an item ID list into a buffer of MAX_PATH + 1; empty when it has none.
void PathOf(LPCITEMIDLIST pidl, char (&path)[MAX_PATH + 1]) {
    path[0] = '\0';
    if (!pidl || !SHGetPathFromIDListA(pidl, path)) path[0] = '\0';
    path[MAX_PATH] = '\0';
}

bool DesktopPath(char (&path)[MAX_PATH + 1]) {
    path[0] = '\0';
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop)) || !desktop) return false;
    PathOf(desktop, path);
    CoTaskMemFree(desktop);
    return path[0] != '\0';
}

} // namespace

TContextMenu::TContextMenu() {
    AddLiveObject();
}

TContextMenu::~TContextMenu() {
    RemoveLiveObject();
}

HRESULT TContextMenu::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    try {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellExtInit))
            *ppv = static_cast<IShellExtInit*>(this);
        else if (IsEqualIID(riid, IID_IContextMenu))
            *ppv = static_cast<IContextMenu*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

ULONG TContextMenu::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG TContextMenu::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left > 0 ? static_cast<ULONG>(left) : 0;
}

HRESULT TContextMenu::Initialize(LPCITEMIDLIST pidlFolder, IDataObject*, HKEY) {
    try {
        PathOf(pidlFolder, folderPath_);
        // A folder without a file-system path never gets the menu, even if the desktop's path
        // could not be found either (two empty paths must not count as equal).
        if (folderPath_[0] == '\0') return E_FAIL;
        if (kBuild.folderRule == FolderRule::AnyFileSystemFolder) return S_OK;
        char desktop[MAX_PATH + 1];
        if (!DesktopPath(desktop)) return E_FAIL;
        return std::strcmp(folderPath_, desktop) == 0 ? S_OK : E_FAIL;
    } catch (...) {
        return E_FAIL;
    }
}

HRESULT TContextMenu::QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                       UINT uFlags) {
    try {
        if ((uFlags & kLowFlags) != 0 && (uFlags & CMF_EXPLORE) == 0) return MenuResult(0);
        return BuildChangeWallpaperMenu(hmenu, indexMenu, idCmdFirst, idCmdLast);
    } catch (...) {
        return MenuResult(0);
    }
}

HRESULT TContextMenu::BuildChangeWallpaperMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast) {
    entryPositions_[0] = -1;
    entryCount_ = 0;
    // The shell grants idCmdFirst .. idCmdLast; offset 0 must fit, then as many entries as fit.
    if (!hmenu || idCmdLast < idCmdFirst) return MenuResult(0);
    const unsigned long long granted = static_cast<unsigned long long>(idCmdLast) - idCmdFirst + 1;
    const int limit = granted - 1 < static_cast<unsigned long long>(kBuild.maxEntries)
                          ? static_cast<int>(granted - 1)
                          : kBuild.maxEntries;

    HMENU submenu = CreateMenu();
    if (!submenu) return MenuResult(0);
    StoreSnapshot store;
    CurrentStore(store);
    for (int i = 0; i < store.count && entryCount_ < limit; ++i)
        AddEntry(submenu, store.entries[i], idCmdFirst);

    MENUITEMINFOA item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.wID = idCmdFirst;
    item.hSubMenu = submenu;
    item.dwTypeData = const_cast<char*>(SubmenuCaption(store.language));
    if (!InsertMenuItemA(hmenu, indexMenu, TRUE, &item)) {
        DestroyMenu(submenu); // not taken over by hmenu: ours to free
        entryCount_ = 0;
        return MenuResult(0);
    }
    AppendMenuA(submenu, MF_SEPARATOR, 0, nullptr);
    InsertMenuA(submenu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, idCmdFirst, kEditCaption);
    return MenuResult(entryCount_ + 1);
}

bool TContextMenu::AddEntry(HMENU submenu, const StoreEntry& entry, UINT idCmdFirst) {
    const int k = entryCount_ + 1;
    if (k >= kSlots) return false;
    entryPositions_[k] = entryPositions_[k - 1] + 1;
    if (!InsertMenuA(submenu, static_cast<UINT>(entryPositions_[k]), MF_BYPOSITION | MF_STRING,
                     idCmdFirst + k, entry.caption))
        return false;
    std::memcpy(picturePaths_[k], entry.picture, kPathChars);
    picturePaths_[k][kPathChars - 1] = '\0';
    entryCount_ = k;
    return true;
}

HRESULT TContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    try {
        if (!info || info->cbSize < offsetof(CMINVOKECOMMANDINFO, lpVerb) + sizeof(info->lpVerb))
            return E_INVALIDARG;
        const ULONG_PTR verb = reinterpret_cast<ULONG_PTR>(info->lpVerb);
        if ((verb >> 16) != 0) return E_FAIL; // a verb given as text: none of ours
        const int offset = static_cast<int>(LOWORD(verb));
        if (offset > entryCount_ || offset >= kSlots) return E_INVALIDARG;

        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        try {
            if (offset == 0)
                StartProgram();
            else
                ApplyPicture(offset);
        } catch (...) {
            // Nothing may reach the shell; the cursor is restored below all the same.
        }
        SetCursor(previous ? previous : LoadCursor(nullptr, IDC_ARROW));
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

void TContextMenu::StartProgram() const {
    const std::wstring program = ReadProgramPath();
    // An empty file name would make ShellExecute open the current folder instead.
    if (program.empty()) return;
    ShellExecuteW(nullptr, L"open", program.c_str(), nullptr, nullptr, SW_SHOW);
}

void TContextMenu::ApplyPicture(int entry) const {
    char path[kPathChars];
    std::memcpy(path, picturePaths_[entry], sizeof(path));
    path[kPathChars - 1] = '\0';
    int32_t cell = 0;
    SetNewWallpaper(StringToPWide(path, &cell));
}

HRESULT TContextMenu::GetCommandString(UINT_PTR idCmd, UINT uType, UINT*, CHAR* pszName, UINT cchMax) {
    try {
        if (idCmd != 0) return E_INVALIDARG;
        if (uType != GCS_HELPTEXTA) return S_OK;
        if (!pszName || cchMax == 0) return E_INVALIDARG;
        const size_t room = cchMax < sizeof(kHelpText) ? cchMax : sizeof(kHelpText);
        std::memcpy(pszName, kHelpText, room - 1);
        pszName[room - 1] = '\0';
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

std::wstring ReadProgramPath() {
    try {
        ScopedKey branch = ScopedKey::Open(HKEY_LOCAL_MACHINE, kBuild.branchKey, KEY_READ);
        std::wstring path;
        if (!branch || !ReadText(branch.get(), L"Path", path)) return {};
        return path;
    } catch (...) {
        return {};
    }
}

const char* SubmenuCaption(DWORD language) {
    if (kBuild.captionRule == CaptionRule::Fixed) return kCaptionEnglish;
    // Any language but Russian (1) shows the English caption.
    return language == 1 ? kCaptionRussian1251 : kCaptionEnglish;
}

} // namespace orv::shellmenu
