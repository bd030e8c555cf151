#pragma once
// The handler object the shell creates for every context menu: it adds "Change Wallpaper" with
// the menu entries of the store and "Edit...", and applies the chosen entry's picture.
#include <string>

#include <shlobj.h>
#include <windows.h>

#include "ActiveBuild.h"
#include "shellmenu/StoreReader.h"

namespace orv::shellmenu {

class TContextMenu final : public IShellExtInit, public IContextMenu {
  public:
    TContextMenu();
    TContextMenu(const TContextMenu&) = delete;
    TContextMenu& operator=(const TContextMenu&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IShellExtInit
    HRESULT STDMETHODCALLTYPE Initialize(LPCITEMIDLIST pidlFolder, IDataObject* dataObject,
                                         HKEY progIdKey) override;
    // IContextMenu
    HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast,
                                               UINT uFlags) override;
    HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override;
    HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR idCmd, UINT uType, UINT* reserved, CHAR* pszName,
                                               UINT cchMax) override;

  private:
    static constexpr int kSlots = kBuild.maxEntries + 1; // slot 0 holds nothing

    ~TContextMenu();
    HRESULT BuildChangeWallpaperMenu(HMENU hmenu, UINT indexMenu, UINT idCmdFirst, UINT idCmdLast);
    bool AddEntry(HMENU submenu, const StoreEntry& entry, UINT idCmdFirst);
    void StartProgram() const;
    void ApplyPicture(int entry) const;

    volatile LONG references_ = 1;
    char folderPath_[kPathChars] = {};
    int entryPositions_[kSlots] = {};
    int entryCount_ = 0;
    char picturePaths_[kSlots][kPathChars] = {};
};

// The main program's file, from "Path" of the build's branch; empty when not found.
std::wstring ReadProgramPath();
// The caption of the submenu item for this build and the menu language read with the store.
const char* SubmenuCaption(DWORD language);

} // namespace orv::shellmenu
