#include "lists/PictureDialog.h"

#include <commdlg.h>

namespace orv {

FileDialogSpec PictureDialogSpec() {
    FileDialogSpec dialog;
    dialog.filter = L"All (*.jpg;*.jpeg;*.bmp;)|*.jpg;*.jpeg;*.bmp;|JPEG Image File (*.jpg)|*.jpg|"
                  L"JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp";
    dialog.defaultExt = L"*.jpg";
    dialog.options = OFN_READONLY | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ALLOWMULTISELECT |
                   OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    dialog.bufferChars = 65519;
    return dialog;
}

std::optional<std::wstring> ChooseFirstPicture(HWND owner) {
    auto files = TheHuman().OpenFiles(owner, PictureDialogSpec());
    // A dialog that answers OK with nothing chosen counts as cancelled: there is no picture to take.
    if (!files || files->empty()) return std::nullopt;
    return files->front();
}

} // namespace orv
