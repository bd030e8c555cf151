// The tray icon and its menu: Hide and Show, the menu's rebuild from the menu entry store, and
// the choices made in it.
#include "app/MainUnit.h"
#include "app/TrayIcon.h"
#include "desktop/WallpaperPosition.h"
#include "platform/Registry.h"
#include "ui/Guard.h"
#include "ui/Menu.h"

namespace orv {

namespace {

// Positions of the submenus and items in pabTrayPopupMenu.
constexpr int kChangeWallpaperItem = 0, kPositionItem = 1;

void AppendRadioItem(HMENU menu, UINT id, const wchar_t* caption) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    item.fType = MFT_STRING | MFT_RADIOCHECK;
    item.wID = id;
    item.dwTypeData = const_cast<wchar_t*>(caption);
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item);
}

// A key name shown as written: "&" would otherwise underline the next letter.
std::wstring MenuText(const std::wstring& name) {
    std::wstring text;
    for (wchar_t c : name) {
        if (c == L'&') text += L'&';
        text += c;
    }
    return text;
}

} // namespace

TrayIcon& TfrmORV::Tray() {
    if (tiTSL) return *tiTSL;
    HMENU wallpapers = CreatePopupMenu();
    HMENU positions = CreatePopupMenu();
    AppendRadioItem(positions, kTrayCenterId, L"Center");
    AppendRadioItem(positions, kTrayTileId, L"Tile");
    AppendRadioItem(positions, kTrayStretchId, L"Stretch");
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_POPUP | MF_STRING | MF_GRAYED, reinterpret_cast<UINT_PTR>(wallpapers),
                L"Change Wallpaper");
    AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(positions), L"Position");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(aShow->id()), L"Show ORV");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(aExit->id()), aExit->caption.c_str());
    tiTSL = std::make_unique<TrayIcon>(ApplicationTitle(), menu);
    pabTrayPopupMenu = menu;
    tiTSL->onClick = [this] { RunGuarded([this] { aShowExecute(); }); };
    tiTSL->onPopup = [this](POINT at) {
        // The menu must belong to the foreground window, or it would not close when the user
        // clicks elsewhere.
        SetForegroundWindow(hwnd_);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        RunGuarded([this, at] { ShowTrayMenu(at); });
    };
    return *tiTSL;
}

void TfrmORV::aHideExecute() {
    ReadWallpaperPosition();
    Tray().SetVisible(true);
    ShowWindow(hwnd_, SW_MINIMIZE);
    // Hidden as well, so that no task bar button remains.
    ShowWindow(hwnd_, SW_HIDE);
}

void TfrmORV::aShowExecute() {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    SetForegroundWindow(hwnd_);
    LoadCurrentWallpaperPreview();
    ReadWallpaperPosition();
    state.positionChanged = false;
    UpdatePositionCommand();
    if (tiTSL) tiTSL->SetVisible(false);
}

void TfrmORV::pabTrayPopupMenuPopup() {
    HMENU wallpapers = GetSubMenu(Tray().popupMenu(), kChangeWallpaperItem);
    while (GetMenuItemCount(wallpapers) > 0)
        DeleteMenu(wallpapers, 0, MF_BYPOSITION);
    trayWallpaperHints.clear();
    EnableMenuItem(pabTrayPopupMenu, kChangeWallpaperItem, MF_BYPOSITION | MF_GRAYED);
    // The marks of the last ReadWallpaperPosition.
    HMENU positions = GetSubMenu(pabTrayPopupMenu, kPositionItem);
    CheckMenuRadioItem(positions, kTrayCenterId, kTrayStretchId, kTrayCenterId + state.trayPosition,
                       MF_BYCOMMAND);

    std::vector<std::wstring> names;
    if (RegKey store = RegKey::Open(HKEY_LOCAL_MACHINE, kShellPopupKey)) names = store.SubkeyNames();
    for (const std::wstring& name : names) {
        RegKey entry = RegKey::Open(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\" + name);
        if (!entry) continue;
        std::wstring hint = entry.ReadStringOrEmpty(L"");
        UINT id = kTrayWallpaperFirstId + static_cast<UINT>(trayWallpaperHints.size());
        AppendMenuW(wallpapers, MF_STRING, id, MenuText(name).c_str());
        trayWallpaperHints.push_back(std::move(hint));
        EnableMenuItem(pabTrayPopupMenu, kChangeWallpaperItem, MF_BYPOSITION | MF_ENABLED);
    }
}

void TfrmORV::TrayWallpaperClick(const std::wstring& hint) {
    state.trayWallpaperPath = hint;
    ApplyWallpaper(state.trayWallpaperPath);
    state.undo = true;
}

void TfrmORV::ShowTrayMenu(POINT at) {
    pabTrayPopupMenuPopup();
    SyncMenuWithActions(pabTrayPopupMenu, amTSL);
    UINT id = static_cast<UINT>(TrackPopupMenu(
        pabTrayPopupMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, hwnd_, nullptr));
    // Lets the menu close properly when it was opened from the notification area.
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (id != 0) RunTrayCommand(id);
}

void TfrmORV::RunTrayCommand(UINT id) {
    switch (id) {
    case kTrayCenterId:
        tmCenterClick();
        return;
    case kTrayTileId:
        tmTileClick();
        return;
    case kTrayStretchId:
        tmStretchClick();
        return;
    default:
        break;
    }
    if (id >= kTrayWallpaperFirstId && id - kTrayWallpaperFirstId < trayWallpaperHints.size()) {
        // A copy: applying the picture must not depend on the list staying as it is.
        std::wstring hint = trayWallpaperHints[id - kTrayWallpaperFirstId];
        TrayWallpaperClick(hint);
        return;
    }
    if (Action* action = amTSL.ById(static_cast<int>(id))) action->Execute();
}

} // namespace orv
