#pragma once
// Real files in a throw-away folder, and helpers to read and write them byte for byte.
#include <string>

namespace orv::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder's path, ending in "\".
    const std::wstring& path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + name; }

private:
    std::wstring path_;
};

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
void MakeFolder(const std::wstring& path);
// Removes a folder tree, read-only and hidden entries included.
void RemoveTree(const std::wstring& path);
// A small valid 24-bit BMP of the given size and colour.
std::string BitmapBytes(int width, int height, unsigned char r = 200, unsigned char g = 80, unsigned char b = 40);

std::string Narrow(const std::wstring& text);  // for failure messages

} // namespace orv::test
