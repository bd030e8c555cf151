// RefreshCommandState: the one place where commands are enabled and disabled.
#include "app/MainUnit.h"

namespace orv {

void TfrmORV::RefreshCommandState() {}

} // namespace orv
