// Registration as the shell's installer does it: Wine's own regsvr32 against the built libraries,
// then the registry read back row by row.
#include <gtest/gtest.h>

#include "shellhost/ShellHostSupport.h"
#include "shellmenu/Registration.h"

using namespace shellhost;

namespace {

constexpr wchar_t kApprovedKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

struct ExpectedRow {
    HKEY root;
    std::wstring key;
    const wchar_t* name;
    std::wstring data;
};

std::vector<ExpectedRow> ExpectedRows(const BuildUnderTest& build, const std::wstring& library) {
    const std::wstring classKey = std::wstring(L"CLSID\\") + build.clsidText;
    const std::wstring shellex = std::wstring(build.fileClass) + L"\\shellex";
    std::vector<ExpectedRow> rows = {
        {HKEY_CLASSES_ROOT, classKey, nullptr, build.description},
        {HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", nullptr, library},
        {HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {HKEY_CLASSES_ROOT, shellex, nullptr, L""},
        {HKEY_CLASSES_ROOT, shellex + L"\\ContextMenuHandlers", nullptr, L""},
        {HKEY_CLASSES_ROOT, shellex + L"\\ContextMenuHandlers\\ContMenu", nullptr, build.clsidText},
    };
    for (const std::wstring& extension : build.extensions)
        rows.push_back({HKEY_CLASSES_ROOT, extension, nullptr, build.fileClass});
    rows.push_back({HKEY_LOCAL_MACHINE, kApprovedKey, build.clsidText, build.approvedData});
    return rows;
}

std::wstring Upper(std::wstring text) {
    CharUpperW(text.data());
    return text;
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// The file classes the extensions name before a test registers anything.
void SetUserAssociations() {
    WriteText(HKEY_CLASSES_ROOT, L".jpg", nullptr, L"jpegfile");
    WriteText(HKEY_CLASSES_ROOT, L".bmp", nullptr, L"Paint.Picture");
}

class RegistrationByRegsvr32 : public ::testing::TestWithParam<const BuildUnderTest*> {};

TEST_P(RegistrationByRegsvr32, WritesEveryRowAndUnregistrationRemovesOnlyItsKeys) {
    const BuildUnderTest& build = *GetParam();
    SetUserAssociations();
    const std::wstring library = BinFolder() + build.dll;

    ASSERT_EQ(RunRegsvr32(Quoted(library)), 0u) << "regsvr32 failed to register " << build.name;
    for (const ExpectedRow& row : ExpectedRows(build, library)) {
        const auto data = ReadText(row.root, row.key, row.name);
        ASSERT_TRUE(data.has_value())
            << "missing value '" << Narrow(row.name ? row.name : L"") << "' of " << Narrow(row.key);
        EXPECT_EQ(Narrow(Upper(*data)), Narrow(Upper(row.data))) << "value of " << Narrow(row.key);
    }

    // An extension the build does not claim keeps its file class.
    if (build.extensions.size() == 1) {
        EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, L".bmp").value_or(L"<none>"), L"Paint.Picture");
    }

    ASSERT_EQ(RunRegsvr32(L"/u " + Quoted(library)), 0u);
    const std::wstring classKey = std::wstring(L"CLSID\\") + build.clsidText;
    const std::wstring shellex = std::wstring(build.fileClass) + L"\\shellex";
    for (const std::wstring& removed : {classKey, classKey + L"\\InprocServer32", shellex})
        EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, removed)) << Narrow(removed) << " is still there";
    // Kept on purpose: the file class key itself and the Approved value.
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, build.fileClass));
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kApprovedKey, build.clsidText).value_or(L"<none>"),
              build.approvedData);
    // The extensions name the user's file classes again.
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, L".jpg").value_or(L"<none>"), L"jpegfile");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, L".bmp").value_or(L"<none>"), L"Paint.Picture");

    // A second unregistration finds nothing to delete and still succeeds.
    EXPECT_EQ(RunRegsvr32(L"/u " + Quoted(library)), 0u);
    HMODULE module = LoadLibraryW(library.c_str());
    ASSERT_NE(module, nullptr);
    auto unregister = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllUnregisterServer")));
    ASSERT_NE(unregister, nullptr);
    EXPECT_EQ(unregister(), S_OK);
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(Builds, RegistrationByRegsvr32, ::testing::Values(&Orvmenu(), &Tslmenu()),
                         [](const auto& info) { return std::string(info.param->name); });

TEST(Registration, LibraryInAFolderWithABlankIsRegisteredUnderItsShortPath) {
    const std::wstring folder = TempFolder() + L"dir with blank\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* file : {L"orvmenu.dll", L"SetWallpaper.dll"})
        ASSERT_TRUE(CopyFileW((BinFolder() + file).c_str(), (folder + file).c_str(), FALSE));
    const std::wstring library = folder + L"orvmenu.dll";

    ASSERT_EQ(RunRegsvr32(Quoted(library)), 0u);
    const std::wstring registered =
        ReadText(HKEY_CLASSES_ROOT, std::wstring(L"CLSID\\") + Orvmenu().clsidText + L"\\InprocServer32")
            .value_or(L"");
    RunRegsvr32(L"/u " + Quoted(library));

    EXPECT_EQ(registered.find(L' '), std::wstring::npos) << "registered path: " << Narrow(registered);
    wchar_t longForm[MAX_PATH * 2] = {};
    ASSERT_NE(GetLongPathNameW(registered.c_str(), longForm, MAX_PATH * 2), 0u)
        << "registered path names no file: " << Narrow(registered);
    EXPECT_EQ(Narrow(Upper(longForm)), Narrow(Upper(library)));
}

// Registration takes ".jpg" (and ".bmp") over; unregistration gives back what was there, also when
// both builds were registered and are removed in either order.
struct AssociationCase {
    const char* name;
    std::vector<std::pair<const BuildUnderTest*, bool>> steps; // build, register (else unregister)
    const wchar_t* jpgBefore;                                  // null: no ".jpg" key at all
    const wchar_t* jpgAfter;                                   // null: no ".jpg" key at all
};

TEST(Registration, UnregistrationGivesTheExtensionsBackTheirFileClasses) {
    const AssociationCase cases[] = {
        {"one build", {{&Orvmenu(), true}, {&Orvmenu(), false}}, L"jpegfile", L"jpegfile"},
        {"registered twice",
         {{&Orvmenu(), true}, {&Orvmenu(), true}, {&Orvmenu(), false}},
         L"jpegfile",
         L"jpegfile"},
        {"both, first removed first",
         {{&Orvmenu(), true}, {&Tslmenu(), true}, {&Orvmenu(), false}, {&Tslmenu(), false}},
         L"jpegfile",
         L"jpegfile"},
        {"both, last removed first",
         {{&Orvmenu(), true}, {&Tslmenu(), true}, {&Tslmenu(), false}, {&Orvmenu(), false}},
         L"jpegfile",
         L"jpegfile"},
        {"no association before", {{&Tslmenu(), true}, {&Tslmenu(), false}}, nullptr, nullptr},
        {"only one of two removed",
         {{&Orvmenu(), true}, {&Tslmenu(), true}, {&Orvmenu(), false}},
         L"jpegfile",
         L"TSL"},
        {"last registered wins", {{&Tslmenu(), true}, {&Orvmenu(), true}}, L"jpegfile", L"ORV"},
    };
    for (const AssociationCase& test : cases) {
        SCOPED_TRACE(test.name);
        RunRegsvr32(L"/u " + Quoted(BinFolder() + Orvmenu().dll));
        RunRegsvr32(L"/u " + Quoted(BinFolder() + Tslmenu().dll));
        DeleteTree(HKEY_CLASSES_ROOT, L".jpg");
        if (test.jpgBefore) WriteText(HKEY_CLASSES_ROOT, L".jpg", nullptr, test.jpgBefore);
        WriteText(HKEY_CLASSES_ROOT, L".bmp", nullptr, L"Paint.Picture");

        for (const auto& [build, registers] : test.steps)
            ASSERT_EQ(RunRegsvr32((registers ? L"" : L"/u ") + Quoted(BinFolder() + build->dll)), 0u);

        if (test.jpgAfter)
            EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, L".jpg").value_or(L"<none>"), test.jpgAfter);
        else
            EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, L".jpg")) << "\".jpg\" was created and left behind";
    }
    RunRegsvr32(L"/u " + Quoted(BinFolder() + Orvmenu().dll));
    RunRegsvr32(L"/u " + Quoted(BinFolder() + Tslmenu().dll));
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, L".bmp").value_or(L"<none>"), L"Paint.Picture");
}

// The table itself, aimed at scratch roots (the library's code linked in directly).
class ScratchRoots : public ::testing::Test {
  protected:
    const std::wstring base = L"Software\\OrvaneScratch";
    HKEY classes = nullptr;
    HKEY machine = nullptr;
    void SetUp() override {
        DeleteTree(HKEY_CURRENT_USER, base);
        RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"\\classes").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &classes, nullptr);
        RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"\\machine").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &machine, nullptr);
    }
    void TearDown() override {
        RegCloseKey(classes);
        RegCloseKey(machine);
        DeleteTree(HKEY_CURRENT_USER, base);
    }
};

TEST_F(ScratchRoots, ApprovedValueOnlyOnNtFamilySystems) {
    const struct {
        bool ntFamily;
        bool approved;
    } cases[] = {{true, true}, {false, false}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.ntFamily ? "NT family" : "outside the NT family");
        RegDeleteTreeW(machine, nullptr);
        EXPECT_EQ(orv::shellmenu::RegisterHandler({classes, machine}, L"C:\\lib\\orvmenu.dll", test.ntFamily),
                  S_OK);
        EXPECT_EQ(ReadText(classes, L".bmp").value_or(L"<none>"), L"ORV");
        EXPECT_EQ(ReadText(machine, kApprovedKey, Orvmenu().clsidText).has_value(), test.approved);
    }
}

TEST_F(ScratchRoots, FirstFailingRowEndsRegistrationAndEarlierRowsStay) {
    // Below a volatile key no lasting key can be created: the Approved row (the last) fails there.
    HKEY volatileMachine = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"\\volatile").c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &volatileMachine, nullptr),
              ERROR_SUCCESS);
    const HRESULT result =
        orv::shellmenu::RegisterHandler({classes, volatileMachine}, L"C:\\lib\\orvmenu.dll", true);
    RegCloseKey(volatileMachine);

    EXPECT_EQ(result, E_FAIL);
    EXPECT_EQ(ReadText(classes, L"ORV\\shellex\\ContextMenuHandlers\\ContMenu").value_or(L"<none>"),
              Orvmenu().clsidText);
    EXPECT_EQ(ReadText(classes, L".bmp").value_or(L"<none>"), L"ORV");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + L"\\volatile\\SOFTWARE"));

    // And when the very first row fails, nothing at all is written.
    HKEY volatileClasses = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"\\volatile2").c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &volatileClasses, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(orv::shellmenu::RegisterHandler({volatileClasses, machine}, L"C:\\lib\\orvmenu.dll", true),
              E_FAIL);
    RegCloseKey(volatileClasses);
    EXPECT_EQ(SubkeyNames(HKEY_CURRENT_USER, base + L"\\volatile2"), std::vector<std::wstring>{});
    EXPECT_EQ(SubkeyNames(machine, L""), std::vector<std::wstring>{});
}

TEST_F(ScratchRoots, UnregistrationWalksTheTableBack) {
    WriteText(classes, L".jpg", nullptr, L"jpegfile");
    ASSERT_EQ(orv::shellmenu::RegisterHandler({classes, machine}, L"C:\\lib\\orvmenu.dll", true), S_OK);
    EXPECT_EQ(ReadText(classes, L"ORV", L"PreviousFileClass.jpg").value_or(L"<none>"), L"jpegfile");
    EXPECT_EQ(orv::shellmenu::UnregisterHandler({classes, machine}), S_OK);

    EXPECT_EQ(SubkeyNames(classes, L"CLSID"), std::vector<std::wstring>{});
    EXPECT_EQ(SubkeyNames(classes, L"ORV"), std::vector<std::wstring>{});
    EXPECT_FALSE(ReadText(classes, L"ORV", L"PreviousFileClass.jpg").has_value());
    EXPECT_EQ(ReadText(classes, L".jpg").value_or(L"<none>"), L"jpegfile");
    EXPECT_FALSE(KeyExists(classes, L".bmp")) << "\".bmp\" did not exist before registration";
}

} // namespace
