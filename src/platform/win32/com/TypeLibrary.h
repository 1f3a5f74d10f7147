#pragma once
// The module's type library: loaded from the registry when registered, otherwise from
// the module's own TYPELIB resource.
#include <windows.h>
#include <oaidl.h>

#include "platform/win32/com/ModuleContext.h"

namespace zu::win {

HRESULT loadTypeLibrary(const ModuleContext& module, ITypeLib** library);
HRESULT loadTypeInfo(const ModuleContext& module, REFGUID guid, ITypeInfo** info);

}  // namespace zu::win
