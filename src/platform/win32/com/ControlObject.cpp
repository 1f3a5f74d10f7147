#include "platform/win32/com/ControlObject.h"

#include <new>

#include "common/Strings.h"

#include "platform/win32/com/ConnectionPoint.h"
#include "platform/win32/com/DispatchBridge.h"
#include "platform/win32/com/GdiCanvas.h"
#include "platform/win32/com/Guids.h"
#include "platform/win32/com/PersistBridge.h"
#include "platform/win32/com/TypeLibrary.h"

namespace zu::win {

namespace {

// A new control's extent: 100 by 50 pixels at 96 dots per inch, in HIMETRIC units.
constexpr Extent kDefaultExtent{2646, 1323};
constexpr DWORD kSafety = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;

}  // namespace

HRESULT ControlObject::create(ModuleContext& module, std::unique_ptr<PortSet> ports, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ControlObject* object = nullptr;
    try {
        object = new ControlObject(module, std::move(ports));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const ComError& e) {
        return static_cast<HRESULT>(e.code());
    } catch (...) {
        return E_FAIL;
    }
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

ControlObject::ControlObject(ModuleContext& module, std::unique_ptr<PortSet> ports)
    : lock_(module), ports_(std::move(ports)), control_(ports_->ports()), extent_(kDefaultExtent) {}

ControlObject::~ControlObject() = default;

STDMETHODIMP ControlObject::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kDispatchIid)
        *out = static_cast<IDispatch*>(this);
    else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
        *out = static_cast<IProvideClassInfo2*>(this);
    else if (iid == IID_IObjectSafety)
        *out = static_cast<IObjectSafety*>(this);
    else if (iid == IID_IOleObject)
        *out = static_cast<IOleObject*>(this);
    else if (iid == IID_IOleControl)
        *out = static_cast<IOleControl*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
        *out = static_cast<IOleInPlaceObject*>(this);
    else if (iid == IID_IOleInPlaceActiveObject)
        *out = static_cast<IOleInPlaceActiveObject*>(this);
    else if (iid == IID_IViewObject || iid == IID_IViewObject2)
        *out = static_cast<IViewObject2*>(this);
    else if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
        *out = static_cast<IPersistStreamInit*>(this);
    else if (iid == IID_IPersistPropertyBag)
        *out = static_cast<IPersistPropertyBag*>(this);
    else if (iid == IID_IConnectionPointContainer)
        *out = static_cast<IConnectionPointContainer*>(this);
    else if (iid == IID_ISpecifyPropertyPages)
        *out = static_cast<ISpecifyPropertyPages*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

// --- IDispatch -------------------------------------------------------------------------

STDMETHODIMP ControlObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP ControlObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return loadTypeInfo(lock_.module(), kDispatchIid, info);
}

STDMETHODIMP ControlObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return dispatchIdsOfNames(names, count, ids);
}

STDMETHODIMP ControlObject::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    return dispatchInvoke(control_, id, flags, params, result, exception, argError);
}

// --- IProvideClassInfo2 / IObjectSafety -----------------------------------------------------

STDMETHODIMP ControlObject::GetClassInfo(ITypeInfo** info) { return loadTypeInfo(lock_.module(), kControlClsid, info); }

STDMETHODIMP ControlObject::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = kEventsIid;
    return S_OK;
}

STDMETHODIMP ControlObject::GetInterfaceSafetyOptions(REFIID iid, DWORD* supported, DWORD* enabled) {
    if (!supported || !enabled) return E_POINTER;
    ComPtr<IUnknown> probe;
    if (FAILED(QueryInterface(iid, probe.putVoid()))) return E_NOINTERFACE;
    *supported = kSafety;
    *enabled = kSafety;
    return S_OK;
}

STDMETHODIMP ControlObject::SetInterfaceSafetyOptions(REFIID iid, DWORD mask, DWORD) {
    ComPtr<IUnknown> probe;
    if (FAILED(QueryInterface(iid, probe.putVoid()))) return E_NOINTERFACE;
    return (mask & ~kSafety) ? E_FAIL : S_OK;  // safe for scripting and initialisation only
}

// --- IOleObject --------------------------------------------------------------------------

STDMETHODIMP ControlObject::SetClientSite(IOleClientSite* site) {
    site_ = ComPtr<IOleClientSite>(site);
    return S_OK;
}

STDMETHODIMP ControlObject::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = site_.get();
    if (*site) (*site)->AddRef();
    return S_OK;
}

STDMETHODIMP ControlObject::Close(DWORD) {
    InPlaceDeactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

STDMETHODIMP ControlObject::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlObject::GetClipboardData(DWORD, IDataObject** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT) {
    if (site && !site_) site_ = ComPtr<IOleClientSite>(site);
    switch (verb) {
        case OLEIVERB_PROPERTIES:
            return showPropertyPages(parent);
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE: {
            if (inPlaceActive_) return S_OK;
            // Windowless: tell the site, which then draws us through IViewObject.
            if (auto inPlaceSite = site_.as<IOleInPlaceSite>(IID_IOleInPlaceSite)) {
                if (inPlaceSite->CanInPlaceActivate() != S_OK) return E_FAIL;
                inPlaceSite->OnInPlaceActivate();
                inPlaceActive_ = true;
            }
            return S_OK;
        }
        case OLEIVERB_HIDE:
        case OLEIVERB_OPEN:
        case OLEIVERB_DISCARDUNDOSTATE:
            return S_OK;
        default:
            return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
}

STDMETHODIMP ControlObject::EnumVerbs(IEnumOLEVERB** out) { return OleRegEnumVerbs(kControlClsid, out); }

STDMETHODIMP ControlObject::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = kControlClsid;
    return S_OK;
}

STDMETHODIMP ControlObject::GetUserType(DWORD form, LPOLESTR* type) {
    if (!type) return E_POINTER;
    const std::wstring name = widen(control_.ports().strings.load(1));
    *type = static_cast<LPOLESTR>(CoTaskMemAlloc((name.size() + 1) * sizeof(wchar_t)));
    if (!*type) return E_OUTOFMEMORY;
    wcscpy(*type, name.c_str());
    return S_OK;
}

STDMETHODIMP ControlObject::SetExtent(DWORD aspect, SIZEL* size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    extent_ = Extent{size->cx, size->cy};
    control_.setModified(true);
    return S_OK;
}

STDMETHODIMP ControlObject::GetExtent(DWORD aspect, SIZEL* size) {
    if (!size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    size->cx = extent_.cx;
    size->cy = extent_.cy;
    return S_OK;
}

STDMETHODIMP ControlObject::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!adviseHolder_) {
        HRESULT hr = CreateOleAdviseHolder(adviseHolder_.put());
        if (FAILED(hr)) return hr;
    }
    return adviseHolder_->Advise(sink, cookie);
}

STDMETHODIMP ControlObject::Unadvise(DWORD cookie) {
    return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP ControlObject::EnumAdvise(IEnumSTATDATA** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(out) : S_OK;
}

STDMETHODIMP ControlObject::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = kMiscStatus;
    return S_OK;
}

// --- IOleControl / in-place ------------------------------------------------------------------

STDMETHODIMP ControlObject::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP ControlObject::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = nullptr;
    return E_FAIL;
}

STDMETHODIMP ControlObject::InPlaceDeactivate() {
    if (!inPlaceActive_) return S_OK;
    inPlaceActive_ = false;
    if (auto inPlaceSite = site_.as<IOleInPlaceSite>(IID_IOleInPlaceSite)) inPlaceSite->OnInPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP ControlObject::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    position_ = *position;
    return S_OK;
}

// --- IViewObject2 ----------------------------------------------------------------------

STDMETHODIMP ControlObject::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                                 LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc) return E_INVALIDARG;
    Rect r{position_.left, position_.top, position_.right, position_.bottom};
    if (bounds) r = Rect{bounds->left, bounds->top, bounds->right, bounds->bottom};
    GdiCanvas canvas(dc);
    drawControl(canvas, r);
    return S_OK;
}

STDMETHODIMP ControlObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** set) {
    if (set) *set = nullptr;
    return S_FALSE;
}

STDMETHODIMP ControlObject::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = ComPtr<IAdviseSink>(sink);
    return S_OK;
}

STDMETHODIMP ControlObject::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) {
        *sink = viewSink_.get();
        if (*sink) (*sink)->AddRef();
    }
    return S_OK;
}

STDMETHODIMP ControlObject::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

void ControlObject::requestRedraw() {
    if (viewSink_) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

// --- persistence -------------------------------------------------------------------------

STDMETHODIMP ControlObject::GetClassID(CLSID* clsid) { return GetUserClassID(clsid); }

std::vector<PersistedItem> ControlObject::items() const {
    return savePersistedForm(control_.properties(), extent_);
}

void ControlObject::loadItems(const std::vector<PersistedItem>& loaded) {
    ControlProperties props = control_.properties();
    loadPersistedForm(props, extent_, [&](const std::string& name) { return findItem(loaded, name); });
    const bool wasModified = control_.isModified();
    control_.setProperties(props);
    control_.setModified(wasModified);
    requestRedraw();
}

// The reset of state: no property has a default, so all seven keep their values.
STDMETHODIMP ControlObject::InitNew() {
    requestRedraw();
    return S_OK;
}

STDMETHODIMP ControlObject::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    try {
        loadItems(readPropertyBag(*bag, log, items()));
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP ControlObject::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    if (!bag) return E_POINTER;
    const HRESULT hr = saveToPropertyBag(*bag, items());
    if (SUCCEEDED(hr) && clearDirty) control_.setModified(false);
    return hr;
}

STDMETHODIMP ControlObject::IsDirty() { return control_.isModified() ? S_OK : S_FALSE; }

STDMETHODIMP ControlObject::Load(LPSTREAM stream) {
    if (!stream) return E_POINTER;
    try {
        std::vector<PersistedItem> loaded;
        const HRESULT hr = readStream(*stream, loaded);
        loadItems(loaded);  // what was read before a short stream still counts
        return hr;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP ControlObject::Save(LPSTREAM stream, BOOL clearDirty) {
    if (!stream) return E_POINTER;
    const HRESULT hr = saveToStream(*stream, items());
    if (SUCCEEDED(hr) && clearDirty) control_.setModified(false);
    return hr;
}

STDMETHODIMP ControlObject::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = streamSize(items());
    return S_OK;
}

// --- events and property pages ----------------------------------------------------------------

STDMETHODIMP ControlObject::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ControlObject::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != kEventsIid) return CONNECT_E_NOCONNECTION;
    *out = new (std::nothrow) ConnectionPoint(this, kEventsIid);
    return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP ControlObject::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pages->pElems) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    pages->cElems = 1;
    pages->pElems[0] = kPropPageClsid;
    return S_OK;
}

HRESULT ControlObject::showPropertyPages(HWND parent) {
    if (auto controlSite = site_.as<IOleControlSite>(IID_IOleControlSite))
        if (SUCCEEDED(controlSite->ShowPropertyFrame())) return S_OK;
    IUnknown* self = static_cast<IDispatch*>(this);
    const std::wstring caption = widen(control_.ports().strings.load(1));
    return OleCreatePropertyFrame(parent, 0, 0, caption.c_str(), 1, &self, 1, const_cast<GUID*>(&kPropPageClsid),
                                  GetUserDefaultLCID(), 0, nullptr);
}

}  // namespace zu::win
