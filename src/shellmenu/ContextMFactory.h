#pragma once
// The library's one class factory: creates TContextMenu objects for the shell. It lives as long
// as the library; its references only feed the library-wide factory count.
#include <unknwn.h>
#include <windows.h>

namespace orv::shellmenu {

class TContextMenuFactory final : public IClassFactory {
  public:
    constexpr TContextMenuFactory() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

// DllGetClassObject's work: the factory for `clsid`, or CLASS_E_CLASSNOTAVAILABLE with *ppv null.
HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv);

} // namespace orv::shellmenu
