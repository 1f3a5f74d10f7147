#include "platform/win32/com/PropertyPage.h"

#include <new>
#include <string>

#include "platform/win32/com/Guids.h"

namespace zu::win {

namespace {

constexpr int kCaptionStringId = 200;
constexpr SIZE kDialogUnits{250, 62};  // the template's size

INT_PTR CALLBACK pageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

LPOLESTR taskString(const std::wstring& s) {
    auto* out = static_cast<LPOLESTR>(CoTaskMemAlloc((s.size() + 1) * sizeof(wchar_t)));
    if (out) wcscpy(out, s.c_str());
    return out;
}

}  // namespace

HRESULT PropertyPage::create(ModuleContext& module, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    auto* page = new (std::nothrow) PropertyPage(module);
    if (!page) return E_OUTOFMEMORY;
    const HRESULT hr = page->QueryInterface(iid, out);
    page->Release();
    return hr;
}

PropertyPage::~PropertyPage() { Deactivate(); }

STDMETHODIMP PropertyPage::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = (iid == IID_IUnknown || iid == IID_IPropertyPage) ? static_cast<IPropertyPage*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP PropertyPage::SetPageSite(IPropertyPageSite* site) {
    site_ = ComPtr<IPropertyPageSite>(site);
    return S_OK;
}

STDMETHODIMP PropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (dialog_) return E_UNEXPECTED;
    dialog_ = CreateDialogParamW(lock_.module().instance(), MAKEINTRESOURCEW(kPropPageDialogId), parent,
                                 pageProc, 0);
    if (!dialog_) return HRESULT_FROM_WIN32(GetLastError());
    if (rect) Move(rect);
    return S_OK;
}

STDMETHODIMP PropertyPage::Deactivate() {
    if (dialog_) DestroyWindow(std::exchange(dialog_, nullptr));
    return S_OK;
}

STDMETHODIMP PropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    wchar_t caption[256] = {};
    LoadStringW(lock_.module().instance(), kCaptionStringId, caption, 256);
    const LONG base = GetDialogBaseUnits();
    info->cb = sizeof *info;
    info->pszTitle = taskString(caption);
    info->size.cx = MulDiv(kDialogUnits.cx, LOWORD(base), 4);
    info->size.cy = MulDiv(kDialogUnits.cy, HIWORD(base), 8);
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return info->pszTitle ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP PropertyPage::SetObjects(ULONG, IUnknown**) { return S_OK; }

STDMETHODIMP PropertyPage::Show(UINT command) {
    if (!dialog_) return E_UNEXPECTED;
    ShowWindow(dialog_, static_cast<int>(command));
    return S_OK;
}

STDMETHODIMP PropertyPage::Move(LPCRECT rect) {
    if (!rect) return E_POINTER;
    if (!dialog_) return E_UNEXPECTED;
    MoveWindow(dialog_, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

}  // namespace zu::win
