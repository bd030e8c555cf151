// Deleting a profile folder: every kind of entry goes, a file in use is reported and stays, and
// links are removed without reaching what they lead to.
#include "profiles/FolderTree.h"
#include "support/MainWindowFixture.h"

namespace orv::test {
namespace {

class FolderTreeTest : public MainWindowTest {
  protected:
    std::wstring root; // the profile folder, without a trailing "\"
    void SetUp() override {
        MainWindowTest::SetUp();
        root = folder.path() + L"Trip";
        MakeFolder(root);
    }
    void File(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_ARCHIVE) {
        WriteBytes(root + L"\\" + name, "x");
        SetFileAttributesW((root + L"\\" + name).c_str(), attributes);
    }
    void Folder(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_DIRECTORY) {
        MakeFolder(root + L"\\" + name);
        SetFileAttributesW((root + L"\\" + name).c_str(), attributes);
    }
};

TEST_F(FolderTreeTest, DeletesEveryKindOfEntry) {
    File(L"Trip.ini");
    File(L"read-only.txt", FILE_ATTRIBUTE_READONLY);
    File(L"hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    File(L"plain.txt", FILE_ATTRIBUTE_NORMAL);
    Folder(L"archived", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE); // attribute value 48
    File(L"archived\\in.txt", FILE_ATTRIBUTE_READONLY);
    Folder(L"archived\\hidden", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);
    File(L"archived\\hidden\\deep.txt");
    Folder(L"read-only folder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY);
    File(L"read-only folder\\x.txt");
    Folder(L"empty");
    // Wine keeps no archive bit on folders; Windows does (attribute value 48), and such a folder
    // must not stay behind.
    DWORD archived = GetFileAttributesW((root + L"\\archived").c_str());
    DWORD hidden = GetFileAttributesW((root + L"\\archived\\hidden").c_str());
    RecordProperty("archived folder attributes", static_cast<int>(archived));
    RecordProperty("hidden folder attributes", static_cast<int>(hidden));
    EXPECT_TRUE(DeleteFolderTree(root));
    EXPECT_FALSE(FolderExists(root));
    EXPECT_EQ(human.asked.size(), 0u);
}

TEST_F(FolderTreeTest, AFileInUseIsReportedAndKeepsItsFolders) {
    File(L"Trip.ini");
    Folder(L"sub");
    File(L"sub\\locked.txt");
    File(L"sub\\free.txt");
    std::wstring locked = root + L"\\sub\\locked.txt";
    HANDLE handle = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    human.answers.push_back(IDOK);
    bool removed = DeleteFolderTree(root);
    CloseHandle(handle);
    EXPECT_FALSE(removed);
    ASSERT_EQ(human.asked.size(), 1u);
    EXPECT_EQ(human.asked[0].text, L"Could NOT delete " + locked);
    EXPECT_EQ(human.asked[0].flags & 0xF, UINT(MB_OK));
    EXPECT_TRUE(FileExists(locked));
    EXPECT_FALSE(FileExists(root + L"\\sub\\free.txt"));
    EXPECT_FALSE(FileExists(root + L"\\Trip.ini"));
    EXPECT_TRUE(DeleteFolderTree(root)) << "once the file is free the rest goes";
}

TEST_F(FolderTreeTest, AMissingFolderIsNotRemoved) {
    EXPECT_FALSE(DeleteFolderTree(folder.path() + L"no such folder"));
    EXPECT_EQ(human.asked.size(), 0u);
}

// Links to a folder and to a file outside the profile folder: both links go, their targets stay.
TEST_F(FolderTreeTest, LinksAreRemovedWithoutTouchingTheirTargets) {
    TempFolder outsideFolder;
    std::wstring outside = outsideFolder.path() + L"pictures";
    MakeFolder(outside);
    WriteBytes(outside + L"\\keep.txt", "keep");
    WriteBytes(outsideFolder.path() + L"note.txt", "note");
    File(L"Trip.ini");
    std::wstring folderLink = root + L"\\pictures", fileLink = root + L"\\note.txt";
    if (!CreateSymbolicLinkW(folderLink.c_str(), outside.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY))
        GTEST_SKIP() << "no folder links here (error " << GetLastError() << ")";
    ASSERT_TRUE(CreateSymbolicLinkW(fileLink.c_str(), (outsideFolder.path() + L"note.txt").c_str(), 0));
    ASSERT_EQ(GetFileAttributesW(folderLink.c_str()) &
                  (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT),
              DWORD(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        << "the link shows as a folder link";
    human.answers.assign(4, IDOK); // a report would show up in the questions
    EXPECT_TRUE(DeleteFolderTree(root));
    EXPECT_EQ(human.Questions(), std::vector<std::wstring>{});
    human.answers.clear();
    EXPECT_FALSE(FolderExists(root));
    EXPECT_EQ(ReadBytes(outside + L"\\keep.txt"), "keep");
    EXPECT_EQ(ReadBytes(outsideFolder.path() + L"note.txt"), "note");
}

} // namespace
} // namespace orv::test
