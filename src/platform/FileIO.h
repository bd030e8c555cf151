#pragma once
// Whole-file reads and safe whole-file writes, with the program's error texts.
#include <string>
#include <string_view>

namespace orv {

// The system's text for an error code, without trailing line breaks.
std::wstring SystemErrorText(unsigned long code);

// An open file read from start to end, a block at a time; others may read it meanwhile but not
// write it. Opening throws "Cannot open file "<path>". <system text>", as does a failed read.
class FileReader {
public:
    explicit FileReader(const std::wstring& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    unsigned long long Size() const { return size_; }
    // The next bytes into `buffer`; 0 at the end.
    size_t Read(char* buffer, size_t capacity);

private:
    std::wstring path_;
    void* handle_;
    unsigned long long size_ = 0;
};

// Reads the file whole; others may read it meanwhile but not write it.
// Throws "Cannot open file "<path>". <system text>".
std::string ReadWholeFile(const std::wstring& path);

// Writes a file that replaces `path` only once it is complete, so a save never destroys the old
// contents: the bytes go to a temporary file beside it (opened exclusively), which Commit moves
// over the target. Not committed, the temporary file is removed and the target left as it was.
// Creating throws "Cannot create file "<path>". <system text>"; a failed or short write
// "Stream write error"; Commit either of them.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::wstring& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view bytes);
    void Commit();

private:
    std::wstring path_, temp_;
    void* handle_;
};

// Replaces the file with `bytes` without ever destroying the old contents: the bytes go to a
// temporary file beside it, which replaces the target only once it is completely written.
// Throws "Cannot create file "<path>". <system text>" or "Stream write error".
void WriteFileAtomically(const std::wstring& path, std::string_view bytes);

// The full form of a path (relative parts resolved against the current folder).
std::wstring FullPathOf(const std::wstring& path);

} // namespace orv
