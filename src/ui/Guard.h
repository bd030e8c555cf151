#pragma once
// The one place that runs actions and handlers from the message loop: a failure ends the
// command there and is shown in the error box; nothing escapes into Windows.
#include <functional>

namespace orv {

// Runs `work`; on an error shows the error box and returns false.
bool RunGuarded(const std::function<void()>& work);

} // namespace orv
