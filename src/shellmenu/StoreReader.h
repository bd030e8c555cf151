#pragma once
// Reading the menu entry store (and the menu language) for a menu. Every registry call is a round
// trip to the registry server while the shell waits with its menu, so the library keeps its last
// reading and hands it out again for as long as the registry reports no change below the build's
// branch; any change, or any doubt, means a fresh reading.
#include <windows.h>

#include "ActiveBuild.h"

namespace orv::shellmenu {

inline constexpr int kPathChars = MAX_PATH + 1; // 260 characters and the NUL
// A key name has at most 255 characters; in a double-byte code page that is up to twice as many
// bytes once converted for the A menu calls.
inline constexpr int kCaptionBytes = 255 * 2 + 1;

struct StoreEntry {
    char caption[kCaptionBytes]; // the subkey's name, ANSI, as the menu takes it
    char picture[kPathChars];    // its default value, ANSI, as SetWallpaper takes it
};

struct StoreSnapshot {
    int count = 0; // usable entries, in the store's enumeration order
    StoreEntry entries[kBuild.maxEntries];
    DWORD language = 0; // "Language" of the branch (older build only); 0 when missing or unreadable
};

// Reads the store and the language from the registry now.
void ReadStore(StoreSnapshot& snapshot);
// The store as it is now: the last reading while nothing below the branch has changed since.
void CurrentStore(StoreSnapshot& snapshot);

DWORD ReadMenuLanguage();

} // namespace orv::shellmenu
