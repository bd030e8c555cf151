// folder-scan and scan-memory: Add Folder(s) over a tree of 100,000 files in 1,000 folders (a
// quarter of them pictures), that is the scan plus appending the found pictures as rows, against
// a bare recursive FindFirstFileEx/FindNextFile walk of the same tree in the same process; and
// the memory that 100,000 added entries hold.
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "lists/FolderScan.h"
#include "platform/FileIO.h"
#include "platform/Text.h"
#include "ui/ListRows.h"

namespace orv::bench {
namespace {

constexpr int kTopFolders = 10, kSubfolders = 99, kFilesPerFolder = 100, kRepeats = 5;
constexpr int kFolders = kTopFolders * (1 + kSubfolders);  // 1,000
constexpr int kPictures = kFolders * kFilesPerFolder / 4;  // 25,000

void MakeFiles(const std::wstring& folder, int folderNo) {
    static const wchar_t* extensions[] = {L".jpg", L".txt", L".png", L".dat", L".JPG", L".gif", L".xml", L".db",
                                          L".jpeg", L".doc", L".avi", L".ini", L".bmp", L".mp3", L".pdf", L".log"};
    for (int i = 0; i < kFilesPerFolder; ++i) {
        wchar_t name[64];
        swprintf(name, 64, L"\\IMG_%04d_%03d%ls", folderNo, i, extensions[i % 16]);
        HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create the benchmark tree");
        CloseHandle(file);
    }
}

// Ten folders of 99 subfolders each, 100 files in every one of the 1,000 folders.
void MakeTree(const std::wstring& root) {
    int folderNo = 0;
    for (int t = 0; t < kTopFolders; ++t) {
        std::wstring top = root + L"\\Album " + std::to_wstring(t);
        CreateDirectoryW(top.c_str(), nullptr);
        MakeFiles(top, folderNo++);
        for (int s = 0; s < kSubfolders; ++s) {
            std::wstring sub = top + L"\\Day " + std::to_wstring(s);
            CreateDirectoryW(sub.c_str(), nullptr);
            MakeFiles(sub, folderNo++);
        }
    }
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(folder + L"\\" + name);
            else DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

// The reference: the least a recursive walk of the tree does.
size_t BareWalk(const std::wstring& folder) {
    size_t files = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
        else if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L".."))
            files += BareWalk(folder + L"\\" + data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

// What Add Folder(s) does: scan, then one row per picture (file name, "none", full path).
void AddFolder(const std::wstring& root, ListRows& rows) {
    std::vector<std::wstring> paths;
    ScanFolderInto(root, true, paths);
    rows.Reserve(paths.size(), 0);
    for (const std::wstring& path : paths) rows.Append(FileNamePart(path), {L"none", FullPathOf(path)});
}

void Run() {
    std::wstring root = TempFolderFor(L"orv-bench-scan");
    double start = NowMs();
    MakeTree(root);
    std::fprintf(stderr, "tree of %d files in %d folders made in %.1f s\n", kFolders * kFilesPerFolder, kFolders,
                 (NowMs() - start) / 1000.0);
    if (BareWalk(root) != static_cast<size_t>(kFolders * kFilesPerFolder)) throw std::runtime_error("tree incomplete");

    // Memory: four Add Folder(s) of the tree's 25,000 pictures give 100,000 entries.
    size_t before = CommittedPrivateBytes();
    ListRows held;
    for (int i = 0; i < 4; ++i) AddFolder(root, held);
    size_t after = CommittedPrivateBytes();
    double committedMb = static_cast<double>(after - before) / 1048576.0;
    std::fprintf(stderr, "entries: %zu; ListRows::BytesHeld %.1f MB; committed private bytes %.1f MB more\n",
                 held.size(), held.BytesHeld() / 1048576.0, committedMb);

    std::vector<double> scans, walks;
    for (int r = 0; r < kRepeats; ++r) {
        start = NowMs();
        size_t files = BareWalk(root);
        walks.push_back(NowMs() - start);
        ListRows rows;
        start = NowMs();
        AddFolder(root, rows);
        scans.push_back(NowMs() - start);
        if (rows.size() != static_cast<size_t>(kPictures) || files != static_cast<size_t>(kFolders * kFilesPerFolder))
            throw std::runtime_error("scan found " + std::to_string(rows.size()) + " pictures");
    }
    PrintFigure("folder-scan", Median(scans), "ms", "bare FindFirstFileEx walk", Median(walks));
    PrintFigure("scan-memory", committedMb, "MB", "budget", 40.0);
    RemoveTree(root);
}

} // namespace
} // namespace orv::bench

int main() {
    return orv::bench::RunBench("folder-scan", [&] { orv::bench::Run(); });
}
