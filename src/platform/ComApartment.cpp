#include "platform/ComApartment.h"

#include <objbase.h>

namespace orv {
namespace {

thread_local bool joined = false;

} // namespace

void EnsureComApartment() {
    if (joined) return;
    // S_FALSE (already joined by someone else) must be balanced too; a thread in another
    // apartment model keeps it and COM still works there.
    joined = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void LeaveComApartment() {
    if (!joined) return;
    joined = false;
    CoUninitialize();
}

} // namespace orv
