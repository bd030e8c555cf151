// The preview pane, the picture size text and the full view.
#include "app/FullView.h"
#include "app/MainUnit.h"
#include "app/PicturePainter.h"
#include "platform/Picture.h"

namespace orv {

namespace {
constexpr int kPaneWidth = 198, kPaneHeight = 124;
}

void TfrmORV::aPreviewExecute() {
    if (lvTSL.selected() >= 0) {
        if (!frmView) frmView = std::make_unique<TfrmView>(*this);
        frmView->LoadPicture(SelectedWallpaperPath());
        frmView->CentreImage();
        frmView->ShowModal();
    }
    lvTSL.SetFocus();
    RefreshCommandState();
}

std::wstring TfrmORV::GetPictureInfo(const std::wstring& path) {
    return PictureInfoText(path);
}

void TfrmORV::LoadPreview(const std::wstring& path) {
    // One decode serves the pane and the size text; a failed load throws before anything changes.
    Picture picture = Picture::LoadForDisplay(path, kPaneWidth, kPaneHeight);
    std::wstring info = PictureInfoText(picture);
    imgPreview.SetPainter(MakePicturePainter(std::move(picture), kPaneWidth, kPaneHeight));
    previewInfo = std::move(info);
}

void TfrmORV::LoadCurrentWallpaperPreview() {
    std::wstring wallpaper;
    GetCurrentWallpaper(wallpaper);
    // A desktop without a wallpaper is an ordinary state, not a picture that failed: the pane is
    // emptied and the caller goes on. A named picture that fails is reported.
    if (wallpaper.empty()) {
        imgPreview.SetPainter(nullptr);
        previewInfo.clear();
    } else {
        LoadPreview(wallpaper);
    }
}

} // namespace orv
