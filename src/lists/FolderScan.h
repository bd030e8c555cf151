#pragma once
// Finding the pictures of a folder tree, for Add Folder(s). No UI: the caller shows the wait cursor
// and turns the paths into list entries.
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// True when the name's extension (from its last ".", provided no "\" or ":" follows it),
// upper-cased by the locale's rules, is ".BMP", ".JPG" or ".JPEG". A name that is only ".jpg"
// counts.
bool IsPictureFileName(std::wstring_view name);

// Appends the path of every picture file in `folder`, and with `includeSubfolders` in its
// subfolders, depth-first in the order the file system returns the entries: a subfolder's pictures
// come right after the entries listed before it. A path is folder + "\" + name, without a second
// "\" after a folder that ends in one (a drive root). Hidden and system files and folders count.
// A folder that cannot be enumerated contributes nothing, silently. Folder links (junctions,
// symbolic links) are followed like folders, except into a folder this scan has already entered,
// so a link back into the tree neither loops nor adds a picture twice.
void ScanFolderInto(const std::wstring& folder, bool includeSubfolders, std::vector<std::wstring>& paths);

} // namespace orv
