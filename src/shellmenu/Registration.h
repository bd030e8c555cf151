#pragma once
// The registry entries that make the shell load the handler: written by DllRegisterServer as one
// table of rows in order, removed by DllUnregisterServer walking the same table back.
#include <string>

#include <windows.h>

namespace orv::shellmenu {

// The two roots the rows are written below. The system's are HKEY_CLASSES_ROOT and
// HKEY_LOCAL_MACHINE; a test passes scratch keys instead.
struct RegistrationRoots {
    HKEY classes;
    HKEY machine;
};
RegistrationRoots SystemRoots();

// S_OK when every row was written; E_FAIL at the first row that fails (earlier rows stay).
// The Approved value is written only on NT-family systems.
HRESULT RegisterHandler(const RegistrationRoots& roots, const std::wstring& libraryPath, bool ntFamily);
// Removes the keys registration created (each a plain delete of one key, failures skipped) and
// gives each extension back the file class it named before registration. Always S_OK.
HRESULT UnregisterHandler(const RegistrationRoots& roots);

// The library's full file name as loaded; its short (8.3) form when it contains a blank.
std::wstring RegisteredLibraryPath(HMODULE module);
bool IsNtFamily();

// Name of the value, below the build's file class key, that remembers what an extension named
// before registration took it over (e.g. "PreviousFileClass.jpg").
std::wstring PreviousClassValueName(const wchar_t* extension);

} // namespace orv::shellmenu
