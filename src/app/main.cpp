// Process entry: the single-instance guard, then the main window and the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/MainUnit.h"
#include "platform/ComApartment.h"
#include "ui/Form.h"
#include "ui/Human.h"

namespace {

// "Ошибка выделения памяти!" ("memory allocation error"), kept in the Windows-1251 code page.
constexpr char kAllocationError1251[] =
    "\xCE\xF8\xE8\xE1\xEA\xE0 \xE2\xFB\xE4\xE5\xEB\xE5\xED\xE8\xFF \xEF\xE0\xEC\xFF\xF2\xE8!";

std::wstring ProgramFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void ShowAllocationError() {
    wchar_t text[64] = {};
    MultiByteToWideChar(1251, 0, kAllocationError1251, -1, text, ARRAYSIZE(text));
    MessageBoxW(nullptr, text, nullptr, MB_OK);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A named, unmapped 32-byte object marks the running instance; the system removes it when
    // the last process holding it ends.
    HANDLE guard = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, L"MyMap");
    if (!guard) {
        ShowAllocationError();
        return 1;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    orv::SetApplicationTitle(L"Orvane");
    int exitCode = 0;
    {
        orv::TfrmORV window(ProgramFile());
        window.Show();
        MSG msg{};
        while (orv::PumpMessage(msg, true)) {
        }
        exitCode = static_cast<int>(msg.wParam);
    }
    orv::LeaveComApartment();
    CloseHandle(guard);
    return exitCode;
}
