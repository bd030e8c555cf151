#include "app/FullView.h"

namespace orv {

TfrmView::TfrmView(TfrmORV&) {}

} // namespace orv
