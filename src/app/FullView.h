#pragma once
// TfrmView: the borderless full-screen view of a picture. Created on the first preview, owned
// by the main window and reused until it goes; closing only hides it.
#include <string>

#include "ui/Controls.h"
#include "ui/Form.h"

namespace orv {

class TfrmORV;

class TfrmView : public Form {
  public:
    explicit TfrmView(TfrmORV& owner);

    // Fills the whole client area; the picture is stretched to it.
    Image imgActualitySize;

    // Loads a picture file into imgActualitySize; throws the loader's error, keeping the old one.
    void LoadPicture(const std::wstring& path);
    // Sets the client size around the image and centres the image in it.
    void CentreImage();

    void FormActivate();
    void FormKeyPress(wchar_t key);
    void FormMouseUp(UINT button);
    void imgActualitySizeClick();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void CloseView();
    void AlignImage();
};

} // namespace orv
