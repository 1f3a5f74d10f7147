#include "platform/win32/com/TypeLibrary.h"

#include "platform/win32/ComSupport.h"
#include "platform/win32/com/Guids.h"

namespace zu::win {

HRESULT loadTypeLibrary(const ModuleContext& module, ITypeLib** library) {
    if (!library) return E_POINTER;
    *library = nullptr;
    if (SUCCEEDED(LoadRegTypeLib(kTypeLibId, kTypeLibMajor, kTypeLibMinor, 0, library))) return S_OK;
    const std::wstring path = module.path();
    if (path.empty()) return TYPE_E_CANTLOADLIBRARY;
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library);
}

HRESULT loadTypeInfo(const ModuleContext& module, REFGUID guid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    ComPtr<ITypeLib> library;
    HRESULT hr = loadTypeLibrary(module, library.put());
    if (FAILED(hr)) return hr;
    return library->GetTypeInfoOfGuid(guid, info);
}

}  // namespace zu::win
