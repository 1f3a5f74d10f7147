#pragma once
// A class factory of the module: creates one kind of object through `create`.
#include <windows.h>
#include <ole2.h>

#include <new>

#include "platform/win32/com/ModuleContext.h"
#include "platform/win32/com/RefCounted.h"

namespace zu::win {

class ClassFactory final : public IClassFactory {
public:
    using Creator = HRESULT (*)(ModuleContext&, REFIID, void**);

    static HRESULT create(ModuleContext& module, Creator creator, REFIID iid, void** out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        auto* factory = new (std::nothrow) ClassFactory(module, creator);
        if (!factory) return E_OUTOFMEMORY;
        const HRESULT hr = factory->QueryInterface(iid, out);
        factory->Release();
        return hr;
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = (iid == IID_IUnknown || iid == IID_IClassFactory) ? static_cast<IClassFactory*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ZU_IUNKNOWN_REFCOUNT

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return creator_(module_, iid, out);
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        lock ? module_.lock() : module_.unlock();
        return S_OK;
    }

private:
    ClassFactory(ModuleContext& module, Creator creator) : module_(module), creator_(creator) {}
    ~ClassFactory() = default;

    ModuleContext& module_;
    Creator creator_;
};

}  // namespace zu::win
