#pragma once
// Turns a loaded picture into what an Image control paints. Decoded pixels are scaled once to
// the control's size and the full-size pixels are let go, so a 24-megapixel photograph in the
// pane costs a small bitmap, not a hundred megabytes, for as long as it is shown.
#include <functional>

#include <windows.h>

#include "platform/Picture.h"

namespace orv {

using Painter = std::function<void(HDC, const RECT&)>;

// Draws `picture` stretched over the target rectangle (the aspect ratio is not kept). Pixels are
// prepared for a width x height target; another target size stretches that bitmap.
Painter MakePicturePainter(Picture picture, int width, int height);

} // namespace orv
