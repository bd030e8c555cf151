// The shell's side of a context menu: COM activation through the registry, Initialize with a
// folder, QueryContextMenu on a real menu, the menu read back, then help text and commands.
#include <functional>

#include <gtest/gtest.h>

#include "shellhost/ShellHostSupport.h"

using namespace shellhost;

namespace {

constexpr UINT kFirst = 100;
constexpr UINT kLast = 200;

HRESULT MenuResult(int code) {
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, code);
}

std::wstring Picture(int number) {
    return TempFolder() + L"picture" + std::to_wstring(number) + L".bmp";
}

std::wstring DesktopDirectory() {
    wchar_t path[MAX_PATH + 1] = {};
    SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE, nullptr, 0, path);
    return path;
}

HRESULT Invoke(IContextMenu* menu, ULONG_PTR verb) {
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.lpVerb = reinterpret_cast<LPCSTR>(verb);
    info.nShow = SW_SHOWNORMAL;
    return menu->InvokeCommand(&info);
}

// Both builds registered with regsvr32 for the whole suite, as an installer leaves them.
class ShellHost : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (const BuildUnderTest* build : {&Orvmenu(), &Tslmenu()})
            ASSERT_EQ(RunRegsvr32(L"\"" + BinFolder() + build->dll + L"\""), 0u);
        for (int number = 1; number <= 3; ++number)
            WriteBitmapFile(Picture(number));
    }
    static void TearDownTestSuite() {
        for (const BuildUnderTest* build : {&Orvmenu(), &Tslmenu()}) {
            RunRegsvr32(L"/u \"" + BinFolder() + build->dll + L"\"");
            DeleteTree(HKEY_LOCAL_MACHINE, build->storeKey);
        }
    }

    // A handler accepted for the desktop, its menu built into `menu` with three store entries.
    void BuildDesktopMenu(const BuildUnderTest& build, Handler& handler, HMENU menu, HRESULT& result) {
        WriteStore(build, {{L"Sea", Picture(1)}, {L"&Hills", Picture(2)}, {L"Forest", Picture(3)}});
        CreateHandler(build, handler);
        ASSERT_EQ(handler.created, S_OK);
        Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
        ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
        result = handler.menu->QueryContextMenu(menu, 0, kFirst, kLast, CMF_NORMAL);
    }
};

TEST_F(ShellHost, InitializeAcceptsTheFoldersOfEachBuild) {
    enum Folder { Desktop, DesktopDirectory_, OtherFolder, NoFileSystemPath, NoFolder };
    const struct {
        const BuildUnderTest* build;
        Folder folder;
        HRESULT expected;
    } cases[] = {
        {&Orvmenu(), Desktop, S_OK},
        {&Orvmenu(), DesktopDirectory_, S_OK},
        {&Orvmenu(), OtherFolder, E_FAIL},
        {&Orvmenu(), NoFileSystemPath, E_FAIL},
        {&Orvmenu(), NoFolder, E_FAIL},
        {&Tslmenu(), Desktop, S_OK},
        {&Tslmenu(), DesktopDirectory_, S_OK},
        {&Tslmenu(), OtherFolder, S_OK},
        {&Tslmenu(), NoFileSystemPath, E_FAIL},
        {&Tslmenu(), NoFolder, E_FAIL},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.build->name) + ", folder kind " + std::to_string(test.folder));
        Pidl folder = test.folder == Desktop             ? SpecialFolderPidl(CSIDL_DESKTOP)
                      : test.folder == DesktopDirectory_ ? PathPidl(DesktopDirectory())
                      : test.folder == OtherFolder       ? PathPidl(TempFolder())
                      : test.folder == NoFileSystemPath  ? SpecialFolderPidl(CSIDL_DRIVES)
                                                         : Pidl();
        if (test.folder != NoFolder) {
            ASSERT_NE(folder.get(), nullptr);
        }
        Handler handler;
        CreateHandler(*test.build, handler);
        ASSERT_EQ(handler.created, S_OK);
        EXPECT_EQ(handler.init->Initialize(folder.get(), nullptr, nullptr), test.expected);
    }
}

TEST_F(ShellHost, MenuHoldsTheEntriesInStoreOrderThenSeparatorAndEdit) {
    for (const BuildUnderTest* build : {&Orvmenu(), &Tslmenu()}) {
        SCOPED_TRACE(build->name);
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "Open");
        AppendMenuA(menu, MF_STRING, 2, "Properties");
        WriteStore(*build, {{L"Sea", Picture(1)}, {L"&Hills", Picture(2)}, {L"Forest", Picture(3)}});
        Handler handler;
        CreateHandler(*build, handler);
        ASSERT_EQ(handler.created, S_OK);
        Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
        ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);

        EXPECT_EQ(handler.menu->QueryContextMenu(menu, 1, kFirst, kLast, CMF_NORMAL), MenuResult(4));

        const std::vector<MenuItem> top = ReadMenu(menu);
        ASSERT_EQ(Captions(top), (std::vector<std::string>{"Open", "Change Wallpaper", "Properties"}));
        EXPECT_EQ(top[1].id, kFirst);
        ASSERT_NE(top[1].submenu, nullptr);
        const std::vector<MenuItem> sub = ReadMenu(top[1].submenu);
        std::vector<std::string> expected;
        for (const std::wstring& name : StoreOrder(*build))
            expected.push_back(Narrow(name));
        expected.insert(expected.end(), {"-", "Edit..."});
        ASSERT_EQ(Captions(sub), expected);
        for (UINT k = 1; k <= 3; ++k)
            EXPECT_EQ(sub[k - 1].id, kFirst + k) << "entry " << k;
        EXPECT_EQ(sub[4].id, kFirst);
        DestroyMenu(menu);
    }
}

TEST_F(ShellHost, FlagsDecideWhetherAnythingIsAdded) {
    const struct {
        UINT flags;
        bool adds;
    } cases[] = {
        {CMF_NORMAL, true},
        {CMF_DEFAULTONLY, false},
        {CMF_VERBSONLY, false},
        {CMF_NOVERBS, false},
        {CMF_DEFAULTONLY | CMF_NOVERBS, false},
        {CMF_EXPLORE, true},
        {CMF_EXPLORE | CMF_DEFAULTONLY, true},
        {CMF_EXPLORE | CMF_VERBSONLY | CMF_NOVERBS, true},
        {CMF_CANRENAME, true},
        {CMF_EXTENDEDVERBS, true},
    };
    WriteStore(Orvmenu(), {{L"Sea", Picture(1)}});
    for (const auto& test : cases) {
        SCOPED_TRACE("uFlags " + std::to_string(test.flags));
        HMENU menu = CreatePopupMenu();
        Handler handler;
        CreateHandler(Orvmenu(), handler);
        ASSERT_EQ(handler.created, S_OK);
        Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
        ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
        EXPECT_EQ(handler.menu->QueryContextMenu(menu, 0, kFirst, kLast, test.flags),
                  MenuResult(test.adds ? 2 : 0));
        EXPECT_EQ(GetMenuItemCount(menu), test.adds ? 1 : 0);
        DestroyMenu(menu);
    }
}

TEST_F(ShellHost, HelpTextIsTheProductNameForOffsetZeroOnly) {
    const struct {
        UINT_PTR idCmd;
        UINT type;
        HRESULT expected;
        const char* buffer; // what the buffer holds afterwards
    } cases[] = {
        {0, GCS_HELPTEXTA, S_OK, "Orvane"},
        {0, GCS_VERBA, S_OK, "untouched"},
        {0, GCS_HELPTEXTW, S_OK, "untouched"},
        {0, GCS_VALIDATEA, S_OK, "untouched"},
        {1, GCS_HELPTEXTA, E_INVALIDARG, "untouched"},
        {3, GCS_HELPTEXTA, E_INVALIDARG, "untouched"},
    };
    for (const BuildUnderTest* build : {&Orvmenu(), &Tslmenu()}) {
        HMENU menu = CreatePopupMenu();
        Handler handler;
        HRESULT built = E_FAIL;
        BuildDesktopMenu(*build, handler, menu, built);
        ASSERT_EQ(built, MenuResult(4));
        for (const auto& test : cases) {
            SCOPED_TRACE(std::string(build->name) + ", idCmd " + std::to_string(test.idCmd) + ", uType " +
                         std::to_string(test.type));
            char buffer[64] = "untouched";
            EXPECT_EQ(handler.menu->GetCommandString(test.idCmd, test.type, nullptr, buffer, sizeof(buffer)),
                      test.expected);
            EXPECT_STREQ(buffer, test.buffer);
        }
        DestroyMenu(menu);
    }
}

TEST_F(ShellHost, ChoosingAnEntryAppliesItsPicture) {
    for (const BuildUnderTest* build : {&Orvmenu(), &Tslmenu()}) {
        SCOPED_TRACE(build->name);
        HMENU menu = CreatePopupMenu();
        Handler handler;
        HRESULT built = E_FAIL;
        BuildDesktopMenu(*build, handler, menu, built);
        ASSERT_EQ(built, MenuResult(4));
        const std::vector<std::wstring> order = StoreOrder(*build);
        ASSERT_EQ(order.size(), 3u);
        const std::wstring second =
            *ReadText(HKEY_LOCAL_MACHINE, std::wstring(build->storeKey) + L"\\" + order[1]);
        SetCurrentWallpaper(L"");

        EXPECT_EQ(Invoke(handler.menu.get(), 2), S_OK);
        EXPECT_EQ(Narrow(CurrentWallpaper()), Narrow(second));

        // A verb given as text names none of ours: refused, nothing applied.
        SetCurrentWallpaper(L"");
        CMINVOKECOMMANDINFO info = {};
        info.cbSize = sizeof(info);
        info.lpVerb = "open";
        EXPECT_EQ(handler.menu->InvokeCommand(&info), E_FAIL);
        EXPECT_EQ(Narrow(CurrentWallpaper()), "");
        DestroyMenu(menu);
    }
}

TEST_F(ShellHost, EditStartsTheProgramNamedByPath) {
    const std::wstring program = BinFolder() + L"shellhost_marker.exe";
    const std::wstring marker = program + L".started";
    for (const BuildUnderTest* build : {&Orvmenu(), &Tslmenu()}) {
        SCOPED_TRACE(build->name);
        DeleteFileW(marker.c_str());
        WriteText(HKEY_LOCAL_MACHINE, build->branchKey, L"Path", program);
        HMENU menu = CreatePopupMenu();
        Handler handler;
        HRESULT built = E_FAIL;
        BuildDesktopMenu(*build, handler, menu, built);
        ASSERT_EQ(built, MenuResult(4));

        EXPECT_EQ(Invoke(handler.menu.get(), 0), S_OK);
        // The program starts on its own; give it time to leave its marker.
        for (int wait = 0; wait < 300 && GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES;
             ++wait)
            Sleep(100);
        EXPECT_NE(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES)
            << "the program was not started";
        DeleteTree(HKEY_LOCAL_MACHINE, build->branchKey);
        DestroyMenu(menu);
    }
}

TEST_F(ShellHost, SubkeyThatCannotBeOpenedGetsNoNumber) {
    // Three entries, the middle one a link to a key that does not exist: it enumerates but never opens.
    const std::wstring store = Orvmenu().storeKey;
    WriteStore(Orvmenu(), {{L"A first", Picture(1)}, {L"C third", Picture(3)}});
    WriteDanglingLink(HKEY_LOCAL_MACHINE, store + L"\\B second");
    ASSERT_EQ(StoreOrder(Orvmenu()), (std::vector<std::wstring>{L"A first", L"B second", L"C third"}));
    HKEY probe = nullptr;
    ASSERT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, (store + L"\\B second").c_str(), 0, KEY_ALL_ACCESS, &probe),
              ERROR_SUCCESS);

    Handler handler;
    CreateHandler(Orvmenu(), handler);
    ASSERT_EQ(handler.created, S_OK);
    Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
    ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
    HMENU menu = CreatePopupMenu();
    EXPECT_EQ(handler.menu->QueryContextMenu(menu, 0, kFirst, kLast, CMF_NORMAL), MenuResult(3));
    const std::vector<MenuItem> sub = ReadMenu(ReadMenu(menu).at(0).submenu);
    EXPECT_EQ(Captions(sub), (std::vector<std::string>{"A first", "C third", "-", "Edit..."}));
    EXPECT_EQ(sub.at(1).id, kFirst + 2);

    SetCurrentWallpaper(L"");
    EXPECT_EQ(Invoke(handler.menu.get(), 2), S_OK);
    EXPECT_EQ(Narrow(CurrentWallpaper()), Narrow(Picture(3)));
    DestroyMenu(menu);
    DeleteTree(HKEY_LOCAL_MACHINE, store);
}

using ServerExport = HRESULT(STDAPICALLTYPE*)();
using ClassObjectExport = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

template <typename Function> Function ExportOf(const BuildUnderTest& build, const char* name) {
    HMODULE module = GetModuleHandleW(build.dll);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

TEST_F(ShellHost, LibraryCanUnloadOnlyWhenNothingIsHeld) {
    for (const BuildUnderTest* build : {&Orvmenu(), &Tslmenu()}) {
        SCOPED_TRACE(build->name);
        Handler handler;
        CreateHandler(*build, handler);
        ASSERT_EQ(handler.created, S_OK);
        auto canUnload = ExportOf<ServerExport>(*build, "DllCanUnloadNow");
        ASSERT_NE(canUnload, nullptr);
        HMENU menu = CreatePopupMenu();
        Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
        handler.init->Initialize(desktop.get(), nullptr, nullptr);
        handler.menu->QueryContextMenu(menu, 0, kFirst, kLast, CMF_NORMAL);
        EXPECT_EQ(canUnload(), S_FALSE) << "while a menu's handler is held";
        handler.init.Reset();
        EXPECT_EQ(canUnload(), S_FALSE) << "while one of its interfaces is still held";
        handler.menu.Reset();
        EXPECT_EQ(canUnload(), S_OK) << "after the handler was released";
        DestroyMenu(menu);

        Com<IClassFactory> factory;
        ASSERT_EQ(CoGetClassObject(build->clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                   factory.OutVoid()),
                  S_OK);
        EXPECT_EQ(canUnload(), S_FALSE) << "while the factory is held";
        EXPECT_EQ(factory->LockServer(TRUE), S_OK);
        factory.Reset();
        EXPECT_EQ(canUnload(), S_FALSE) << "while the server is locked";
        ASSERT_EQ(CoGetClassObject(build->clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                   factory.OutVoid()),
                  S_OK);
        EXPECT_EQ(factory->LockServer(FALSE), S_OK);
        factory.Reset();
        EXPECT_EQ(canUnload(), S_OK) << "after the factory was released and the lock lifted";
    }
}

TEST_F(ShellHost, FactoryServesOnlyItsOwnClassAndInterfaces) {
    Handler keepLoaded;
    CreateHandler(Orvmenu(), keepLoaded);
    ASSERT_EQ(keepLoaded.created, S_OK);
    auto getClassObject = ExportOf<ClassObjectExport>(Orvmenu(), "DllGetClassObject");
    ASSERT_NE(getClassObject, nullptr);

    void* object = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(getClassObject(Tslmenu().clsid, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(getClassObject(Orvmenu().clsid, IID_IContextMenu, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);

    Com<IClassFactory> factory;
    ASSERT_EQ(getClassObject(Orvmenu().clsid, IID_IClassFactory, factory.OutVoid()), S_OK);
    const struct {
        const char* name;
        bool outer;
        const IID* iid;
        HRESULT expected;
    } cases[] = {
        {"context menu", false, &IID_IContextMenu, S_OK},
        {"extension init", false, &IID_IShellExtInit, S_OK},
        {"unknown", false, &IID_IUnknown, S_OK},
        {"interface it lacks", false, &IID_IClassFactory, E_NOINTERFACE},
        {"aggregated, unknown", true, &IID_IUnknown, CLASS_E_NOAGGREGATION},
        {"aggregated, context menu", true, &IID_IContextMenu, CLASS_E_NOAGGREGATION},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        IUnknown* created = reinterpret_cast<IUnknown*>(0x1234);
        EXPECT_EQ(factory->CreateInstance(test.outer ? keepLoaded.init.get() : nullptr, *test.iid,
                                          reinterpret_cast<void**>(&created)),
                  test.expected);
        EXPECT_EQ(created == nullptr, test.expected != S_OK);
        if (created) created->Release();
    }
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, nullptr), E_POINTER);
}

} // namespace

namespace {

// Each menu shows the store as it is when the menu opens, however little changed since the last.
TEST_F(ShellHost, EveryMenuShowsTheStoreAsItIsNow) {
    const std::wstring orvStore = Orvmenu().storeKey;
    const struct {
        const char* name;
        const BuildUnderTest* build;
        std::function<void()> change;
        std::vector<std::string> submenu;
        std::string caption;
        std::wstring secondPicture; // what choosing entry 2 applies; empty: no entry 2
    } cases[] = {
        {"picture path of one entry changed",
         &Orvmenu(),
         [&] { WriteText(HKEY_LOCAL_MACHINE, orvStore + L"\\B", nullptr, Picture(3)); },
         {"A", "B", "-", "Edit..."},
         "Change Wallpaper",
         Picture(3)},
        {"entry added",
         &Orvmenu(),
         [&] { WriteText(HKEY_LOCAL_MACHINE, orvStore + L"\\C", nullptr, Picture(3)); },
         {"A", "B", "C", "-", "Edit..."},
         "Change Wallpaper",
         Picture(2)},
        {"entry removed",
         &Orvmenu(),
         [&] { DeleteTree(HKEY_LOCAL_MACHINE, orvStore + L"\\A"); },
         {"B", "-", "Edit..."},
         "Change Wallpaper",
         L""},
        {"store removed",
         &Orvmenu(),
         [&] { DeleteTree(HKEY_LOCAL_MACHINE, orvStore); },
         {"-", "Edit..."},
         "Change Wallpaper",
         L""},
        {"branch removed and made again",
         &Orvmenu(),
         [&] {
             DeleteTree(HKEY_LOCAL_MACHINE, Orvmenu().branchKey);
             WriteText(HKEY_LOCAL_MACHINE, orvStore + L"\\X", nullptr, Picture(1));
             WriteText(HKEY_LOCAL_MACHINE, orvStore + L"\\Y", nullptr, Picture(3));
         },
         {"X", "Y", "-", "Edit..."},
         "Change Wallpaper",
         Picture(3)},
        {"language changed",
         &Tslmenu(),
         [] { WriteDword(HKEY_LOCAL_MACHINE, Tslmenu().branchKey, L"Language", 1); },
         {"A", "B", "-", "Edit..."},
         "\xD1\xEC\xE5\xED\xE8\xF2\xFC \xEE\xE1\xEE\xE8",
         Picture(2)},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const BuildUnderTest& build = *test.build;
        DeleteTree(HKEY_LOCAL_MACHINE, build.branchKey);
        WriteStore(build, {{L"A", Picture(1)}, {L"B", Picture(2)}});
        for (int menuNumber = 1; menuNumber <= 2; ++menuNumber) {
            if (menuNumber == 2) test.change();
            Handler handler;
            CreateHandler(build, handler);
            ASSERT_EQ(handler.created, S_OK);
            Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
            ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
            HMENU menu = CreatePopupMenu();
            handler.menu->QueryContextMenu(menu, 0, kFirst, kLast, CMF_NORMAL);
            const std::vector<MenuItem> top = ReadMenu(menu);
            ASSERT_EQ(top.size(), 1u);
            if (menuNumber == 1) {
                EXPECT_EQ(Captions(ReadMenu(top[0].submenu)),
                          (std::vector<std::string>{"A", "B", "-", "Edit..."}));
            } else {
                EXPECT_EQ(Captions(ReadMenu(top[0].submenu)), test.submenu);
                EXPECT_EQ(top[0].text, test.caption);
                SetCurrentWallpaper(L"");
                EXPECT_EQ(Invoke(handler.menu.get(), 2), test.secondPicture.empty() ? E_INVALIDARG : S_OK);
                EXPECT_EQ(Narrow(CurrentWallpaper()), Narrow(test.secondPicture));
            }
            DestroyMenu(menu);
        }
        DeleteTree(HKEY_LOCAL_MACHINE, build.branchKey);
    }
}

} // namespace

namespace {

// The shell opens menus on several threads at once; they share the library's counts and its last
// store reading, and each must still get the whole, right menu.
TEST_F(ShellHost, MenusOnSeveralThreadsAtOnceAreAllComplete) {
    WriteStore(Orvmenu(), {{L"A", Picture(1)}, {L"B", Picture(2)}, {L"C", Picture(3)}});
    const std::vector<std::string> expected = {"A", "B", "C", "-", "Edit..."};
    constexpr int kThreads = 4;
    constexpr int kMenusPerThread = 150;
    struct Work {
        std::vector<std::string> expected;
        int complete = 0;
        bool storeChanger = false;
    } work[kThreads];
    for (int t = 0; t < kThreads; ++t)
        work[t].expected = expected;
    // One thread keeps touching the branch, so that readings are thrown away and redone meanwhile.
    work[0].storeChanger = true;

    auto thread = [](void* parameter) -> DWORD {
        Work& mine = *static_cast<Work*>(parameter);
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        {
            Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
            for (int menuNumber = 0; menuNumber < kMenusPerThread; ++menuNumber) {
                if (mine.storeChanger)
                    WriteDword(HKEY_LOCAL_MACHINE, Orvmenu().branchKey, L"Unrelated",
                               static_cast<DWORD>(menuNumber));
                Handler handler;
                CreateHandler(Orvmenu(), handler);
                if (FAILED(handler.created) ||
                    handler.init->Initialize(desktop.get(), nullptr, nullptr) != S_OK)
                    continue;
                HMENU menu = CreatePopupMenu();
                const HRESULT result = handler.menu->QueryContextMenu(menu, 0, 100, 200, CMF_NORMAL);
                const std::vector<MenuItem> top = ReadMenu(menu);
                if (result == MAKE_HRESULT(SEVERITY_SUCCESS, 0, 4) && top.size() == 1 &&
                    Captions(ReadMenu(top[0].submenu)) == mine.expected)
                    ++mine.complete;
                DestroyMenu(menu);
            }
        }
        CoUninitialize();
        return 0;
    };
    HANDLE threads[kThreads];
    for (int t = 0; t < kThreads; ++t)
        threads[t] = CreateThread(nullptr, 0, thread, &work[t], 0, nullptr);
    // Bounded only so that a deadlock fails the test instead of stalling the run.
    const DWORD finished = WaitForMultipleObjects(kThreads, threads, TRUE, 300000);
    ASSERT_EQ(finished, WAIT_OBJECT_0) << "the menu threads did not all finish";
    for (HANDLE handle : threads)
        CloseHandle(handle);

    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(work[t].complete, kMenusPerThread) << "thread " << t;
    // Everything was released on every thread: nothing keeps the library loaded.
    Handler keepLoaded;
    CreateHandler(Orvmenu(), keepLoaded);
    ASSERT_EQ(keepLoaded.created, S_OK);
    auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(Orvmenu().dll), "DllCanUnloadNow")));
    ASSERT_NE(canUnload, nullptr);
    keepLoaded.menu.Reset();
    keepLoaded.init.Reset();
    EXPECT_EQ(canUnload(), S_OK);
    DeleteTree(HKEY_LOCAL_MACHINE, Orvmenu().branchKey);
}

} // namespace
