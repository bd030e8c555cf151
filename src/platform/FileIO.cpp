#include "platform/FileIO.h"

#include <windows.h>

#include "platform/AppError.h"
#include "platform/Handle.h"

namespace orv {
namespace {

// The message names the file by its full path, whatever form the caller gave.
[[noreturn]] void ThrowFileError(const wchar_t* pattern, const std::wstring& path, DWORD code) {
    throw AppError(FormatText(pattern, {FullPathOf(path), SystemErrorText(code)}));
}

// A temporary file in the target's folder, so the final rename never crosses volumes.
std::wstring TemporaryNameBeside(const std::wstring& path) {
    static unsigned counter = 0;
    return path + L"." + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++counter) + L".tmp";
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    constexpr size_t chunk = 1 << 20;
    while (!bytes.empty()) {
        DWORD want = static_cast<DWORD>(std::min(bytes.size(), chunk)), done = 0;
        if (!WriteFile(file, bytes.data(), want, &done, nullptr) || done != want) return false;
        bytes.remove_prefix(done);
    }
    return true;
}

} // namespace

std::wstring SystemErrorText(unsigned long code) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : L"System error " + std::to_wstring(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    return text;
}

FileReader::FileReader(const std::wstring& path)
    : path_(path),
      handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                          nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) ThrowFileError(L"Cannot open file \"%s\". %s", path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_, &size)) {
        DWORD code = GetLastError();
        CloseHandle(handle_);
        ThrowFileError(L"Cannot open file \"%s\". %s", path, code);
    }
    size_ = static_cast<unsigned long long>(size.QuadPart);
}

FileReader::~FileReader() { CloseHandle(handle_); }

size_t FileReader::Read(char* buffer, size_t capacity) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(capacity, 1u << 30)), done = 0;
    if (!ReadFile(handle_, buffer, want, &done, nullptr)) ThrowFileError(L"Cannot open file \"%s\". %s", path_, GetLastError());
    return done;
}

std::string ReadWholeFile(const std::wstring& path) {
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) ThrowFileError(L"Cannot open file \"%s\". %s", path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) ThrowFileError(L"Cannot open file \"%s\". %s", path, GetLastError());
    std::string bytes;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t got = 0;
    while (got < bytes.size()) {
        DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - got, 1u << 30)), done = 0;
        if (!ReadFile(file.get(), bytes.data() + got, want, &done, nullptr))
            ThrowFileError(L"Cannot open file \"%s\". %s", path, GetLastError());
        if (done == 0) break;  // the file shrank meanwhile
        got += done;
    }
    bytes.resize(got);
    return bytes;
}

AtomicFileWriter::AtomicFileWriter(const std::wstring& path) : path_(path), handle_(INVALID_HANDLE_VALUE) {
    const wchar_t* createError = L"Cannot create file \"%s\". %s";
    if (path.empty()) ThrowFileError(createError, path, ERROR_PATH_NOT_FOUND);
    // Replacing by a move would get past these; creating the file in place would not.
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        ThrowFileError(createError, path, ERROR_ACCESS_DENIED);
    temp_ = TemporaryNameBeside(path);
    handle_ = CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) ThrowFileError(createError, path, GetLastError());
}

AtomicFileWriter::~AtomicFileWriter() {
    if (handle_ == INVALID_HANDLE_VALUE) return;
    CloseHandle(handle_);
    DeleteFileW(temp_.c_str());
}

void AtomicFileWriter::Write(std::string_view bytes) {
    if (handle_ == INVALID_HANDLE_VALUE || !WriteAll(handle_, bytes)) throw AppError(L"Stream write error");
}

void AtomicFileWriter::Commit() {
    if (handle_ == INVALID_HANDLE_VALUE) throw AppError(L"Stream write error");
    bool flushed = FlushFileBuffers(handle_);
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    if (!flushed) {
        DeleteFileW(temp_.c_str());
        throw AppError(L"Stream write error");
    }
    if (!MoveFileExW(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DWORD code = GetLastError();
        DeleteFileW(temp_.c_str());
        ThrowFileError(L"Cannot create file \"%s\". %s", path_, code);
    }
}

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
    AtomicFileWriter file(path);
    file.Write(bytes);
    file.Commit();
}

std::wstring FullPathOf(const std::wstring& path) {
    if (path.empty()) return path;
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return path;
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    full.resize(n);
    return full;
}

} // namespace orv
