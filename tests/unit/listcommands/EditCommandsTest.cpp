// Add Item(s), Add Folder(s), Delete Item and Clear List on a real window, with real picture
// files and folder trees.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <cwctype>

#include "ListCommandsSupport.h"

namespace orv::test {
namespace {

class EditCommandsTest : public ListWindowTest {
  protected:
    // A fresh window on page 2, with both flags clear.
    TfrmORV& OpenClean() {
        TfrmORV& w = Open();
        w.ShowPage(2);
        w.state.listModified = w.state.profileModified = false;
        return w;
    }
};

std::string Flags(const TfrmORV& w) {
    return std::string("list-modified ") + (w.state.listModified ? "set" : "clear") + ", profile-modified " +
           (w.state.profileModified ? "set" : "clear");
}

TEST_F(EditCommandsTest, AddItemsAppendsOneEntryPerChosenFileInTheDialogsOrder) {
    TfrmORV& w = OpenClean();
    Fill(w, L"c");
    MakeFolder(pictures + L"sub");
    // The same file twice gives two entries; a path with a relative part is kept in full form.
    human.openAnswers.push_back(
        std::vector<std::wstring>{Picture(L'b'), Picture(L'a'), pictures + L"sub\\..\\c.bmp", Picture(L'b')});
    w.aAddItems->Execute();

    EXPECT_EQ(Describe(w.lvTSL.rows()), RowsOf(L"cbacb"));
    EXPECT_EQ(Flags(w), "list-modified set, profile-modified set");
    EXPECT_EQ(w.pcTSL.activePage(), 0);
    EXPECT_EQ(Narrow(w.sbTSL.Text(kListPanel)), "No Name");
}

TEST_F(EditCommandsTest, ThePictureDialogAsSetUp) {
    TfrmORV& w = OpenClean();
    human.openAnswers.push_back(std::nullopt);
    w.aAddItems->Execute();
    ASSERT_EQ(human.openSpecs.size(), 1u);
    const FileDialogSpec& dialog = human.openSpecs[0];
    EXPECT_EQ(Narrow(dialog.filter),
              "All (*.jpg;*.jpeg;*.bmp;)|*.jpg;*.jpeg;*.bmp;|JPEG Image File (*.jpg)|*.jpg|"
              "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(Narrow(dialog.defaultExt), "*.jpg");
    EXPECT_EQ(Narrow(dialog.initialPath), "");
    EXPECT_EQ(dialog.options, DWORD(OFN_READONLY | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ALLOWMULTISELECT |
                                  OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST));
    EXPECT_EQ(dialog.bufferChars, 65519u);
}

TEST_F(EditCommandsTest, CancelledDialogsAddNothingAndLeaveTheFlags) {
    TfrmORV& w = OpenClean();
    Fill(w, L"a");
    human.openAnswers.push_back(std::nullopt);
    w.aAddItems->Execute();
    human.folderAnswers.push_back(std::nullopt);
    w.aAddFolder->Execute();
    EXPECT_EQ(Describe(w.lvTSL.rows()), RowsOf(L"a"));
    EXPECT_EQ(Flags(w), "list-modified clear, profile-modified clear");
    EXPECT_EQ(w.pcTSL.activePage(), 0);
    ASSERT_EQ(human.asked.size(), 2u);
    EXPECT_EQ(human.asked[1], (Asked{L"Folder", L"Select Folder...", L"", 0}));
}

// What the folder holds as the file system lists it, depth-first: an independent walk for the
// expected order, with the extension rule for plain ASCII names.
void ExpectedWalk(const std::wstring& folder, bool subfolders, std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName, path = folder + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (subfolders) ExpectedWalk(path, subfolders, out);
            continue;
        }
        std::wstring ext = name.substr(std::min(name.size(), name.find_last_of(L'.')));
        std::transform(ext.begin(), ext.end(), ext.begin(), towupper);
        if (ext == L".JPG" || ext == L".JPEG" || ext == L".BMP") out.push_back(path);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

std::string EntriesFor(const std::vector<std::wstring>& paths) {
    std::string out;
    for (const std::wstring& p : paths)
        out += Narrow(p.substr(p.find_last_of(L'\\') + 1)) + " | none | " + Narrow(p) + "\n";
    return out;
}

std::vector<std::wstring> SortedNames(const ListRows& rows) {
    std::vector<std::wstring> names;
    for (size_t i = 0; i < rows.size(); ++i)
        names.emplace_back(rows.Caption(i));
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(EditCommandsTest, AddFolderWithAndWithoutSubfolders) {
    std::wstring root = folder.path() + L"Album";
    for (const wchar_t* sub : {L"", L"\\Day 1", L"\\Day 1\\Evening", L"\\.hidden", L"\\empty"})
        MakeFolder(root + sub);
    for (const wchar_t* file :
         {L"\\x.jpg", L"\\notes.txt", L"\\y.JPEG", L"\\z.jpe", L"\\.jpg", L"\\w.jpeg.txt", L"\\Day 1\\v.Bmp",
          L"\\Day 1\\Evening\\u.jpg", L"\\.hidden\\t.jpg", L"\\s.gif"})
        WriteBytes(root + file, "not really a picture");
    SetFileAttributesW((root + L"\\.hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((root + L"\\y.JPEG").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    struct Case {
        bool subfolders;
        std::vector<std::wstring> names;
    } cases[] = {
        {false, {L".jpg", L"x.jpg", L"y.JPEG"}},
        {true, {L".jpg", L"t.jpg", L"u.jpg", L"v.Bmp", L"x.jpg", L"y.JPEG"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subfolders ? "Include Subfolders" : "this folder only");
        Discard();
        TfrmORV& w = OpenClean();
        w.cbxSubDir.SetChecked(c.subfolders);
        w.state.listModified = w.state.profileModified = false;
        Fill(w, L"a");
        human.folderAnswers.push_back(root);
        w.aAddFolder->Execute();

        std::vector<std::wstring> expected;
        ExpectedWalk(root, c.subfolders, expected);
        EXPECT_EQ(Describe(w.lvTSL.rows()), RowsOf(L"a") + EntriesFor(expected));
        w.lvTSL.Delete(0);
        std::vector<std::wstring> names = SortedNames(w.lvTSL.rows());
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(Flags(w), "list-modified set, profile-modified set");
        EXPECT_TRUE(w.state.scanPaths.empty());
        EXPECT_TRUE(w.state.scanComments.empty());
        EXPECT_EQ(w.pcTSL.activePage(), 0);
    }
}

TEST_F(EditCommandsTest, TwoScansInARowEachAppendItsOwnPictures) {
    std::wstring first = folder.path() + L"First", second = folder.path() + L"Second";
    MakeFolder(first);
    MakeFolder(second);
    WriteBytes(first + L"\\one.jpg", "x");
    WriteBytes(second + L"\\two.bmp", "x");
    TfrmORV& w = OpenClean();
    human.folderAnswers = {first, second, first};
    w.aAddFolder->Execute();
    w.aAddFolder->Execute();
    w.aAddFolder->Execute();
    EXPECT_EQ(Describe(w.lvTSL.rows()),
              EntriesFor({first + L"\\one.jpg", second + L"\\two.bmp", first + L"\\one.jpg"}));
}

TEST_F(EditCommandsTest, AFolderWithoutPicturesStillSetsBothFlags) {
    std::wstring empty = folder.path() + L"Nothing here";
    MakeFolder(empty + L"\\deeper");
    WriteBytes(empty + L"\\readme.txt", "x");
    TfrmORV& w = OpenClean();
    w.cbxSubDir.SetChecked(true);
    w.state.listModified = w.state.profileModified = false;
    human.folderAnswers = {empty, folder.path() + L"vanished"};
    w.aAddFolder->Execute();
    EXPECT_EQ(w.lvTSL.count(), 0u);
    EXPECT_EQ(Flags(w), "list-modified set, profile-modified set");
    // A folder gone by the time it is scanned: nothing, no message, flags set all the same.
    w.state.listModified = w.state.profileModified = false;
    w.aAddFolder->Execute();
    EXPECT_EQ(w.lvTSL.count(), 0u);
    EXPECT_EQ(Flags(w), "list-modified set, profile-modified set");
}

// A drive root ends in "\" already: one separator after the drive. The throw-away prefix's C:
// root holds no other pictures.
TEST_F(EditCommandsTest, ADriveRootGivesASingleSeparator) {
    std::wstring name = L"orv-root-" + std::to_wstring(GetCurrentProcessId()) + L".jpg";
    WriteBytes(L"C:\\" + name, "x");
    TfrmORV& w = OpenClean();
    w.cbxSubDir.SetChecked(false); // the prefix's C: holds a whole user profile below
    human.folderAnswers.push_back(std::wstring(L"C:\\"));
    w.aAddFolder->Execute();
    DeleteFileW((L"C:\\" + name).c_str());
    EXPECT_EQ(Describe(w.lvTSL.rows()), Narrow(name) + " | none | C:\\" + Narrow(name) + "\n");
}

// The tree the CTest fixture makes from Unix links, which Wine shows as folder links: one leads
// back to the root, one across to a sibling, one outside the tree, one nowhere.
std::wstring LinkTree() {
    char unixPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("ORV_LISTCOMMANDS_LINK_TREE", unixPath, MAX_PATH)) return L"";
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p)
        path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return FileExists(path + L"\\top.jpg") ? path : L"";
}

TEST_F(EditCommandsTest, FolderLinksBackIntoTheTreeNeitherLoopNorAddTwice) {
    std::wstring root = LinkTree();
    if (root.empty()) GTEST_SKIP() << "the link tree is made by the CTest fixture";
    DWORD link = GetFileAttributesW((root + L"\\a\\back-to-root").c_str());
    ASSERT_NE(link, INVALID_FILE_ATTRIBUTES);
    ASSERT_NE(link & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "Wine shows the link as a folder link";
    TfrmORV& w = OpenClean();
    w.cbxSubDir.SetChecked(true);
    human.folderAnswers.push_back(root);
    w.aAddFolder->Execute();
    EXPECT_EQ(SortedNames(w.lvTSL.rows()),
              (std::vector<std::wstring>{L"far.jpg", L"in-a.jpg", L"in-b.bmp", L"top.jpg"}))
        << Describe(w.lvTSL.rows());
}

TEST_F(EditCommandsTest, DeleteItemRemovesTheSelectedEntryAndSetsTheFlagsEitherWay) {
    TfrmORV& w = OpenClean();
    Fill(w, L"abc");
    w.aRemoveItem->SetEnabled(true); // whatever the refresh made of it: the handler is under test
    w.aRemoveItemExecute();
    EXPECT_EQ(Describe(w.lvTSL.rows()), RowsOf(L"abc"));
    EXPECT_EQ(Flags(w), "list-modified set, profile-modified set");
    EXPECT_EQ(w.pcTSL.activePage(), 0);

    w.state.listModified = w.state.profileModified = false;
    w.lvTSL.Select(1);
    w.aRemoveItemExecute();
    EXPECT_EQ(Describe(w.lvTSL.rows()), RowsOf(L"ac"));
    EXPECT_EQ(w.lvTSL.selected(), -1);
    EXPECT_EQ(Flags(w), "list-modified set, profile-modified set");
}

TEST_F(EditCommandsTest, ClearListKeepsTheListsFileAndSaveThenWritesAnEmptyFile) {
    std::wstring list = folder.path() + L"kept.lst";
    WriteBytes(list, FileOf(L"ab"));
    TfrmORV& w = OpenClean();
    human.openAnswers.push_back(std::vector<std::wstring>{list});
    w.aOpenList->Execute();
    ASSERT_EQ(w.lvTSL.count(), 2u);
    w.state.profileModified = false;
    w.ShowPage(2);

    w.aClearListExecute();
    EXPECT_EQ(w.lvTSL.count(), 0u);
    EXPECT_EQ(Narrow(w.sbTSL.Text(kListPanel)), "kept.lst");
    EXPECT_EQ(Narrow(w.state.currentListPath), Narrow(list));
    EXPECT_EQ(Flags(w), "list-modified set, profile-modified set");
    EXPECT_EQ(w.pcTSL.activePage(), 0);

    w.aSaveListExecute();
    EXPECT_EQ(ReadBytes(list), "");
    EXPECT_FALSE(w.state.listModified);
}

} // namespace
} // namespace orv::test
