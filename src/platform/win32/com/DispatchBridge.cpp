#include "platform/win32/com/DispatchBridge.h"

#include <string>

#include "common/ComError.h"
#include "control/DispatchTable.h"
#include "control/ZeltoUpdateControl.h"
#include "platform/win32/ComSupport.h"

namespace zu::win {

namespace {

VARTYPE variantType(ValueType t) {
    switch (t) {
        case ValueType::Bool: return VT_BOOL;
        case ValueType::String: return VT_BSTR;
        case ValueType::Short: return VT_I2;
        case ValueType::None: break;
    }
    return VT_EMPTY;
}

// Coerces a script value to the member's type as the platform would; the failure code
// of the conversion (type mismatch, overflow) is the caller's answer.
HRESULT coerce(const VARIANT& in, ValueType type, DispatchValue& out) {
    Variant direct;  // a by-reference argument, dereferenced first
    HRESULT hr = VariantCopyInd(direct.get(), const_cast<VARIANT*>(&in));
    if (FAILED(hr)) return hr;
    Variant converted;
    hr = VariantChangeType(converted.get(), direct.get(), 0, variantType(type));
    if (FAILED(hr)) return hr;
    const VARIANT& v = *converted.get();
    switch (type) {
        case ValueType::Bool: out = v.boolVal != VARIANT_FALSE; break;
        case ValueType::Short: out = static_cast<std::int16_t>(v.iVal); break;
        case ValueType::String: out = narrow(v.bstrVal); break;
        case ValueType::None: out = std::monostate{}; break;
    }
    return S_OK;
}

void toVariant(const DispatchValue& value, VARIANT* result) {
    if (!result) return;
    VariantInit(result);
    if (const bool* b = std::get_if<bool>(&value)) {
        result->vt = VT_BOOL;
        result->boolVal = *b ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (const std::string* s = std::get_if<std::string>(&value)) {
        result->vt = VT_BSTR;
        result->bstrVal = Bstr(widen(*s)).detach();
    } else if (const std::int16_t* i = std::get_if<std::int16_t>(&value)) {
        result->vt = VT_I2;
        result->iVal = *i;
    }
}

HRESULT raised(HRESULT code, const std::string& what, EXCEPINFO* exception) {
    if (!exception) return code;
    *exception = EXCEPINFO{};
    exception->scode = code;
    exception->bstrSource = SysAllocString(L"ZeltoUpdate");
    if (!what.empty()) exception->bstrDescription = Bstr(widen(what)).detach();
    return DISP_E_EXCEPTION;
}

HRESULT getProperty(ZeltoUpdateControl& control, const DispatchMember& m, DISPPARAMS* params,
                    VARIANT* result) {
    if (params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    toVariant(m.get(control), result);
    return S_OK;
}

HRESULT putProperty(ZeltoUpdateControl& control, const DispatchMember& m, DISPPARAMS* params,
                    UINT* argError) {
    if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTOPTIONAL;
    DispatchValue value;
    if (HRESULT hr = coerce(params->rgvarg[0], m.type, value); FAILED(hr)) {
        if (argError) *argError = 0;
        return hr;
    }
    m.put(control, value);
    return S_OK;
}

HRESULT callMethod(ZeltoUpdateControl& control, const DispatchMember& m, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    const UINT expected = m.argType == ValueType::None ? 0 : 1;
    if (params->cArgs != expected) return DISP_E_BADPARAMCOUNT;
    DispatchValue argument;
    if (expected == 1) {
        if (HRESULT hr = coerce(params->rgvarg[0], m.argType, argument); FAILED(hr)) {
            if (argError) *argError = 0;
            return hr;
        }
    }
    try {
        toVariant(m.call(control, argument), result);
        return S_OK;
    } catch (const ComError& e) {
        return raised(static_cast<HRESULT>(e.code()), e.what(), exception);
    } catch (const std::bad_alloc&) {
        return raised(E_OUTOFMEMORY, "out of memory", exception);
    } catch (const std::exception& e) {
        return raised(E_FAIL, e.what(), exception);
    }
}

}  // namespace

HRESULT dispatchIdsOfNames(LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i == 0 && names[0])
            if (auto id = findMemberId(narrow(names[0], wcslen(names[0])))) ids[0] = *id;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT dispatchInvoke(ZeltoUpdateControl& control, DISPID id, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    const DispatchMember* m = findMember(static_cast<int>(id));
    if (!m) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none{};
    if (!params) params = &none;
    if (m->kind == MemberKind::Property) {
        if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))
            return putProperty(control, *m, params, argError);
        if (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) return getProperty(control, *m, params, result);
        return DISP_E_MEMBERNOTFOUND;
    }
    if (flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))
        return callMethod(control, *m, params, result, exception, argError);
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace zu::win
