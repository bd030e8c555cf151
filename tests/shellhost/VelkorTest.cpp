// Velkor as the main program calls it: integrate the handler library into the shell, check what
// the shell would find, let the shell use it, then clear the integration.
#include <functional>

#include <gtest/gtest.h>

#include "outside/Velkor.h"
#include "shellhost/ShellHostSupport.h"

using namespace shellhost;

namespace {

constexpr char kClassId[] = "{1548903A-BE63-4177-AC5A-361520B1B49C}";
constexpr wchar_t kApprovedKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
const std::wstring kClassKey = L"CLSID\\{1548903A-BE63-4177-AC5A-361520B1B49C}";
const std::vector<std::wstring> kHandlerKeys = {
    L"jpegfile\\shellex\\ContextMenuHandlers\\Orvane",
    L"Directory\\Background\\shellex\\ContextMenuHandlers\\Orvane",
    L"DesktopBackground\\shellex\\ContextMenuHandlers\\Orvane",
};

std::string LibraryPath() {
    return Narrow(BinFolder()) + "orvmenu.dll";
}

// What the main program's Apply does with the option on, and with it off.
void Integrate() {
    const std::string library = LibraryPath();
    ASSERT_EQ(PMIntegrateIntoShell(library.c_str(), ".jpg", "jpegfile", 0, kClassId, 0), 0);
    ASSERT_EQ(PMRegisterForFolder("Orvane", kClassId), 0);
}

void Clear() {
    const std::string library = LibraryPath();
    ASSERT_EQ(PMClearIntegration(library.c_str(), ".jpg", "jpegfile", 0, kClassId, 0), 0);
}

std::vector<std::string> DesktopSubmenu(Handler& handler, HMENU menu) {
    Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
    EXPECT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
    handler.menu->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL);
    const std::vector<MenuItem> top = ReadMenu(menu);
    if (top.size() != 1 || !top[0].submenu) return {};
    return Captions(ReadMenu(top[0].submenu));
}

TEST(Velkor, IntegrationGivesTheShellEverythingItNeedsAndClearingTakesItBack) {
    WriteText(HKEY_CLASSES_ROOT, L".jpg", nullptr, L"jpegfile");
    WriteStore(Orvmenu(), {});
    // Keys the integration may have to create on the way to its own; clearing leaves them as found.
    const std::vector<std::wstring> parents = {L"jpegfile", L"jpegfile\\shellex",
                                               L"Directory\\Background\\shellex", L"DesktopBackground",
                                               L"DesktopBackground\\shellex"};
    std::vector<bool> parentsBefore;
    for (const std::wstring& key : parents)
        parentsBefore.push_back(KeyExists(HKEY_CLASSES_ROOT, key));
    Integrate();

    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, kClassKey).value_or(L"<none>"), L"Orvane");
    EXPECT_EQ(Narrow(ReadText(HKEY_CLASSES_ROOT, kClassKey + L"\\InprocServer32").value_or(L"<none>")),
              LibraryPath());
    EXPECT_EQ(
        ReadText(HKEY_CLASSES_ROOT, kClassKey + L"\\InprocServer32", L"ThreadingModel").value_or(L"<none>"),
        L"Apartment");
    for (const std::wstring& key : kHandlerKeys)
        EXPECT_EQ(Narrow(ReadText(HKEY_CLASSES_ROOT, key).value_or(L"<none>")), kClassId) << Narrow(key);
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kApprovedKey, Orvmenu().clsidText).value_or(L"<none>"), L"Orvane");
    {
        Handler handler;
        CreateHandler(Orvmenu(), handler);
        ASSERT_EQ(handler.created, S_OK);
        HMENU menu = CreatePopupMenu();
        EXPECT_EQ(DesktopSubmenu(handler, menu), (std::vector<std::string>{"-", "Edit..."}));
        DestroyMenu(menu);
    }

    Clear();
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey)) << "the class is still registered";
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L"ORV\\shellex"));
    for (const std::wstring& key : kHandlerKeys)
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << Narrow(key);
    for (size_t i = 0; i < parents.size(); ++i)
        EXPECT_EQ(KeyExists(HKEY_CLASSES_ROOT, parents[i]), parentsBefore[i]) << Narrow(parents[i]);
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, L".jpg").value_or(L"<none>"), L"jpegfile");
    Handler gone;
    CreateHandler(Orvmenu(), gone);
    EXPECT_EQ(gone.created, REGDB_E_CLASSNOTREG);
    // Kept on purpose by the library's unregistration.
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, L"ORV"));
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kApprovedKey, Orvmenu().clsidText).value_or(L"<none>"), L"Orvane");
}

// Across deliverables: entries stored as the Configuration page stores them appear, in store
// order, in the submenu of the library that Velkor integrated, and choosing one sets it.
TEST(Velkor, IntegratedHandlerShowsTheStoredEntriesAndAppliesThem) {
    std::vector<Entry> entries;
    for (int number = 1; number <= 3; ++number) {
        const std::wstring picture = TempFolder() + L"velkor" + std::to_wstring(number) + L".bmp";
        WriteBitmapFile(picture);
        entries.push_back({L"Wallpaper" + std::to_wstring(number), picture});
    }
    WriteStore(Orvmenu(), entries);
    Integrate();
    {
        Handler handler;
        CreateHandler(Orvmenu(), handler);
        ASSERT_EQ(handler.created, S_OK);
        HMENU menu = CreatePopupMenu();
        std::vector<std::string> expected;
        for (const std::wstring& name : StoreOrder(Orvmenu()))
            expected.push_back(Narrow(name));
        expected.insert(expected.end(), {"-", "Edit..."});
        EXPECT_EQ(DesktopSubmenu(handler, menu), expected);

        const std::wstring third = StoreOrder(Orvmenu()).at(2);
        SetCurrentWallpaper(L"");
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof(info);
        info.lpVerb = MAKEINTRESOURCEA(3);
        EXPECT_EQ(handler.menu->InvokeCommand(&info), S_OK);
        EXPECT_EQ(Narrow(CurrentWallpaper()),
                  Narrow(*ReadText(HKEY_LOCAL_MACHINE, std::wstring(Orvmenu().storeKey) + L"\\" + third)));
        DestroyMenu(menu);
    }
    Clear();
    DeleteTree(HKEY_LOCAL_MACHINE, Orvmenu().storeKey);
}

TEST(Velkor, BadArgumentsFailWithoutCrashingOrWriting) {
    const std::string library = LibraryPath();
    const std::string missing = Narrow(TempFolder()) + "no such folder\\orvmenu.dll";
    const struct {
        const char* name;
        std::function<int32_t()> call;
    } cases[] = {
        {"integrate, no path",
         [&] { return PMIntegrateIntoShell(nullptr, ".jpg", "jpegfile", 0, kClassId, 0); }},
        {"integrate, empty path",
         [&] { return PMIntegrateIntoShell("", ".jpg", "jpegfile", 0, kClassId, 0); }},
        {"integrate, no class",
         [&] { return PMIntegrateIntoShell(library.c_str(), ".jpg", "jpegfile", 0, nullptr, 0); }},
        {"integrate, not a class",
         [&] { return PMIntegrateIntoShell(library.c_str(), ".jpg", "jpegfile", 0, "Orvane", 0); }},
        {"integrate, missing library",
         [&] { return PMIntegrateIntoShell(missing.c_str(), ".jpg", "jpegfile", 0, kClassId, 0); }},
        {"integrate, all null",
         [] { return PMIntegrateIntoShell(nullptr, nullptr, nullptr, 0, nullptr, 0); }},
        {"folder, no class", [] { return PMRegisterForFolder("Orvane", nullptr); }},
        {"folder, all null", [] { return PMRegisterForFolder(nullptr, nullptr); }},
        {"folder, not a class", [] { return PMRegisterForFolder("Orvane", "{not-a-class}"); }},
        {"clear, no class",
         [&] { return PMClearIntegration(library.c_str(), ".jpg", "jpegfile", 0, nullptr, 0); }},
        {"clear, all null", [] { return PMClearIntegration(nullptr, nullptr, nullptr, 0, nullptr, 0); }},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_NE(test.call(), 0) << "reported success";
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey)) << "registered a class";
        for (const std::wstring& key : kHandlerKeys)
            EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << Narrow(key);
    }
}

} // namespace
