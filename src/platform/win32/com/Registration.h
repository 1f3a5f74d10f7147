#pragma once
// Self-registration of the module: type library, the two classes, component categories.
#include <windows.h>

#include "platform/win32/com/ModuleContext.h"

namespace zu::win {

inline constexpr HRESULT kTypeLibFailure = static_cast<HRESULT>(0x80040200);  // SELFREG_E_TYPELIB
inline constexpr HRESULT kClassFailure = static_cast<HRESULT>(0x80040201);    // SELFREG_E_CLASS

HRESULT registerServer(const ModuleContext& module);
HRESULT unregisterServer(const ModuleContext& module);

}  // namespace zu::win
