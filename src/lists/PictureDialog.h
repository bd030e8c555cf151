#pragma once
// The picture open dialog opdTSL: Add Item(s) takes every chosen file, the Configuration page
// the first.
#include <optional>
#include <string>

#include <windows.h>

#include "ui/Human.h"

namespace orv {

// The dialog's settings: picture filter, default extension as stored, multi-select with existing
// files only, current folder left as it was, a buffer of 65,519 characters.
FileDialogSpec PictureDialogSpec();

// Opens the dialog through the human seam; the first chosen file, or nullopt on Cancel.
std::optional<std::wstring> ChooseFirstPicture(HWND owner);

} // namespace orv
