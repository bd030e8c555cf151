#pragma once
// TfrmView: the borderless full-screen view of a picture.
#include "ui/Form.h"

namespace orv {

class TfrmORV;

class TfrmView : public Form {
public:
    explicit TfrmView(TfrmORV& owner);
};

} // namespace orv
