#pragma once
// The two library-wide counts that decide whether the shell may unload the library. The shell
// may create and release objects on several threads, so both change only atomically.
#include <windows.h>

namespace orv::shellmenu {

// Live handler objects plus LockServer(TRUE) calls not yet matched.
void AddLiveObject();
void RemoveLiveObject();
// References to the class factory's interface.
ULONG AddFactoryReference();
ULONG RemoveFactoryReference();

LONG LiveObjectCount();
LONG FactoryReferenceCount();
bool CanUnload();

} // namespace orv::shellmenu
