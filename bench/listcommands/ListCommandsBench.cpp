// list-open: Open List of a 100,000-entry list file on the real main window, until the list shows
// it, against reading the same file into rows alone. folder-scan-command: Add Folder(s) on the
// real window over a tree of 100,000 files in 1,000 folders (a quarter of them pictures), against a
// bare recursive FindFirstFileEx walk of the same tree. Both in the same process, medians of
// several runs. The dialogs are answered by a stand-in for the person.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/MainUnit.h"
#include "BenchSupport.h"
#include "lists/ListFile.h"
#include "platform/Registry.h"

namespace orv::bench {
namespace {

constexpr int kEntries = 100000, kRepeats = 9;
constexpr int kTopFolders = 10, kSubfolders = 99, kFilesPerFolder = 100;
constexpr int kFiles = kTopFolders * (1 + kSubfolders) * kFilesPerFolder; // 100,000

void PutFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    bool ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
              done == bytes.size();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    if (!ok) throw std::runtime_error("cannot write a benchmark file");
}

// Typical picture paths, a quarter of them with a blank (quoted in the file).
std::string MakeListBytes() {
    static const char* folders[] = {"C:\\Users\\Public\\Pictures\\Holidays 2019", "D:\\Photos\\2021\\Lake",
                                    "C:\\Users\\kestrel\\Pictures\\Wallpapers", "E:\\Camera\\DCIM\\100CANON"};
    std::string bytes;
    char line[256];
    for (int i = 0; i < kEntries; ++i) {
        const char* folder = folders[i % 4];
        bool quote = i % 4 == 0;
        std::snprintf(line, sizeof line, "\"IMG_%08d.jpg\",none,%s%s\\IMG_%08d.jpg%s\r\n", i,
                      quote ? "\"" : "", folder, i, quote ? "\"" : "");
        bytes += line;
    }
    return bytes;
}

// Ten folders of 99 subfolders each, 100 files in every one of the 1,000 folders.
void MakeTree(const std::wstring& root) {
    static const wchar_t* extensions[] = {L".jpg", L".txt", L".png", L".dat"};
    int folderNo = 0;
    for (int t = 0; t < kTopFolders; ++t) {
        for (int s = -1; s < kSubfolders; ++s) {
            std::wstring folder = root + L"\\Album " + std::to_wstring(t);
            if (s >= 0) folder += L"\\Day " + std::to_wstring(s);
            CreateDirectoryW(folder.c_str(), nullptr);
            for (int i = 0; i < kFilesPerFolder; ++i) {
                wchar_t name[64];
                swprintf(name, 64, L"\\IMG_%04d_%03d%ls", folderNo, i, extensions[i % 4]);
                HANDLE file =
                    CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
                if (file == INVALID_HANDLE_VALUE)
                    throw std::runtime_error("cannot create the benchmark tree");
                CloseHandle(file);
            }
            ++folderNo;
        }
    }
}

size_t BareWalk(const std::wstring& folder) {
    size_t files = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
        else if (wcscmp(data.cFileName, L".") && wcscmp(data.cFileName, L".."))
            files += BareWalk(folder + L"\\" + data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return files;
}

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + L"\\" + name);
            else
                DeleteFileW((folder + L"\\" + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

void Drain() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

void MeasureListOpen(TfrmORV& window, BenchHuman& human, const std::wstring& folder) {
    const std::wstring listFile = folder + L"\\big.lst";
    human.openFiles = {listFile};
    PutFile(listFile, MakeListBytes());
    std::vector<double> opens, reads;
    for (int r = 0; r < kRepeats; ++r) {
        // Both from the same start: no list held by the window.
        window.aNewList->Execute(); // a named, unchanged list asks nothing
        Drain();
        double start = NowMs();
        size_t read = 0;
        {
            ListRows rows;
            ReadListFile(listFile, rows);
            reads.push_back(NowMs() - start);
            read = rows.size();
        }

        start = NowMs();
        window.aOpenList->Execute();
        Drain(); // until the view has taken the rows
        opens.push_back(NowMs() - start);
        if (window.lvTSL.count() != static_cast<size_t>(kEntries) || read != static_cast<size_t>(kEntries))
            throw std::runtime_error("Open List showed " + std::to_string(window.lvTSL.count()) + " entries");
    }
    // Where the time goes, on stderr: for finding what to make faster.
    std::vector<double> t[3];
    for (int r = 0; r < kRepeats; ++r) {
        window.aNewList->Execute();
        Drain();
        double a = NowMs();
        window.OpenListFile();
        double b = NowMs();
        window.RefreshCommandState();
        double c = NowMs();
        Drain();
        double d = NowMs();
        double steps[] = {b - a, c - b, d - c};
        for (int i = 0; i < 3; ++i)
            t[i].push_back(steps[i]);
    }
    std::fprintf(stderr, "open %.1f, refresh %.1f, paint %.1f ms\n", Median(t[0]), Median(t[1]),
                 Median(t[2]));
    window.aNewList->Execute();
    DeleteFileW(listFile.c_str());
    PrintFigure("list-open", Median(opens), "ms", "reading the list file alone", Median(reads));
}

void MeasureFolderScan(TfrmORV& window, BenchHuman& human, const std::wstring& folder) {
    human.folder = folder + L"\\tree";
    CreateDirectoryW(human.folder.c_str(), nullptr);
    double start = NowMs();
    MakeTree(human.folder);
    std::fprintf(stderr, "tree of %d files made in %.1f s\n", kFiles, (NowMs() - start) / 1000.0);
    window.cbxSubDir.SetChecked(true);
    std::vector<double> scans, walks;
    for (int r = 0; r < kRepeats; ++r) {
        start = NowMs();
        size_t files = BareWalk(human.folder);
        walks.push_back(NowMs() - start);

        window.aNewList->Execute(); // the unnamed list is asked about; the stand-in says No
        Drain();
        start = NowMs();
        window.aAddFolder->Execute();
        Drain();
        scans.push_back(NowMs() - start);
        if (files != static_cast<size_t>(kFiles) || window.lvTSL.count() != static_cast<size_t>(kFiles / 4))
            throw std::runtime_error("Add Folder(s) added " + std::to_string(window.lvTSL.count()) +
                                     " entries");
    }
    // Where the time goes, on stderr.
    std::vector<double> t[2];
    for (int r = 0; r < kRepeats; ++r) {
        window.aNewList->Execute();
        double a = NowMs();
        window.ScanFolder(human.folder);
        double b = NowMs();
        window.AppendScannedFiles();
        double c = NowMs();
        t[0].push_back(b - a);
        t[1].push_back(c - b);
    }
    std::fprintf(stderr, "scan %.1f, append %.1f ms\n", Median(t[0]), Median(t[1]));
    window.aNewList->Execute();
    RemoveTree(human.folder);
    PrintFigure("folder-scan-command", Median(scans), "ms", "bare FindFirstFileEx walk", Median(walks));
}

// `only`: the one figure to measure ("list-open" or "folder-scan-command"), or all when empty.
void Run(const std::string& only) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    BenchHuman human;
    SetHuman(&human);

    std::wstring folder = TempFolderFor(L"orv-bench-list-commands");
    // The preview shows the desktop's wallpaper when nothing is selected: give it a small one.
    std::wstring wallpaper = folder + L"\\desktop.bmp";
    std::string bmp(54 + 4 * 4 * 3, '\0');
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(bmp.size()), 0, 0, 54};
    BITMAPINFOHEADER info{sizeof(info), 4, 4, 1, 24, BI_RGB, 48, 0, 0, 0, 0};
    memcpy(bmp.data(), &file, sizeof file);
    memcpy(bmp.data() + sizeof file, &info, sizeof info);
    PutFile(wallpaper, bmp);
    RegKey::Create(HKEY_CURRENT_USER, kDesktopKey).WriteString(L"Wallpaper", wallpaper);

    std::wstring programFolder = folder + L"\\Program";
    CreateDirectoryW(programFolder.c_str(), nullptr);
    auto window = std::make_unique<TfrmORV>(programFolder + L"\\ORV.exe");
    Drain();

    if (only.empty() || only == "list-open") MeasureListOpen(*window, human, folder);
    if (only.empty() || only == "folder-scan-command") MeasureFolderScan(*window, human, folder);

    window.reset();
    Drain();
    SetHuman(nullptr);
    RemoveTree(folder);
}

} // namespace
} // namespace orv::bench

int main(int argc, char** argv) {
    return orv::bench::RunBench("list-commands", [&] { orv::bench::Run(argc > 1 ? argv[1] : ""); });
}
