#pragma once
// Resource identifiers shared by ORV.rc and the C++ code that loads them (plain defines: windres reads this too).

// The program icon: window, task bar and tray. The lowest icon id, so Explorer shows it for ORV.exe.
#define IDI_ORVANE 1

// The tool bar and menu pictures: 13 cells of 16 x 16 side by side, 32-bit with alpha.
#define IDB_TOOLBAR 101
