// The preview pane, the picture size text and the full view.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::aPreviewExecute() {}
std::wstring TfrmORV::GetPictureInfo(const std::wstring&) { return L"Info not available"; }
void TfrmORV::LoadPreview(const std::wstring&) {}

} // namespace orv
