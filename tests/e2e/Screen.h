#pragma once
// Looking at the screen from outside the program: windows, screenshots, pixels.
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace orv::test {

// Waits until `found` returns a window, up to `seconds`.
HWND WaitForWindow(const std::function<HWND()>& found, double seconds = 20);
HWND FindTopWindow(DWORD processId, const std::wstring& title);
std::vector<std::wstring> ChildClasses(HWND window);
std::wstring WindowText(HWND window);
// Saves a PNG of the whole screen into the run's screenshot folder; returns its Unix path, or
// empty when no screenshot tool or folder is available.
std::string SaveScreenshot(const std::string& name);
COLORREF ScreenPixel(int x, int y);
// Input as a user gives it, to whatever window is in front.
void ClickAt(int x, int y);
void PressKey(WORD key);
// Lets the programs on the desktop paint.
void Settle(int milliseconds = 500);

} // namespace orv::test
