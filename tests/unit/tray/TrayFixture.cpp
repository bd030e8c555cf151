#include "unit/tray/TrayFixture.h"

#include <ostream>

#include "menuentries/ShellIntegration.h"
#include "platform/Registry.h"

namespace orv::test {

std::ostream& operator<<(std::ostream& out, const TrayMenuItem& item) {
    return out << "{\"" << Narrow(item.caption) << "\"" << (item.submenu ? " submenu" : "")
               << (item.enabled ? "" : " disabled") << (item.checked ? " checked" : "")
               << (item.radio ? " radio" : "") << "}";
}

std::vector<TrayMenuItem> ReadMenu(HMENU menu) {
    std::vector<TrayMenuItem> items;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        TrayMenuItem item;
        item.caption = (info.fType & MFT_SEPARATOR) ? L"-" : text;
        item.submenu = info.hSubMenu != nullptr;
        // A separator's state means nothing (Wine reports it greyed).
        item.enabled = (info.fType & MFT_SEPARATOR) || !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        item.checked = (info.fState & MFS_CHECKED) != 0;
        item.radio = (info.fType & MFT_RADIOCHECK) != 0;
        items.push_back(item);
    }
    return items;
}

std::vector<std::wstring> Captions(HMENU menu) {
    std::vector<std::wstring> captions;
    for (const TrayMenuItem& item : ReadMenu(menu))
        captions.push_back(item.caption);
    return captions;
}

void TrayTest::TearDown() {
    MainWindowTest::TearDown();
    // An Apply on the Configuration page integrates the handler for the scratch folder.
    ClearHandlerIntegration(programFolder);
}

void TrayTest::WriteEntry(const std::wstring& name, const std::optional<std::wstring>& path) {
    RegKey key = RegKey::Create(HKEY_LOCAL_MACHINE, std::wstring(kShellPopupKey) + L"\\" + name);
    ASSERT_TRUE(key) << "cannot create the entry " << Narrow(name);
    if (path) key.WriteString(L"", *path);
}

std::vector<std::wstring> TrayTest::StoreOrder() {
    RegKey store = RegKey::Open(HKEY_LOCAL_MACHINE, kShellPopupKey);
    return store ? store.SubkeyNames() : std::vector<std::wstring>{};
}

std::wstring TrayTest::Bitmap(const std::wstring& name, int width, int height) {
    WriteBytes(folder / name, BitmapBytes(width, height));
    return folder / name;
}

void TrayTest::Choose(HMENU menu, int index) {
    UINT id = GetMenuItemID(menu, index);
    ASSERT_NE(id, static_cast<UINT>(-1)) << "item " << index << " is not a command";
    window->RunTrayCommand(id);
}

} // namespace orv::test
