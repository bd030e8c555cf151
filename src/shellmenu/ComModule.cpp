#include "shellmenu/ComModule.h"

namespace orv::shellmenu {

namespace {

volatile LONG gLiveObjects = 0;
volatile LONG gFactoryReferences = 0;

// Lowers a count but never below zero: an unbalanced Release or LockServer(FALSE) from a
// careless host must not make the library look busy forever (or unloadable while in use).
LONG DecrementToZero(volatile LONG& count) {
    for (;;) {
        LONG seen = count;
        if (seen <= 0) return 0;
        if (InterlockedCompareExchange(&count, seen - 1, seen) == seen) return seen - 1;
    }
}

} // namespace

void AddLiveObject() {
    InterlockedIncrement(&gLiveObjects);
}
void RemoveLiveObject() {
    DecrementToZero(gLiveObjects);
}
ULONG AddFactoryReference() {
    return static_cast<ULONG>(InterlockedIncrement(&gFactoryReferences));
}
ULONG RemoveFactoryReference() {
    return static_cast<ULONG>(DecrementToZero(gFactoryReferences));
}

LONG LiveObjectCount() {
    return InterlockedCompareExchange(&gLiveObjects, 0, 0);
}
LONG FactoryReferenceCount() {
    return InterlockedCompareExchange(&gFactoryReferences, 0, 0);
}
bool CanUnload() {
    return LiveObjectCount() == 0 && FactoryReferenceCount() == 0;
}

} // namespace orv::shellmenu
