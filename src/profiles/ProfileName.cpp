#include "profiles/ProfileName.h"

namespace orv {

TfrmProfileName::TfrmProfileName(TfrmORV&) {}

} // namespace orv
