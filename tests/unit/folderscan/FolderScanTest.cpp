// The folder scan on real trees under Wine: which names count as pictures, the order of the
// results (the file system's, depth-first), hidden and system entries, the separator after a
// drive root, unreadable folders, and folder links that lead back into the tree.
#include <gtest/gtest.h>

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lists/FolderScan.h"

namespace orv {
namespace {

std::string Narrow(std::wstring_view text) {
    std::string out;
    for (wchar_t c : text) {
        if (c >= 32 && c < 127) out += static_cast<char>(c);
        else out += "\\x{" + std::to_string(static_cast<unsigned>(c)) + "}";
    }
    return out;
}

std::string Lines(const std::vector<std::wstring>& paths) {
    std::string out;
    for (const std::wstring& p : paths) {
        out += Narrow(p);
        out += '\n';
    }
    return out;
}

std::vector<std::wstring> Sorted(std::vector<std::wstring> v) {
    std::sort(v.begin(), v.end());
    return v;
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName, path = folder + L"\\" + name;
            if (name == L"." || name == L"..") continue;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) RemoveDirectoryW(path.c_str());  // the link only
            else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// A tree built from a list of entries ("sub\" marks a folder), removed afterwards.
class Tree {
public:
    Tree() {
        wchar_t temp[MAX_PATH];
        std::wstring base(temp, GetTempPathW(MAX_PATH, temp));
        static int counter = 0;
        root_ = base + L"orv-scan-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        EXPECT_TRUE(CreateDirectoryW(root_.c_str(), nullptr)) << Narrow(root_);
    }
    ~Tree() { RemoveTree(root_); }
    const std::wstring& root() const { return root_; }
    std::wstring operator/(const std::wstring& relative) const { return root_ + L"\\" + relative; }

    void Add(const std::wstring& relative, DWORD attributes = 0) {
        std::wstring path = *this / relative;
        if (path.back() == L'\\') {
            path.pop_back();
            ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << Narrow(path);
        } else {
            HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE) << Narrow(path);
            CloseHandle(file);
        }
        if (attributes) {
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes)) << Narrow(path);
        }
    }

private:
    std::wstring root_;
};

// What the scan should give, worked out independently: a plain FindFirstFileW walk that takes
// the names the test itself declares to be pictures, entering every folder that is no link.
void ExpectedWalk(const std::wstring& folder, const std::vector<std::wstring>& pictureNames, bool subfolders,
                  std::vector<std::wstring>& out) {
    std::wstring prefix = folder.back() == L'\\' ? folder : folder + L"\\";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((prefix + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (subfolders && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                ExpectedWalk(prefix + name, pictureNames, subfolders, out);
        } else if (std::find(pictureNames.begin(), pictureNames.end(), name) != pictureNames.end()) {
            out.push_back(prefix + name);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

std::vector<std::wstring> Scan(const std::wstring& folder, bool subfolders) {
    std::vector<std::wstring> paths;
    ScanFolderInto(folder, subfolders, paths);
    return paths;
}

TEST(PictureFileName, ExtensionTable) {
    struct Case {
        const wchar_t* name;
        bool picture;
    } cases[] = {
        {L"x.jpg", true}, {L"x.JPG", true}, {L"x.Jpeg", true}, {L"x.jpeg", true}, {L"a.bmp", true},
        {L"a.BmP", true}, {L".jpg", true}, {L".JPEG", true}, {L"my.holiday.jpg", true}, {L"a:b.jpg", true},
        {L"x.jpe", false}, {L"x.jfif", false}, {L"x.gif", false}, {L"x.png", false}, {L"x.jpeg.txt", false},
        {L"jpg", false}, {L"x.", false}, {L"x.jpgx", false}, {L"x.jp", false}, {L"x.jpg ", false},
        {L"", false}, {L"dir.jpg\\file", false}, {L"C:x.jpg\\y", false}, {L"x.jpg:stream", false},
        {L"x.\u0131pg", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsPictureFileName(c.name), c.picture) << "name \"" << Narrow(c.name) << "\"";
}

// A tree with pictures and other files at three levels.
void BuildMixedTree(Tree& tree) {
    for (const wchar_t* entry :
         {L"a.jpg", L"b.txt", L"sub\\", L"sub\\c.JPEG", L"sub\\d.gif", L"sub\\deeper\\", L"sub\\deeper\\e.bmp",
          L"sub\\deeper\\f.Jpg", L"z.bmp", L".jpg", L"x.jpeg.txt", L"y.jfif", L"w.jpe", L"v.png", L"empty\\",
          L"noext", L"dotted.folder.jpg\\", L"dotted.folder.jpg\\g.jpg", L"last\\", L"last\\h.jpeg"})
        tree.Add(entry);
}
const std::vector<std::wstring> kMixedPictures = {L"a.jpg", L"c.JPEG", L"e.bmp", L"f.Jpg", L"z.bmp",
                                                  L".jpg", L"g.jpg", L"h.jpeg"};

TEST(FolderScan, FindsThePicturesDepthFirstInTheFileSystemsOrder) {
    Tree tree;
    BuildMixedTree(tree);
    std::vector<std::wstring> expected;
    ExpectedWalk(tree.root(), kMixedPictures, true, expected);
    std::vector<std::wstring> found = Scan(tree.root(), true);
    EXPECT_EQ(Lines(found), Lines(expected));
    EXPECT_EQ(Lines(Sorted(found)),
              Lines(Sorted({tree / L"a.jpg", tree / L"sub\\c.JPEG", tree / L"sub\\deeper\\e.bmp",
                            tree / L"sub\\deeper\\f.Jpg", tree / L"z.bmp", tree / L".jpg",
                            tree / L"dotted.folder.jpg\\g.jpg", tree / L"last\\h.jpeg"})));
}

TEST(FolderScan, WithoutSubfoldersOnlyTheFolderItself) {
    Tree tree;
    BuildMixedTree(tree);
    std::vector<std::wstring> expected;
    ExpectedWalk(tree.root(), kMixedPictures, false, expected);
    std::vector<std::wstring> found = Scan(tree.root(), false);
    EXPECT_EQ(Lines(found), Lines(expected));
    EXPECT_EQ(Lines(Sorted(found)), Lines(Sorted({tree / L"a.jpg", tree / L"z.bmp", tree / L".jpg"})));
}

// The pictures of a subfolder sit between the entries listed before and after it.
TEST(FolderScan, SubfolderPicturesComeWhereTheSubfolderIsListed) {
    Tree tree;
    for (const wchar_t* entry : {L"1.jpg", L"2.jpg", L"3.jpg", L"m\\", L"m\\m1.jpg", L"m\\m2.jpg", L"4.jpg", L"5.jpg"})
        tree.Add(entry);
    std::vector<std::wstring> found = Scan(tree.root(), true);
    ASSERT_EQ(found.size(), 7u) << Lines(found);
    auto first = std::find(found.begin(), found.end(), tree / L"m\\m1.jpg");
    auto second = std::find(found.begin(), found.end(), tree / L"m\\m2.jpg");
    ASSERT_TRUE(first != found.end() && second != found.end()) << Lines(found);
    EXPECT_EQ(std::abs(first - second), 1) << "the subfolder's pictures are together:\n" << Lines(found);

    // Which top-level pictures come before them is the order the folder lists its entries in.
    std::vector<std::wstring> listedBefore;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((tree / L"*").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        if (std::wstring(data.cFileName) == L"m") break;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) listedBefore.push_back(tree / data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::vector<std::wstring> foundBefore(found.begin(), std::min(first, second));
    EXPECT_EQ(Lines(foundBefore), Lines(listedBefore));
}

TEST(FolderScan, HiddenAndSystemEntriesCount) {
    Tree tree;
    tree.Add(L"hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
    tree.Add(L"system.bmp", FILE_ATTRIBUTE_SYSTEM);
    tree.Add(L"both.jpeg", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
    tree.Add(L"secret\\");
    tree.Add(L"secret\\inside.jpg");
    SetFileAttributesW((tree / L"secret").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    for (const wchar_t* name : {L"hidden.jpg", L"both.jpeg", L"secret"})
        ASSERT_NE(GetFileAttributesW((tree / name).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u) << "the file system keeps " << Narrow(name) << " hidden";
    EXPECT_EQ(Lines(Sorted(Scan(tree.root(), true))),
              Lines(Sorted({tree / L"hidden.jpg", tree / L"system.bmp", tree / L"both.jpeg", tree / L"secret\\inside.jpg"})));
}

TEST(FolderScan, AFolderEndingInABackslashGetsNoSecondOne) {
    Tree tree;
    tree.Add(L"a.jpg");
    tree.Add(L"sub\\");
    tree.Add(L"sub\\b.jpg");
    EXPECT_EQ(Lines(Sorted(Scan(tree.root() + L"\\", true))), Lines(Sorted({tree / L"a.jpg", tree / L"sub\\b.jpg"})));
}

// A drive root already ends in "\": its pictures are "C:\x.jpg", never "C:\\x.jpg". The test runs
// in a throw-away Wine prefix, whose C: root holds no other pictures.
TEST(FolderScan, DriveRootPaths) {
    std::wstring name = L"orv-root-" + std::to_wstring(GetCurrentProcessId()) + L".jpg";
    HANDLE file = CreateFileW((L"C:\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create C:\\" << Narrow(name);
    CloseHandle(file);
    std::vector<std::wstring> found = Scan(L"C:\\", false);
    DeleteFileW((L"C:\\" + name).c_str());
    EXPECT_EQ(Lines(found), Lines({L"C:\\" + name}));
}

TEST(FolderScan, AFolderThatCannotBeEnumeratedAddsNothing) {
    Tree tree;
    std::vector<std::wstring> paths = {L"kept"};
    ScanFolderInto(tree / L"no such folder", true, paths);
    ScanFolderInto(tree / L"a.jpg", true, paths);  // not even there
    EXPECT_EQ(Lines(paths), Lines({L"kept"}));
}

TEST(FolderScan, AppendsToWhatIsThereAndScansAgain) {
    Tree tree;
    tree.Add(L"a.jpg");
    std::vector<std::wstring> paths = {L"earlier"};
    ScanFolderInto(tree.root(), true, paths);
    ScanFolderInto(tree.root(), true, paths);
    EXPECT_EQ(Lines(paths), Lines({L"earlier", tree / L"a.jpg", tree / L"a.jpg"}));
}

// The mount-point reparse data (the SDK declares it only for drivers).
struct MountPointData {
    DWORD tag;
    WORD dataLength, reserved;
    WORD substituteOffset, substituteLength, printOffset, printLength;
    wchar_t names[1];
};

// A junction (mount point) at `link`, an empty folder made here, leading to `target`.
DWORD MakeJunction(const std::wstring& link, const std::wstring& target) {
    if (!CreateDirectoryW(link.c_str(), nullptr)) return GetLastError();
    std::wstring substitute = L"\\??\\" + target;
    // Both names, each with its terminating NUL, one after the other.
    std::wstring names = substitute + L'\0' + target + L'\0';
    size_t header = offsetof(MountPointData, names);
    std::vector<BYTE> buffer(header + names.size() * sizeof(wchar_t));
    auto* data = reinterpret_cast<MountPointData*>(buffer.data());
    data->tag = IO_REPARSE_TAG_MOUNT_POINT;
    data->dataLength = static_cast<WORD>(buffer.size() - offsetof(MountPointData, substituteOffset));
    data->substituteOffset = 0;
    data->substituteLength = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    data->printOffset = static_cast<WORD>((substitute.size() + 1) * sizeof(wchar_t));
    data->printLength = static_cast<WORD>(target.size() * sizeof(wchar_t));
    memcpy(buffer.data() + header, names.data(), names.size() * sizeof(wchar_t));

    HANDLE handle = CreateFileW(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer.data(), static_cast<DWORD>(buffer.size()),
                              nullptr, 0, &returned, nullptr);
    DWORD error = ok ? 0 : GetLastError();
    CloseHandle(handle);
    if (error) RemoveDirectoryW(link.c_str());
    return error;
}

// The loop test's tree in Windows terms; empty when it is not there.
std::wstring LinkTreeFromFixture(std::string& whyNot) {
    char unixPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("ORV_LINK_TREE", unixPath, MAX_PATH)) {
        whyNot = "ORV_LINK_TREE is not set (CTest's fixture makes the tree)";
        return L"";
    }
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    if (GetFileAttributesW((path + L"\\top.jpg").c_str()) == INVALID_FILE_ATTRIBUTES) {
        whyNot = "the fixture's tree is missing";
        return L"";
    }
    return path;
}

// Links back to the root, across to a sibling and to nowhere: every picture exactly once, and the
// scan ends. A link to a folder outside the tree is followed like a folder. The tree is made with
// junctions where the system can; under Wine it comes from the fixture's Unix links.
TEST(FolderScan, FolderLinksNeitherLoopNorAddTwice) {
    Tree tree, outside;
    std::wstring root = tree.root();
    for (const wchar_t* entry : {L"top.jpg", L"a\\", L"a\\in-a.jpg", L"b\\", L"b\\in-b.bmp"}) tree.Add(entry);
    outside.Add(L"far.jpg");
    DWORD error = MakeJunction(tree / L"a\\back-to-root", tree.root());
    if (error == 0) {
        ASSERT_EQ(MakeJunction(tree / L"b\\to-a", tree / L"a"), 0u);
        ASSERT_EQ(MakeJunction(tree / L"b\\to-outside", outside.root()), 0u);
        ASSERT_EQ(MakeJunction(tree / L"b\\dangling", tree / L"no-such-folder"), 0u);
    } else {
        std::string whyNot;
        root = LinkTreeFromFixture(whyNot);
        if (root.empty()) GTEST_SKIP() << "no junctions here (error " << error << ") and " << whyNot;
    }
    DWORD attributes = GetFileAttributesW((root + L"\\a\\back-to-root").c_str());
    ASSERT_EQ(attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
              DWORD(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
        << "the link shows as a folder link";

    std::vector<std::wstring> found = Scan(root, true);
    std::vector<std::wstring> names;
    for (const std::wstring& p : found) names.push_back(p.substr(p.find_last_of(L'\\') + 1));
    EXPECT_EQ(Lines(Sorted(names)), Lines(Sorted({L"top.jpg", L"in-a.jpg", L"in-b.bmp", L"far.jpg"}))) << Lines(found);
    EXPECT_NE(std::find(found.begin(), found.end(), root + L"\\b\\to-outside\\far.jpg"), found.end()) << Lines(found);
}

} // namespace
} // namespace orv
