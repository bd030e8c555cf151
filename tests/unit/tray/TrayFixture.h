#pragma once
// The real main window with helpers to fill the menu entry store and to read the tray menu back
// from its HMENU.
#include <optional>
#include <string>
#include <vector>

#include "support/MainWindowFixture.h"

namespace orv::test {

// One item of a native menu as a person sees it.
struct TrayMenuItem {
    std::wstring caption; // "-" for a separator
    bool submenu = false;
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    bool operator==(const TrayMenuItem&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TrayMenuItem& item);

std::vector<TrayMenuItem> ReadMenu(HMENU menu);
std::vector<std::wstring> Captions(HMENU menu);

class TrayTest : public MainWindowTest {
  protected:
    void TearDown() override;

    // A menu entry in the store: a subkey of ShellPopup whose default value is `path` (none
    // when nullopt).
    static void WriteEntry(const std::wstring& name, const std::optional<std::wstring>& path);
    // The entry names in the order the registry lists them.
    static std::vector<std::wstring> StoreOrder();
    // A valid bitmap in the scratch folder.
    std::wstring Bitmap(const std::wstring& name, int width, int height);

    HMENU WallpaperMenu() const { return GetSubMenu(window->pabTrayPopupMenu, 0); }
    HMENU PositionMenu() const { return GetSubMenu(window->pabTrayPopupMenu, 1); }
    // Chooses the item at `index` of `menu` by the command id the real menu carries.
    void Choose(HMENU menu, int index);
};

} // namespace orv::test
