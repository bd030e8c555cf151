#include "ui/Guard.h"

#include <new>

#include <windows.h>

#include "platform/AppError.h"
#include "ui/Human.h"

namespace orv {
namespace {

HWND ErrorOwner() {
    HWND active = GetActiveWindow();
    return active ? active : nullptr;
}

void Report(const std::wstring& text) {
    try {
        ShowErrorBox(ErrorOwner(), text);
    } catch (...) {
        // The error box itself failed: nothing more can be shown.
    }
}

} // namespace

bool RunGuarded(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const AppError& error) {
        Report(error.text());
    } catch (const std::bad_alloc&) {
        Report(L"Out of memory");
    } catch (const std::exception& error) {
        std::string what = error.what();
        Report(std::wstring(what.begin(), what.end()));
    } catch (...) {
        Report(L"Unexpected error");
    }
    return false;
}

} // namespace orv
