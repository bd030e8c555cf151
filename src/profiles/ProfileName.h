#pragma once
// TfrmProfileName: the modal dialog that asks for the name of a new profile.
#include "ui/Form.h"

namespace orv {

class TfrmORV;

class TfrmProfileName : public Form {
public:
    explicit TfrmProfileName(TfrmORV& owner);
};

} // namespace orv
