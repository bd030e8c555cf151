#include "profiles/FolderTree.h"

#include "platform/Handle.h"
#include "ui/Human.h"

namespace orv {
namespace {

bool IsDotName(const wchar_t* name) {
    return name[0] == L'\0' ||
           (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0')));
}

void ReportUndeletable(HWND owner, const std::wstring& path) {
    ShowPlainMessage(owner, L"Could NOT delete " + path);
}

} // namespace

bool DeleteFolderTree(const std::wstring& folder, HWND owner) {
    WIN32_FIND_DATAW entry;
    UniqueFind find(FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &entry,
                                     FindExSearchNameMatch, nullptr, 0));
    if (find) {
        do {
            if (IsDotName(entry.cFileName)) continue;
            std::wstring path = folder + L"\\" + entry.cFileName;
            DWORD attributes = entry.dwFileAttributes;
            bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            bool isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            // Read-only, hidden and system bits would stop the delete. A link's attributes are
            // left alone: setting them may reach its target.
            DWORD plain = isFolder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
            if (!isLink && attributes != plain)
                SetFileAttributesW(path.c_str(), isFolder ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_ARCHIVE);
            if (isFolder && !isLink) {
                DeleteFolderTree(path, owner); // what stays is reported inside; the folder then stays too
                continue;
            }
            // A folder link goes as a directory entry of its own, a file (or file link) as a file;
            // neither call follows a link. Where the system keeps a folder link as a plain
            // symbolic link (Wine), only the file delete removes it.
            bool deleted = isFolder ? RemoveDirectoryW(path.c_str()) || DeleteFileW(path.c_str())
                                    : DeleteFileW(path.c_str());
            if (!deleted) ReportUndeletable(owner, path);
        } while (FindNextFileW(find.get(), &entry));
    }
    return RemoveDirectoryW(folder.c_str()) != 0;
}

} // namespace orv
