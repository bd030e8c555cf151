#pragma once
#include <string>

namespace orv {

// True when the file starts like a Windows bitmap ("BM").
bool IsBitmapFile(const std::wstring& path);
// Decodes any picture WIC reads and writes it as a 24-bit bitmap; false when it cannot.
bool ConvertToBitmap(const std::wstring& source, const std::wstring& bitmapPath);

} // namespace orv
