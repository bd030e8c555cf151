#include "shellmenu/ContextMFactory.h"

#include <new>

#include "shellmenu/ComModule.h"
#include "shellmenu/ContextM.h"

namespace orv::shellmenu {

namespace {

TContextMenuFactory gFactory;

// The classes this library serves, searched by DllGetClassObject. Built before any export can
// run, so reading it needs no lock.
struct ServedClass {
    const CLSID* clsid;
    IClassFactory* factory;
};
const ServedClass kServedClasses[] = {{&kBuild.clsid, &gFactory}};

} // namespace

HRESULT TContextMenuFactory::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG TContextMenuFactory::AddRef() {
    return AddFactoryReference();
}

ULONG TContextMenuFactory::Release() {
    return RemoveFactoryReference();
}

HRESULT TContextMenuFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    try {
        // The handler cannot be aggregated: it has no delegating IUnknown to give an outer object.
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* handler = new (std::nothrow) TContextMenu();
        if (!handler) return E_OUTOFMEMORY;
        const HRESULT result = handler->QueryInterface(riid, ppv);
        handler->Release(); // the creation reference: destroys the object when QueryInterface failed
        return result;
    } catch (...) {
        *ppv = nullptr;
        return E_UNEXPECTED;
    }
}

HRESULT TContextMenuFactory::LockServer(BOOL lock) {
    if (lock)
        AddLiveObject();
    else
        RemoveLiveObject();
    return S_OK;
}

HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    for (const ServedClass& served : kServedClasses)
        if (IsEqualCLSID(clsid, *served.clsid)) return served.factory->QueryInterface(riid, ppv);
    return CLASS_E_CLASSNOTAVAILABLE;
}

} // namespace orv::shellmenu
