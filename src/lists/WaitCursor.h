#pragma once
// The hourglass while a long piece of work (a folder scan, a big list) holds the GUI thread.
#include <windows.h>

namespace orv {

class WaitCursor {
  public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR previous_;
};

} // namespace orv
