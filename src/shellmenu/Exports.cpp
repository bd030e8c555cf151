// The four exports of the in-process server (undecorated, from the build's .def file).
#include <windows.h>

#include "shellmenu/ComModule.h"
#include "shellmenu/ContextMFactory.h"
#include "shellmenu/Registration.h"

namespace {

HMODULE gModule = nullptr;

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    // Thread notifications stay on: the statically linked runtime uses them.
    if (reason == DLL_PROCESS_ATTACH) gModule = instance;
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    try {
        return orv::shellmenu::GetClassObject(clsid, riid, ppv);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
    return orv::shellmenu::CanUnload() ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    try {
        const std::wstring library = orv::shellmenu::RegisteredLibraryPath(gModule);
        if (library.empty()) return E_FAIL;
        return orv::shellmenu::RegisterHandler(orv::shellmenu::SystemRoots(), library,
                                               orv::shellmenu::IsNtFamily());
    } catch (...) {
        return E_FAIL;
    }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    try {
        return orv::shellmenu::UnregisterHandler(orv::shellmenu::SystemRoots());
    } catch (...) {
        return S_OK;
    }
}
