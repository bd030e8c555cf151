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
        FolderId id;
        if (IdentifyFolder(folder, id)) entered_.insert(id);
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
                    EnterSubfolder(folder, (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
                }
            } while (FindNextFileW(find.get(), &entry));
        }
        folder.resize(base);
    }

    // Every folder is identified, not only links: a link may lead to any folder met before it.
    void EnterSubfolder(std::wstring& path, bool isLink) {
        FolderId id;
        if (IdentifyFolder(path, id)) {
            if (!entered_.insert(id).second) return;
        } else if (isLink) {
            return;  // a link we cannot identify might lead back: do not risk an endless scan
        }
        Scan(path);
    }

    static bool IsDotEntry(const wchar_t* name) {
        return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
    }

    bool includeSubfolders_;
    std::vector<std::wstring>& paths_;
    std::unordered_set<FolderId, FolderIdHash> entered_;
};

} // namespace

bool IsPictureFileName(std::wstring_view name) {
    size_t dot = name.find_last_of(L".\\:");
    if (dot == std::wstring_view::npos || name[dot] != L'.') return false;
    std::wstring_view extension = name.substr(dot);
    if (extension.size() != 4 && extension.size() != 5) return false;
    wchar_t upper[5];
    extension.copy(upper, extension.size());
    CharUpperBuffW(upper, static_cast<DWORD>(extension.size()));
    std::wstring_view ext(upper, extension.size());
    return ext == L".BMP" || ext == L".JPG" || ext == L".JPEG";
}

void ScanFolderInto(const std::wstring& folder, bool includeSubfolders, std::vector<std::wstring>& paths) {
    Scanner(includeSubfolders, paths).ScanTree(folder);
}

} // namespace orv
