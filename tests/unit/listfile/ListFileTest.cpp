// Reading and writing list files on real files under Wine: the exact bytes, the error texts with
// the full path and the system's text, paths outside the ANSI code page, and saves that fail
// without touching the old file.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "lists/ListFile.h"
#include "platform/AppError.h"

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

std::string Visible(std::string_view bytes) {
    std::string out;
    static const char hex[] = "0123456789ABCDEF";
    for (unsigned char b : bytes) {
        if (b >= 32 && b < 127) out += static_cast<char>(b);
        else { out += "\\x"; out += hex[b >> 4]; out += hex[b & 15]; }
    }
    return out;
}

// The system's text for a code, trimmed of its line break, as the error texts carry it.
std::wstring SystemText(DWORD code) {
    wchar_t buffer[512] = {};
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer, 512, nullptr);
    std::wstring text(buffer, n);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return text;
}

std::wstring OpenError(const std::wstring& path, DWORD code) {
    return L"Cannot open file \"" + path + L"\". " + SystemText(code);
}
std::wstring CreateError(const std::wstring& path, DWORD code) {
    return L"Cannot create file \"" + path + L"\". " + SystemText(code);
}

// A fresh folder of the test's own, removed with everything in it afterwards.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& parent = L"") {
        std::wstring base = parent;
        if (base.empty()) {
            wchar_t temp[MAX_PATH];
            base.assign(temp, GetTempPathW(MAX_PATH, temp));
        }
        if (!base.empty() && base.back() != L'\\') base += L'\\';
        static int counter = 0;
        path_ = base + L"orv-listfile-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        if (!CreateDirectoryW(path_.c_str(), nullptr)) ADD_FAILURE() << "cannot create " << Narrow(path_);
    }
    ~TempFolder() { RemoveTree(path_); }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
    const std::wstring& path() const { return path_; }

    // Names in the folder, for checking that no temporary file was left.
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring name = data.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return names;
    }

private:
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = data.cFileName, path = folder + L"\\" + name;
                if (name == L"." || name == L"..") continue;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
                else DeleteFileW(path.c_str());
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }
    std::wstring path_;
};

std::string FileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<cannot open: " + std::to_string(GetLastError()) + ">";
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

void PutFile(const std::wstring& path, std::string_view bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << Narrow(path);
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr));
    CloseHandle(file);
}

struct Entry {
    std::wstring caption, comment, path;
};

ListRows RowsOf(const std::vector<Entry>& entries) {
    ListRows rows;
    for (const Entry& e : entries) rows.Append(e.caption, {e.comment, e.path});
    return rows;
}

std::string Describe(const ListRows& rows) {
    std::string out;
    for (size_t i = 0; i < rows.size(); ++i) {
        out += '{';
        out += Narrow(rows.Caption(i));
        for (size_t k = 0; k < rows.SubItemCount(i); ++k) {
            out += " | ";
            out += Narrow(rows.SubItem(i, k));
        }
        out += '}';
    }
    return out;
}

// The text of the AppError that `action` throws, or a note that it threw none.
template <typename F>
std::wstring ErrorOf(F action) {
    try {
        action();
    } catch (const AppError& e) {
        return e.text();
    }
    return L"<no error>";
}

const std::vector<Entry> kWorkedExample = {
    {L"sunset.jpg", L"none", L"C:\\Pictures\\sunset.jpg"},
    {L"my cat.bmp", L"none", L"D:\\Photos 2007\\my cat.bmp"},
    {L"a,b.jpeg", L"none", L"E:\\x\\a,b.jpeg"},
};
const char kWorkedExampleBytes[] =
    "\"sunset.jpg\",none,C:\\Pictures\\sunset.jpg\r\n"
    "\"my cat.bmp\",none,\"D:\\Photos 2007\\my cat.bmp\"\r\n"
    "\"a,b.jpeg\",none,\"E:\\x\\a,b.jpeg\"\r\n";

TEST(ListFileOnDisk, WritesExactBytesAndReadsThemBack) {
    TempFolder folder;
    std::wstring path = folder / L"pictures.lst";
    WriteListFile(path, RowsOf(kWorkedExample));
    EXPECT_EQ(Visible(FileBytes(path)), Visible(kWorkedExampleBytes));

    ListRows rows;
    ReadListFile(path, rows);
    EXPECT_EQ(Describe(rows), Describe(RowsOf(kWorkedExample)));
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"pictures.lst"}) << "no temporary file is left";
}

TEST(ListFileOnDisk, ReplacesALongerFileWhole) {
    TempFolder folder;
    std::wstring path = folder / L"pictures.lst";
    PutFile(path, std::string(5000, 'x'));
    WriteListFile(path, RowsOf({{L"a.jpg", L"none", L"C:\\a.jpg"}}));
    EXPECT_EQ(Visible(FileBytes(path)), Visible("\"a.jpg\",none,C:\\a.jpg\r\n"));
    WriteListFile(path, ListRows());
    EXPECT_EQ(FileBytes(path).size(), 0u) << "an empty list is an empty file";
}

TEST(ListFileOnDisk, ReadingAppendsAndAnEmptyFileAddsNothing) {
    TempFolder folder;
    std::wstring path = folder / L"pictures.lst", empty = folder / L"empty.lst";
    PutFile(path, kWorkedExampleBytes);
    PutFile(empty, "");
    ListRows rows = RowsOf({{L"first.jpg", L"none", L"C:\\first.jpg"}});
    ReadListFile(empty, rows);
    ReadListFile(path, rows);
    std::vector<Entry> expected = {{L"first.jpg", L"none", L"C:\\first.jpg"}};
    expected.insert(expected.end(), kWorkedExample.begin(), kWorkedExample.end());
    EXPECT_EQ(Describe(rows), Describe(RowsOf(expected)));
}

TEST(ListFileOnDisk, ErrorsNameTheFullPathAndTheSystemText) {
    TempFolder folder;
    std::wstring missingFolder = folder / L"no such folder";
    std::wstring readOnly = folder / L"read-only.lst";
    PutFile(readOnly, "\"old.jpg\",none,C:\\old.jpg\r\n");
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    CreateDirectoryW((folder / L"a folder.lst").c_str(), nullptr);
    ListRows rows = RowsOf(kWorkedExample);

    struct Case {
        const char* name;
        std::wstring error, expected;
    } cases[] = {
        {"read a missing file", ErrorOf([&] { ListRows r; ReadListFile(folder / L"missing.lst", r); }),
         OpenError(folder / L"missing.lst", ERROR_FILE_NOT_FOUND)},
        {"read in a missing folder", ErrorOf([&] { ListRows r; ReadListFile(missingFolder + L"\\x.lst", r); }),
         OpenError(missingFolder + L"\\x.lst", ERROR_PATH_NOT_FOUND)},
        {"write in a missing folder", ErrorOf([&] { WriteListFile(missingFolder + L"\\x.lst", rows); }),
         CreateError(missingFolder + L"\\x.lst", ERROR_PATH_NOT_FOUND)},
        {"write a read-only file", ErrorOf([&] { WriteListFile(readOnly, rows); }),
         CreateError(readOnly, ERROR_ACCESS_DENIED)},
        {"write over a folder", ErrorOf([&] { WriteListFile(folder / L"a folder.lst", rows); }),
         CreateError(folder / L"a folder.lst", ERROR_ACCESS_DENIED)},
        {"write to an empty path", ErrorOf([&] { WriteListFile(L"", rows); }), CreateError(L"", ERROR_PATH_NOT_FOUND)},
    };
    for (const Case& c : cases) EXPECT_EQ(Narrow(c.error), Narrow(c.expected)) << c.name;
    EXPECT_EQ(Visible(FileBytes(readOnly)), Visible("\"old.jpg\",none,C:\\old.jpg\r\n")) << "the read-only file is untouched";
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(ListFileOnDisk, AFailedReadAddsNothing) {
    TempFolder folder;
    ListRows rows = RowsOf({{L"kept.jpg", L"none", L"C:\\kept.jpg"}});
    std::wstring error = ErrorOf([&] { ReadListFile(folder / L"missing.lst", rows); });
    EXPECT_EQ(Narrow(error), Narrow(OpenError(folder / L"missing.lst", ERROR_FILE_NOT_FOUND)));
    EXPECT_EQ(Describe(rows), Describe(RowsOf({{L"kept.jpg", L"none", L"C:\\kept.jpg"}})));
}

// Another program writing the file keeps it from being read; the reader lets others read along.
TEST(ListFileOnDisk, SharingWhileReading) {
    TempFolder folder;
    std::wstring path = folder / L"busy.lst";
    PutFile(path, kWorkedExampleBytes);
    {
        HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(writer, INVALID_HANDLE_VALUE);
        std::wstring error = ErrorOf([&] { ListRows r; ReadListFile(path, r); });
        CloseHandle(writer);
        EXPECT_EQ(Narrow(error), Narrow(OpenError(path, ERROR_SHARING_VIOLATION)));
    }
    {
        HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(reader, INVALID_HANDLE_VALUE);
        ListRows rows;
        std::wstring error = ErrorOf([&] { ReadListFile(path, rows); });
        CloseHandle(reader);
        EXPECT_EQ(Narrow(error), "<no error>");
        EXPECT_EQ(rows.size(), 3u);
    }
}

TEST(ListFileOnDisk, ARelativePathIsReportedInFull) {
    TempFolder folder;
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.path().c_str()));
    std::wstring error = ErrorOf([] { ListRows r; ReadListFile(L"missing.lst", r); });
    SetCurrentDirectoryW(before);
    EXPECT_EQ(Narrow(error), Narrow(OpenError(folder / L"missing.lst", ERROR_FILE_NOT_FOUND)));
}

// Pictures whose paths the ANSI code page cannot hold are kept: such a list is written as UTF-8
// after a byte-order mark, in a folder whose own name is outside the code page as well.
TEST(ListFileOnDisk, PathsOutsideTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 1252u) << "the cases below assume Wine's default code page";
    TempFolder folder;
    std::wstring sub = folder / L"\u0424\u043E\u0442\u043E \u5199\u771F";
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    std::wstring path = sub + L"\\\u0441\u043F\u0438\u0441\u043E\u043A.lst";
    std::vector<Entry> entries = {
        {L"\u0434\u043E\u043C.jpg", L"none", L"C:\\\u0424\u043E\u0442\u043E\\\u0434\u043E\u043C.jpg"},
        {L"\u5199\u771F.bmp", L"none", L"C:\\a b\\\u5199\u771F.bmp"},
        {L"caf\u00E9.jpg", L"none", L"C:\\caf\u00E9.jpg"},
    };
    WriteListFile(path, RowsOf(entries));
    EXPECT_EQ(Visible(FileBytes(path)),
              Visible("\xEF\xBB\xBF"
                      "\"\xD0\xB4\xD0\xBE\xD0\xBC.jpg\",none,C:\\\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE\\\xD0\xB4\xD0\xBE\xD0\xBC.jpg\r\n"
                      "\"\xE5\x86\x99\xE7\x9C\x9F.bmp\",none,\"C:\\a b\\\xE5\x86\x99\xE7\x9C\x9F.bmp\"\r\n"
                      "\"caf\xC3\xA9.jpg\",none,C:\\caf\xC3\xA9.jpg\r\n"));
    ListRows rows;
    ReadListFile(path, rows);
    EXPECT_EQ(Describe(rows), Describe(RowsOf(entries)));

    // The same list without them stays in the code page, byte for byte.
    entries.erase(entries.begin(), entries.begin() + 2);
    WriteListFile(path, RowsOf(entries));
    EXPECT_EQ(Visible(FileBytes(path)), Visible("\"caf\xE9.jpg\",none,C:\\caf\xE9.jpg\r\n"));
}

// One picture outside the code page, far down a long list, makes the whole file UTF-8.
TEST(ListFileOnDisk, OnePathOutsideTheCodePageFarDownTheList) {
    TempFolder folder;
    std::wstring path = folder / L"long.lst";
    ListRows rows;
    std::string expected = "\xEF\xBB\xBF";
    for (int i = 0; i < 5000; ++i) {
        std::wstring name = L"p" + std::to_wstring(i) + (i == 4321 ? L"\u0416.jpg" : L".jpg");
        rows.Append(name, {L"none", L"C:\\Pictures\\" + name});
        std::string bytes = "p";
        bytes += std::to_string(i);
        bytes += i == 4321 ? "\xD0\x96.jpg" : ".jpg";
        expected += '"';
        expected += bytes;
        expected += "\",none,C:\\Pictures\\";
        expected += bytes;
        expected += "\r\n";
    }
    WriteListFile(path, rows);
    std::string written = FileBytes(path);
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected) << "the file differs from the expected UTF-8 text";
    ListRows back;
    ReadListFile(path, back);
    EXPECT_EQ(Describe(back), Describe(rows));
}

// The tiny volume that CTest mounts around this test, as a Windows path; empty when absent.
std::wstring TinyVolume(std::string& whyNot) {
    char unixPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("ORV_TINY_VOLUME", unixPath, MAX_PATH)) {
        whyNot = "ORV_TINY_VOLUME is not set (the tiny volume is mounted by CTest's fixture)";
        return L"";
    }
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    if (GetFileAttributesW((path + L"\\.tiny-volume").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::string reason = FileBytes(path + L".reason");
        if (reason.starts_with("<cannot open")) reason = "the mount fixture did not run";
        while (!reason.empty() && reason.back() == '\n') reason.pop_back();
        whyNot = "no tiny volume at " + std::string(unixPath) + ": " + reason;
        return L"";
    }
    return path;
}

// A save that fills the disk midway reports the error and leaves the old file exactly as it was,
// with no temporary file left beside it.
TEST(ListFileOnDisk, ASaveThatFillsTheDiskKeepsTheOldFile) {
    std::string whyNot;
    std::wstring volume = TinyVolume(whyNot);
    if (volume.empty()) GTEST_SKIP() << whyNot;
    TempFolder folder(volume);
    std::wstring path = folder / L"pictures.lst";
    PutFile(path, kWorkedExampleBytes);

    ListRows big;
    for (int i = 0; i < 3000; ++i) {
        std::wstring name = L"picture " + std::to_wstring(i) + L".jpg";
        big.Append(name, {L"none", L"C:\\Pictures\\Holiday\\" + name});
    }
    std::wstring error = ErrorOf([&] { WriteListFile(path, big); });
    EXPECT_EQ(Narrow(error), "Stream write error");
    EXPECT_EQ(Visible(FileBytes(path)), Visible(kWorkedExampleBytes)) << "the old file is kept byte for byte";
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"pictures.lst"}) << "no temporary file is left";

    // A list that fits still saves there.
    WriteListFile(path, RowsOf({{L"a.jpg", L"none", L"C:\\a.jpg"}}));
    EXPECT_EQ(Visible(FileBytes(path)), Visible("\"a.jpg\",none,C:\\a.jpg\r\n"));
}

} // namespace
} // namespace orv
