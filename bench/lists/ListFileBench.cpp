// list-read, list-write and list-memory: a 100,000-entry list file of typical picture paths
// (about 8 MB) read into the wallpaper list's rows, written back, and the memory the rows hold.
// Each time is the median of several runs, measured against one plain Win32 call on the same
// bytes in the same process.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "lists/ListFile.h"
#include "platform/FileIO.h"

namespace orv::bench {
namespace {

constexpr int kEntries = 100000;
constexpr int kRepeats = 7;

// Paths as people keep them: a few folder shapes, some with blanks (quoted in the file).
std::string MakeListBytes() {
    static const char* folders[] = {
        "C:\\Users\\Public\\Pictures\\Holidays 2019\\Summer",
        "D:\\Photos\\2021\\2021-07 Lake District",
        "C:\\Users\\kestrel\\Pictures\\Wallpapers\\Landscapes",
        "E:\\Archive\\Camera\\DCIM\\100CANON",
    };
    static const char* extensions[] = {".jpg", ".JPG", ".jpeg", ".bmp"};
    std::string bytes;
    bytes.reserve(9u << 20);
    char name[64];
    for (int i = 0; i < kEntries; ++i) {
        std::snprintf(name, sizeof name, "IMG_%08d_%04d%s", 20190000 + i / 7, i % 9973, extensions[i % 4]);
        std::string folder = folders[i % 4];
        std::string path = folder + "\\" + name;
        bool quote = path.find(' ') != std::string::npos;
        bytes += "\"";
        bytes += name;
        bytes += "\",none,";
        bytes += quote ? "\"" + path + "\"" : path;
        bytes += "\r\n";
    }
    return bytes;
}

void PutFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr))
        throw std::runtime_error("cannot write the generated list");
    CloseHandle(file);
}

// The reference for reading: the whole file with one ReadFile call.
double ReadWithOneCall(const std::wstring& path, size_t size) {
    std::unique_ptr<char[]> buffer(new char[size]);
    double start = NowMs();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD got = 0;
    ReadFile(file, buffer.get(), static_cast<DWORD>(size), &got, nullptr);
    CloseHandle(file);
    double ms = NowMs() - start;
    if (got != size) throw std::runtime_error("reference read came short");
    return ms;
}

// The reference for writing: the same bytes into a new file with one WriteFile call.
double WriteWithOneCall(const std::wstring& path, const std::string& bytes) {
    DeleteFileW(path.c_str());
    double start = NowMs();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD done = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(file);
    double ms = NowMs() - start;
    if (done != bytes.size()) throw std::runtime_error("reference write came short");
    return ms;
}

// The floor under list-write, on stderr: replacing the file safely (temporary file, flush to the
// disk, move over the target) with bytes already made.
void SafeReplaceFloor(const std::string& bytes, const std::wstring& target) {
    std::vector<double> times;
    for (int r = 0; r < kRepeats; ++r) {
        double start = NowMs();
        WriteFileAtomically(target, bytes);
        times.push_back(NowMs() - start);
    }
    std::fprintf(stderr, "of list-write, the safe replace of ready bytes alone: %.1f ms\n", Median(times));
}

void Run() {
    std::wstring folder = TempFolderFor(L"orv-bench-lists");
    std::wstring source = folder + L"\\big.lst", written = folder + L"\\written.lst", plain = folder + L"\\plain.lst";
    const std::string bytes = MakeListBytes();
    PutFile(source, bytes);
    std::fprintf(stderr, "list file: %d entries, %.1f MB\n", kEntries, bytes.size() / 1048576.0);

    // Memory first, in a process that has not yet held a big list.
    size_t before = CommittedPrivateBytes();
    auto held = std::make_unique<ListRows>();
    ReadListFile(source, *held);
    size_t after = CommittedPrivateBytes();
    double committedMb = static_cast<double>(after - before) / 1048576.0;
    std::fprintf(stderr, "rows: %zu; ListRows::BytesHeld %.1f MB; committed private bytes %.1f MB more\n",
                 held->size(), held->BytesHeld() / 1048576.0, committedMb);

    std::vector<double> reads, readRefs, writes, writeRefs;
    for (int r = 0; r < kRepeats; ++r) {
        readRefs.push_back(ReadWithOneCall(source, bytes.size()));
        ListRows rows;
        double start = NowMs();
        ReadListFile(source, rows);
        reads.push_back(NowMs() - start);
        if (rows.size() != static_cast<size_t>(kEntries)) throw std::runtime_error("read lost entries");

        writeRefs.push_back(WriteWithOneCall(plain, bytes));
        start = NowMs();
        WriteListFile(written, rows);
        writes.push_back(NowMs() - start);
    }
    SafeReplaceFloor(bytes, written);
    PrintFigure("list-read", Median(reads), "ms", "one ReadFile of the file", Median(readRefs));
    PrintFigure("list-write", Median(writes), "ms", "one WriteFile of the same bytes", Median(writeRefs));
    PrintFigure("list-memory", committedMb, "MB", "budget", 40.0);

    for (const std::wstring& f : {source, written, plain}) DeleteFileW(f.c_str());
    RemoveDirectoryW(folder.c_str());
}

} // namespace
} // namespace orv::bench

int main() {
    return orv::bench::RunBench("list-read", [&] { orv::bench::Run(); });
}
