// Across deliverables: entries applied on the Configuration page with "Integrate into Shell" on
// appear, in store order, in the submenu the real orvmenu.dll builds when the shell activates it
// through COM, and choosing one sets that wallpaper.
#include <string>
#include <vector>

#include <shlobj.h>
#include <windows.h>

#include "support/MainWindowFixture.h"
#include "unit/menuentries/MenuStore.h"

namespace orv::test {
namespace {

const CLSID kHandlerClass = {0x1548903A, 0xBE63, 0x4177, {0xAC, 0x5A, 0x36, 0x15, 0x20, 0xB1, 0xB4, 0x9C}};

// One menu item as the handler left it (texts through the A calls it uses).
struct Item {
    std::string text;
    HMENU submenu = nullptr;
};

std::vector<Item> ReadMenu(HMENU menu) {
    std::vector<Item> items;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        char text[512] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof(text) - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        items.push_back({(info.fType & MFT_SEPARATOR) ? "-" : text, info.hSubMenu});
    }
    return items;
}

// The handler as the shell makes it: COM activation through the registry, then the desktop.
class ShellHandler {
  public:
    ShellHandler() {
        created = CoCreateInstance(kHandlerClass, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                   reinterpret_cast<void**>(&init));
        if (FAILED(created)) return;
        init->QueryInterface(IID_IContextMenu, reinterpret_cast<void**>(&menu));
        LPITEMIDLIST desktop = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop);
        initialized = init->Initialize(desktop, nullptr, nullptr);
        CoTaskMemFree(desktop);
    }
    ~ShellHandler() {
        if (menu) menu->Release();
        if (init) init->Release();
    }
    ShellHandler(const ShellHandler&) = delete;
    ShellHandler& operator=(const ShellHandler&) = delete;

    HRESULT created = E_FAIL, initialized = E_FAIL;
    IShellExtInit* init = nullptr;
    IContextMenu* menu = nullptr;
};

std::wstring ProgramFolderOfThisTest() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

class ShellIntegrationTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The program folder holds the handler library, as the user receives them together.
        ASSERT_TRUE(CopyFileW((ProgramFolderOfThisTest() + L"orvmenu.dll").c_str(),
                              (programFolder + L"orvmenu.dll").c_str(), FALSE));
    }

    void AddThroughPage(const std::wstring& header, const std::wstring& path) {
        human.openAnswers.push_back(std::vector<std::wstring>{path});
        window->btnBrowse.Click();
        window->edtHeader.SetText(header);
        window->btnAddCMItem.Click();
    }
};

TEST_F(ShellIntegrationTest, AppliedEntriesShowInTheShellMenuAndChoosingOneSetsIt) {
    std::vector<std::wstring> pictures;
    for (const wchar_t* name : {L"sunset.bmp", L"moon.bmp", L"star.bmp"}) {
        WriteBytes(folder / name, BitmapBytes(16, 12));
        pictures.push_back(folder / name);
    }
    TfrmORV& w = Open();
    w.aConfiguration->Execute();
    w.cbxIntegrateIntoShell.SetChecked(true);
    AddThroughPage(L"Sunset", pictures[0]);
    AddThroughPage(L"Moon", pictures[1]);
    AddThroughPage(L"Star", pictures[2]);
    ASSERT_TRUE(w.btnWrite.enabled());
    w.btnWrite.Click();

    const std::vector<StoredEntry> stored = StoredEntries();
    ASSERT_EQ(stored.size(), 3u);
    {
        ShellHandler handler;
        ASSERT_EQ(handler.created, S_OK) << "the shell cannot create the integrated handler";
        ASSERT_EQ(handler.initialized, S_OK);
        HMENU menu = CreatePopupMenu();
        handler.menu->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL);
        const std::vector<Item> top = ReadMenu(menu);
        ASSERT_EQ(top.size(), 1u);
        EXPECT_EQ(top[0].text, "Change Wallpaper");
        std::vector<std::string> captions, expected;
        for (const Item& item : ReadMenu(top[0].submenu))
            captions.push_back(item.text);
        for (const StoredEntry& entry : stored)
            expected.push_back(Narrow(entry.caption));
        expected.insert(expected.end(), {"-", "Edit..."});
        EXPECT_EQ(captions, expected);

        SetDesktopValue(L"Wallpaper", desktopBitmap);
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof(info);
        info.lpVerb = MAKEINTRESOURCEA(2);
        EXPECT_EQ(handler.menu->InvokeCommand(&info), S_OK);
        EXPECT_EQ(Narrow(DesktopValue(L"Wallpaper")), Narrow(stored[1].path));
        EXPECT_EQ(Narrow(DesktopValue(L"ConvertedWallpaper")), Narrow(stored[1].path));
        DestroyMenu(menu);
    }

    // Turning the option off takes the integration back and keeps the entries for the tray.
    w.cbxIntegrateIntoShell.SetChecked(false);
    ShellHandler gone;
    EXPECT_EQ(gone.created, REGDB_E_CLASSNOTREG);
    EXPECT_EQ(StoredEntries(), stored);
    Discard();
    CoFreeUnusedLibrariesEx(0, 0);
}

// A start-up profile with the option on integrates the handler anew at every start, and the
// menu shows what the store held.
TEST_F(ShellIntegrationTest, StartupProfileWithTheOptionOnIntegratesAtStart) {
    WriteBytes(folder / L"sunset.bmp", BitmapBytes(16, 12));
    WriteStoredEntries({{L"Sunset", folder / L"sunset.bmp"}});
    WriteBytes(programFolder + L"default.ini", "[Profile]\r\nProfileName=Shelly\r\n");
    MakeFolder(programFolder + L"Profiles");
    MakeFolder(programFolder + L"Profiles\\Shelly");
    WriteBytes(programFolder + L"Profiles\\Shelly\\Shelly.ini",
               "[ProgrammOptions]\r\nShell=1\r\n[Wallpaper]\r\nWallpaperListName=No Name\r\n"
               "WallpaperListPath=\r\n");
    TfrmORV& w = Open();
    ASSERT_TRUE(w.cbxIntegrateIntoShell.checked()) << "the profile's option did not load";
    EXPECT_EQ(RowsOf(w.lvContextMenu), (std::vector<StoredEntry>{{L"Sunset", folder / L"sunset.bmp"}}));
    {
        ShellHandler handler;
        ASSERT_EQ(handler.created, S_OK) << "the start did not integrate the handler";
        HMENU menu = CreatePopupMenu();
        handler.menu->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL);
        const std::vector<Item> top = ReadMenu(menu);
        ASSERT_EQ(top.size(), 1u);
        std::vector<std::string> captions;
        for (const Item& item : ReadMenu(top[0].submenu))
            captions.push_back(item.text);
        EXPECT_EQ(captions, (std::vector<std::string>{"Sunset", "-", "Edit..."}));
        DestroyMenu(menu);
    }
    w.cbxIntegrateIntoShell.SetChecked(false);
    Discard();
    CoFreeUnusedLibrariesEx(0, 0);
}

} // namespace
} // namespace orv::test
