#pragma once
// Deleting a profile folder with everything in it.
#include <string>

#include <windows.h>

namespace orv {

// Deletes `folder` (no trailing "\") with all its files and subfolders; true when the folder
// itself is gone. Read-only, hidden and system entries are deleted too. Folder links (junctions,
// symbolic links) are removed as links and never followed, so nothing outside the folder is
// touched. Each entry that cannot be deleted is reported with "Could NOT delete <path>".
bool DeleteFolderTree(const std::wstring& folder, HWND owner = nullptr);

} // namespace orv
