#include "lists/FolderScan.h"

#include <windows.h>

#include <unordered_set>

#include "platform/Handle.h"

namespace orv {
namespace {

// Which folder a path leads to, whatever links lie on the way: the volume and the file index.
struct FolderId {
    DWORD volume = 0, indexHigh = 0, indexLow = 0;
    bool operator==(const FolderId&) const = default;
};

struct FolderIdHash {
    size_t operator()(const FolderId& id) const {
        return std::hash<unsigned long long>()((static_cast<unsigned long long>(id.indexHigh) << 32 | id.indexLow) ^
                                               (static_cast<unsigned long long>(id.volume) << 17));
    }
};

bool IdentifyFolder(const std::wstring& path, FolderId& id) {
    UniqueHandle folder(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder || !GetFileInformationByHandle(folder.get(), &info)) return false;
    id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

class Scanner {
public:
    Scanner(bool includeSubfolders, std::vector<std::wstring>& paths)
        : includeSubfolders_(includeSubfolders), paths_(paths) {}

    void ScanTree(std::wstring folder) {
        Entered(folder);
        Scan(folder);
    }

private:
    // `folder` is a buffer that the scan extends with entry names and gives back unchanged.
    void Scan(std::wstring& folder) {
        const size_t base = folder.size();
        if (folder.empty() || folder.back() != L'\\') folder += L'\\';
        const size_t prefix = folder.size();
        folder += L'*';
        WIN32_FIND_DATAW entry;
        UniqueFind find(FindFirstFileExW(folder.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH));
        if (find) {
            do {
                folder.resize(prefix);
                folder += entry.cFileName;
                if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    if (IsPictureFileName(entry.cFileName)) paths_.push_back(folder);
                } else if (includeSubfolders_ && !IsDotEntry(entry.cFileName)) {
                    if (Enter(folder, (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)) Scan(folder);
                }
            } while (FindNextFileW(find.get(), &entry));
        }
        folder.resize(base);
    }

    // Whether to scan a subfolder. Without links a tree has no cycles and no folder twice, so
    // folders are only identified (a costly open under Wine) once the first link shows up: from
    // then on every folder is, those entered before included, since a link may lead to any.
    bool Enter(const std::wstring& path, bool isLink) {
        if (isLink && !identifying_) {
            identifying_ = true;
            for (const std::wstring& earlier : enteredPaths_) {
                FolderId id;
                if (IdentifyFolder(earlier, id)) entered_.insert(id);
            }
            enteredPaths_.clear();
        }
        if (!identifying_) {
            enteredPaths_.push_back(path);
            return true;
        }
        FolderId id;
        if (IdentifyFolder(path, id)) return entered_.insert(id).second;
        return !isLink;  // a link we cannot identify might lead back: do not risk an endless scan
    }

    void Entered(const std::wstring& path) {
        if (!identifying_) {
            enteredPaths_.push_back(path);
            return;
        }
        FolderId id;
        if (IdentifyFolder(path, id)) entered_.insert(id);
    }

    static bool IsDotEntry(const wchar_t* name) {
        return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
    }

    bool includeSubfolders_;
    std::vector<std::wstring>& paths_;
    bool identifying_ = false;
    std::vector<std::wstring> enteredPaths_;
    std::unordered_set<FolderId, FolderIdHash> entered_;
};

} // namespace

bool IsPictureFileName(std::wstring_view name) {
    size_t dot = name.find_last_of(L".\\:");
    if (dot == std::wstring_view::npos || name[dot] != L'.') return false;
    std::wstring_view extension = name.substr(dot);
    if (extension.size() != 4 && extension.size() != 5) return false;
    wchar_t upper[5];
    bool ascii = true;
    for (size_t i = 0; i < extension.size(); ++i) {
        wchar_t c = extension[i];
        ascii = ascii && c < 0x80;
        upper[i] = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
    // ASCII letters upper-case alike in every locale; only other characters need its rules (a
    // system call per name costs as much as the enumeration itself under Wine).
    if (!ascii) {
        extension.copy(upper, extension.size());
        CharUpperBuffW(upper, static_cast<DWORD>(extension.size()));
    }
    std::wstring_view ext(upper, extension.size());
    return ext == L".BMP" || ext == L".JPG" || ext == L".JPEG";
}

void ScanFolderInto(const std::wstring& folder, bool includeSubfolders, std::vector<std::wstring>& paths) {
    Scanner(includeSubfolders, paths).ScanTree(folder);
}

} // namespace orv
