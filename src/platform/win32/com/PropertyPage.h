#pragma once
// CZeltoUpdatePropPage: the control's one property page, dialog 200. It binds no control
// to any property, so applying it changes nothing.
#include <windows.h>
#include <ocidl.h>

#include "platform/win32/ComSupport.h"
#include "platform/win32/com/ModuleContext.h"
#include "platform/win32/com/RefCounted.h"

namespace zu::win {

class PropertyPage final : public IPropertyPage {
public:
    static HRESULT create(ModuleContext& module, REFIID iid, void** out);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    ZU_IUNKNOWN_REFCOUNT

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override { return S_FALSE; }
    STDMETHODIMP Apply() override { return S_OK; }
    STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }

private:
    explicit PropertyPage(ModuleContext& module) : lock_(module) {}
    ~PropertyPage();

    ModuleLock lock_;
    ComPtr<IPropertyPageSite> site_;
    HWND dialog_ = nullptr;
};

}  // namespace zu::win
