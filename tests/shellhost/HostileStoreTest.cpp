// The handler runs inside the shell's process: whatever the store, the branch or the caller hands
// it, it must build a sane menu and touch nothing it should not.
#include <functional>
#include <set>

#include <gtest/gtest.h>

#include "shellhost/ShellHostSupport.h"

using namespace shellhost;

namespace {

constexpr UINT kFirst = 100;

HRESULT MenuResult(int code) {
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, code);
}

const std::string kEnglish = "Change Wallpaper";
const std::string kRussian1251 = "\xD1\xEC\xE5\xED\xE8\xF2\xFC \xEE\xE1\xEE\xE8";

void WriteEntry(const BuildUnderTest& build, const std::wstring& caption, DWORD type,
                const std::vector<BYTE>& data) {
    WriteValue(HKEY_LOCAL_MACHINE, std::wstring(build.storeKey) + L"\\" + caption, nullptr, type, data.data(),
               static_cast<DWORD>(data.size()));
}

std::vector<BYTE> TextBytes(const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
}

std::wstring PathOfLength(size_t length) {
    std::wstring path = L"C:\\";
    path.append(length - path.size() - 4, L'p');
    return path + L".bmp";
}

using Prepare = std::function<void()>;

// The store with a hostile entry "Middle" between two good ones, so that order and numbering show.
Prepare MiddleEntry(DWORD type, std::vector<BYTE> data) {
    return [type, data] {
        WriteStore(Orvmenu(), {{L"Alpha", L"C:\\alpha.bmp"}, {L"Omega", L"C:\\omega.bmp"}});
        WriteEntry(Orvmenu(), L"Middle", type, data);
    };
}

Prepare MiddleWithoutDefaultValue() {
    return [] {
        WriteStore(Orvmenu(), {{L"Alpha", L"C:\\alpha.bmp"}, {L"Omega", L"C:\\omega.bmp"}});
        WriteValue(HKEY_LOCAL_MACHINE, std::wstring(Orvmenu().storeKey) + L"\\Middle", L"other", REG_SZ, L"",
                   sizeof(wchar_t));
    };
}

Prepare ManyEntries(const BuildUnderTest& build, int count) {
    return [&build, count] {
        std::vector<Entry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back({L"Entry" + std::to_wstring(100 + i), L"C:\\x.bmp"});
        WriteStore(build, entries);
    };
}

Prepare KeysThatNeverOpenBeforeAGoodOne(int count) {
    return [count] {
        WriteStore(Orvmenu(), {{L"Z good", L"C:\\z.bmp"}});
        for (int i = 0; i < count; ++i)
            WriteDanglingLink(HKEY_LOCAL_MACHINE,
                              std::wstring(Orvmenu().storeKey) + L"\\A" + std::to_wstring(1000 + i));
    };
}

// "Language" in the branch of `build` (type REG_NONE: no branch at all), over an empty store.
Prepare Language(const BuildUnderTest& build, DWORD type, std::vector<BYTE> data) {
    return [&build, type, data] {
        DeleteTree(HKEY_LOCAL_MACHINE, build.branchKey);
        if (type != REG_NONE)
            WriteValue(HKEY_LOCAL_MACHINE, build.branchKey, L"Language", type, data.data(),
                       static_cast<DWORD>(data.size()));
    };
}

std::vector<BYTE> Dword(DWORD value) {
    return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

struct HostileCase {
    const char* name;
    const BuildUnderTest* build;
    Prepare prepare;
    std::set<std::wstring> leftOut; // store names that must not become entries
    size_t shown;                   // entries expected: the first this many of the rest, in store order
    std::string caption = kEnglish;
    UINT idCmdLast = kFirst + 100;
};

TEST(HostileStore, GivesASaneMenuWhateverTheStoreHolds) {
    std::vector<BYTE> unterminated = TextBytes(L"C:\\m.bmp");
    unterminated.resize(unterminated.size() - sizeof(wchar_t));
    const HostileCase cases[] = {
        {"100 subkeys, current build", &Orvmenu(), ManyEntries(Orvmenu(), 100), {}, 7},
        {"100 subkeys, older build", &Tslmenu(), ManyEntries(Tslmenu(), 100), {}, 6},
        {"name of 255 characters",
         &Orvmenu(),
         [] {
             WriteStore(Orvmenu(), {{std::wstring(255, L'n'), L"C:\\x.bmp"}});
         },
         {},
         1},
        {"default value is a number", &Orvmenu(), MiddleEntry(REG_DWORD, Dword(1)), {L"Middle"}, 2},
        {"default value is 1 MB of binary",
         &Orvmenu(),
         MiddleEntry(REG_BINARY, std::vector<BYTE>(1 << 20, 'x')),
         {L"Middle"},
         2},
        {"default value is 1 MB of text",
         &Orvmenu(),
         MiddleEntry(REG_SZ, TextBytes(std::wstring(1 << 19, L'x'))),
         {L"Middle"},
         2},
        {"path of 261 characters",
         &Orvmenu(),
         MiddleEntry(REG_SZ, TextBytes(PathOfLength(261))),
         {L"Middle"},
         2},
        {"path of 260 characters", &Orvmenu(), MiddleEntry(REG_SZ, TextBytes(PathOfLength(260))), {}, 3},
        {"text without its terminating NUL", &Orvmenu(), MiddleEntry(REG_SZ, unterminated), {}, 3},
        {"path as expandable text",
         &Orvmenu(),
         MiddleEntry(REG_EXPAND_SZ, TextBytes(L"%TEMP%\\m.bmp")),
         {},
         3},
        {"default value missing", &Orvmenu(), MiddleWithoutDefaultValue(), {}, 3},
        {"hundreds of keys that never open before a good one",
         &Orvmenu(),
         KeysThatNeverOpenBeforeAGoodOne(300),
         {},
         0},
        {"no store at all", &Orvmenu(), [] { DeleteTree(HKEY_LOCAL_MACHINE, Orvmenu().storeKey); }, {}, 0},
        {"Language 1", &Tslmenu(), Language(Tslmenu(), REG_DWORD, Dword(1)), {}, 0, kRussian1251},
        {"Language 0", &Tslmenu(), Language(Tslmenu(), REG_DWORD, Dword(0)), {}, 0},
        {"Language 2", &Tslmenu(), Language(Tslmenu(), REG_DWORD, Dword(2)), {}, 0},
        {"Language as text", &Tslmenu(), Language(Tslmenu(), REG_SZ, TextBytes(L"1")), {}, 0},
        {"Language as 8 bytes", &Tslmenu(), Language(Tslmenu(), REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0}), {}, 0},
        {"Language as a 2-byte number", &Tslmenu(), Language(Tslmenu(), REG_DWORD, {1, 0}), {}, 0},
        {"no branch", &Tslmenu(), Language(Tslmenu(), REG_NONE, {}), {}, 0},
        {"Language 1, current build ignores it", &Orvmenu(), Language(Orvmenu(), REG_DWORD, Dword(1)), {}, 0},
        {"room for two entries of seven", &Orvmenu(), ManyEntries(Orvmenu(), 7), {}, 2, kEnglish, kFirst + 2},
        {"room for the submenu item only", &Orvmenu(), ManyEntries(Orvmenu(), 7), {}, 0, kEnglish, kFirst},
    };

    ASSERT_EQ(RunRegsvr32(L"\"" + BinFolder() + Orvmenu().dll + L"\""), 0u);
    ASSERT_EQ(RunRegsvr32(L"\"" + BinFolder() + Tslmenu().dll + L"\""), 0u);
    for (const HostileCase& test : cases) {
        SCOPED_TRACE(test.name);
        test.prepare();
        std::vector<std::string> expected;
        for (const std::wstring& name : StoreOrder(*test.build))
            if (!test.leftOut.count(name) && expected.size() < test.shown) expected.push_back(Narrow(name));
        ASSERT_EQ(expected.size(), test.shown) << "the store holds too few entries for this case";
        expected.insert(expected.end(), {"-", "Edit..."});

        Handler handler;
        CreateHandler(*test.build, handler);
        ASSERT_EQ(handler.created, S_OK);
        Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
        ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
        HMENU menu = CreatePopupMenu();
        EXPECT_EQ(handler.menu->QueryContextMenu(menu, 0, kFirst, test.idCmdLast, CMF_NORMAL),
                  MenuResult(static_cast<int>(test.shown) + 1));
        const std::vector<MenuItem> top = ReadMenu(menu);
        ASSERT_EQ(top.size(), 1u);
        EXPECT_EQ(top[0].text, test.caption);
        const std::vector<MenuItem> sub = ReadMenu(top[0].submenu);
        EXPECT_EQ(Captions(sub), expected);
        for (const MenuItem& item : sub) {
            if (item.separator) continue;
            EXPECT_GE(item.id, kFirst);
            EXPECT_LE(item.id, test.idCmdLast) << "identifier beyond what the shell granted";
        }
        DestroyMenu(menu);
    }
    // No identifier at all granted: nothing is added.
    Handler handler;
    CreateHandler(Orvmenu(), handler);
    ASSERT_EQ(handler.created, S_OK);
    Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
    ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
    HMENU menu = CreatePopupMenu();
    EXPECT_EQ(handler.menu->QueryContextMenu(menu, 0, kFirst, kFirst - 1, CMF_NORMAL), MenuResult(0));
    EXPECT_EQ(GetMenuItemCount(menu), 0);
    DestroyMenu(menu);

    for (const BuildUnderTest* build : {&Orvmenu(), &Tslmenu()}) {
        DeleteTree(HKEY_LOCAL_MACHINE, build->branchKey);
        RunRegsvr32(L"/u \"" + BinFolder() + build->dll + L"\"");
    }
}

// Calls with arguments a careless or hostile caller might pass; none may touch anything.
TEST(HostileCalls, AreRefusedWithoutSideEffects) {
    ASSERT_EQ(RunRegsvr32(L"\"" + BinFolder() + Orvmenu().dll + L"\""), 0u);
    const std::wstring picture = TempFolder() + L"hostile.bmp";
    WriteBitmapFile(picture);
    WriteStore(Orvmenu(), {{L"One", picture}, {L"Two", picture}});
    Handler handler;
    CreateHandler(Orvmenu(), handler);
    ASSERT_EQ(handler.created, S_OK);
    Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
    ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
    HMENU menu = CreatePopupMenu();
    ASSERT_EQ(handler.menu->QueryContextMenu(menu, 0, kFirst, kFirst + 50, CMF_NORMAL), MenuResult(3));

    const struct {
        const char* name;
        std::function<HRESULT()> call;
        HRESULT expected;
    } invokes[] = {
        {"offset just beyond the entries",
         [&] {
             CMINVOKECOMMANDINFO info = {
                 sizeof(info), 0, nullptr, MAKEINTRESOURCEA(3), nullptr, nullptr, 0, 0, nullptr};
             return handler.menu->InvokeCommand(&info);
         },
         E_INVALIDARG},
        {"largest offset",
         [&] {
             CMINVOKECOMMANDINFO info = {
                 sizeof(info), 0, nullptr, MAKEINTRESOURCEA(0xFFFF), nullptr, nullptr, 0, 0, nullptr};
             return handler.menu->InvokeCommand(&info);
         },
         E_INVALIDARG},
        {"no command information", [&] { return handler.menu->InvokeCommand(nullptr); }, E_INVALIDARG},
        {"size too small to hold a verb",
         [&] {
             CMINVOKECOMMANDINFO info = {4, 0, nullptr, MAKEINTRESOURCEA(1), nullptr, nullptr, 0, 0, nullptr};
             return handler.menu->InvokeCommand(&info);
         },
         E_INVALIDARG},
    };
    for (const auto& test : invokes) {
        SCOPED_TRACE(test.name);
        SetCurrentWallpaper(L"untouched");
        EXPECT_EQ(test.call(), test.expected);
        EXPECT_EQ(Narrow(CurrentWallpaper()), "untouched");
    }

    const struct {
        const char* name;
        bool nullBuffer;
        UINT cchMax;
        HRESULT expected;
        std::string written;
    } helps[] = {
        {"null buffer", true, 64, E_INVALIDARG, ""},
        {"buffer of size 0", false, 0, E_INVALIDARG, "#########"},
        {"buffer of 1", false, 1, S_OK, std::string("\0########", 9)},
        {"buffer of 3", false, 3, S_OK, std::string("Or\0######", 9)},
        {"buffer of exactly 7", false, 7, S_OK, std::string("Orvane\0##", 9)},
    };
    for (const auto& test : helps) {
        SCOPED_TRACE(test.name);
        char buffer[9];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        EXPECT_EQ(handler.menu->GetCommandString(0, GCS_HELPTEXTA, nullptr,
                                                 test.nullBuffer ? nullptr : buffer, test.cchMax),
                  test.expected);
        if (!test.nullBuffer) {
            EXPECT_EQ(std::string(buffer, 9), test.written);
        }
    }

    // A QueryContextMenu without a menu adds nothing and reports so.
    EXPECT_EQ(handler.menu->QueryContextMenu(nullptr, 0, kFirst, kFirst + 50, CMF_NORMAL), MenuResult(0));
    DestroyMenu(menu);
    DeleteTree(HKEY_LOCAL_MACHINE, Orvmenu().storeKey);
    RunRegsvr32(L"/u \"" + BinFolder() + Orvmenu().dll + L"\"");
}

} // namespace

namespace {

// Where the system's ANSI code page is 1251 the older build's Russian caption reads correctly.
// Run by the shellhost_russian_caption test, which starts Wine with a Russian locale.
TEST(RussianCaption, ReadsCorrectlyUnderCodePage1251) {
    if (GetACP() != 1251) GTEST_SKIP() << "needs ANSI code page 1251, this run has " << GetACP();
    ASSERT_EQ(RunRegsvr32(L"\"" + BinFolder() + Tslmenu().dll + L"\""), 0u);
    WriteDword(HKEY_LOCAL_MACHINE, Tslmenu().branchKey, L"Language", 1);
    Handler handler;
    CreateHandler(Tslmenu(), handler);
    ASSERT_EQ(handler.created, S_OK);
    Pidl desktop = SpecialFolderPidl(CSIDL_DESKTOP);
    ASSERT_EQ(handler.init->Initialize(desktop.get(), nullptr, nullptr), S_OK);
    HMENU menu = CreatePopupMenu();
    ASSERT_EQ(handler.menu->QueryContextMenu(menu, 0, kFirst, kFirst + 50, CMF_NORMAL), MenuResult(1));

    wchar_t caption[64] = {};
    ASSERT_GT(GetMenuStringW(menu, 0, caption, 64, MF_BYPOSITION), 0);
    EXPECT_EQ(std::wstring(caption), L"\u0421\u043C\u0435\u043D\u0438\u0442\u044C \u043E\u0431\u043E\u0438");
    DestroyMenu(menu);
    DeleteTree(HKEY_LOCAL_MACHINE, Tslmenu().branchKey);
    RunRegsvr32(L"/u \"" + BinFolder() + Tslmenu().dll + L"\"");
}

} // namespace
