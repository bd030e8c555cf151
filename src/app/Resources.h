#pragma once
// The program's pictures and the maker's details: program icon, tool bar and menu pictures,
// the About picture, the support and web addresses and the notice.
#include <windows.h>

#include <commctrl.h>

namespace orv {

inline constexpr wchar_t kSupportAddress[] = L"support@example.com";
inline constexpr wchar_t kWebSite[] = L"https://www.example.com/orvane/";
inline constexpr wchar_t kMakerNotice[] = L"Copyright \u00A9 2007-2026 Kestovar. All rights reserved.";

inline constexpr int kToolbarPictureCount = 13;
inline constexpr int kToolbarPictureSize = 16;

// The program icon (window, task bar, tray) at size x size pixels, from the module's resources,
// or drawn in code when the module was linked without them. The caller destroys it.
HICON ProgramIcon(int size);

// The 13 tool bar and menu pictures (16 x 16, 32-bit with alpha and a matching mask), indexes as the
// actions use them. Empty cells when the module has no resources. The caller destroys the list.
HIMAGELIST ToolbarImages();

// The same pictures greyed and faded, for disabled buttons (TB_SETDISABLEDIMAGELIST).
HIMAGELIST ToolbarImagesDisabled();

// The About page's picture, a light landscape drawn to fill area.
void PaintAboutPicture(HDC dc, const RECT& area);

} // namespace orv
