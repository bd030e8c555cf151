// The registry wrapper against the real Wine registry, under a scratch key.
#include <algorithm>

#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "platform/Registry.h"

namespace orv {
namespace {

constexpr wchar_t kScratch[] = L"Software\\OrvaneRegistryTest";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegKey::DeleteTree(HKEY_CURRENT_USER, kScratch); }
    void TearDown() override { RegKey::DeleteTree(HKEY_CURRENT_USER, kScratch); }
};

TEST_F(RegistryTest, StringsReadAsStoredAndOtherTypesAreRefusedByName) {
    RegKey key = RegKey::Create(HKEY_CURRENT_USER, kScratch);
    ASSERT_TRUE(key);
    key.WriteString(L"", L"C:\\pictures\\a.jpg");
    const wchar_t expand[] = L"%WINDIR%\\x.bmp";
    RegSetValueExW(key.handle(), L"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof(expand));
    key.WriteDword(L"Number", 7);
    // A string stored without its terminating NUL still reads whole.
    const wchar_t bare[] = {L'a', L'b'};
    RegSetValueExW(key.handle(), L"Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(bare), sizeof(bare));

    EXPECT_EQ(key.ReadString(L""), L"C:\\pictures\\a.jpg");
    EXPECT_EQ(key.ReadString(L"Expand"), L"%WINDIR%\\x.bmp");  // not expanded
    EXPECT_EQ(key.ReadString(L"Bare"), L"ab");
    EXPECT_EQ(key.ReadString(L"Missing"), std::nullopt);
    EXPECT_EQ(key.ReadDword(L"Number"), 7u);
    EXPECT_EQ(key.ReadDword(L""), std::nullopt);
    try {
        key.ReadString(L"Number");
        FAIL() << "a DWORD read as a string";
    } catch (const AppError& e) {
        EXPECT_EQ(e.text(), L"Invalid data type for 'Number'");
    }
}

TEST_F(RegistryTest, SubkeysAreListedAndDeletedWithTheirChildren) {
    std::wstring base = kScratch;
    for (const wchar_t* name : {L"Sunset", L"Harbour", L"Meadow"}) RegKey::Create(HKEY_CURRENT_USER, base + L"\\" + name);
    RegKey::Create(HKEY_CURRENT_USER, base + L"\\Harbour\\Deep\\Deeper");
    auto names = RegKey::Open(HKEY_CURRENT_USER, base).SubkeyNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Harbour", L"Meadow", L"Sunset"}));
    EXPECT_TRUE(RegKey::DeleteTree(HKEY_CURRENT_USER, base + L"\\Harbour"));
    EXPECT_FALSE(RegKey::Open(HKEY_CURRENT_USER, base + L"\\Harbour"));
    EXPECT_TRUE(RegKey::Open(HKEY_CURRENT_USER, base + L"\\Meadow"));
    EXPECT_FALSE(RegKey::DeleteTree(HKEY_CURRENT_USER, L""));  // never a whole root
}

TEST_F(RegistryTest, AKeyThatCannotBeOpenedIsEmptyNotAnError) {
    RegKey missing = RegKey::Open(HKEY_CURRENT_USER, L"Software\\OrvaneRegistryTest\\Nope");
    EXPECT_FALSE(missing);
    EXPECT_TRUE(missing.SubkeyNames().empty());
    EXPECT_EQ(missing.ReadString(L""), std::nullopt);
    EXPECT_THROW(missing.WriteString(L"Path", L"x"), AppError);
    // A leading backslash names the same key.
    RegKey::Create(HKEY_CURRENT_USER, kScratch);
    EXPECT_TRUE(RegKey::Open(HKEY_CURRENT_USER, L"\\Software\\OrvaneRegistryTest"));
}

} // namespace
} // namespace orv
