// The module's four entry points. The module context is the one piece of module-wide
// state a COM server needs (its instance handle and the count of locks); every object
// receives it by reference.
#include <windows.h>
#include <ole2.h>

#include "platform/win32/com/ClassFactory.h"
#include "platform/win32/com/ControlObject.h"
#include "platform/win32/com/Guids.h"
#include "platform/win32/com/PropertyPage.h"
#include "platform/win32/com/Registration.h"
#include "platform/win32/com/Win32Ports.h"

namespace {

zu::win::ModuleContext theModule;

HRESULT createControl(zu::win::ModuleContext& module, REFIID iid, void** out) {
    try {
        return zu::win::ControlObject::create(module, zu::win::makeWin32Ports(module.instance()), iid, out);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT createPropertyPage(zu::win::ModuleContext& module, REFIID iid, void** out) {
    return zu::win::PropertyPage::create(module, iid, out);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        theModule.setInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (clsid == zu::win::kControlClsid) return zu::win::ClassFactory::create(theModule, createControl, iid, out);
    if (clsid == zu::win::kPropPageClsid)
        return zu::win::ClassFactory::create(theModule, createPropertyPage, iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return theModule.canUnload() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return zu::win::registerServer(theModule); }

STDAPI DllUnregisterServer() { return zu::win::unregisterServer(theModule); }

}  // extern "C"
