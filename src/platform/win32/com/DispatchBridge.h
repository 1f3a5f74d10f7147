#pragma once
// IDispatch over the control's dispatch table: name lookup, argument checks and
// coercion, and the translation of failures into what a script host expects.
#include <windows.h>
#include <oaidl.h>

namespace zu {
class ZeltoUpdateControl;
}

namespace zu::win {

// Ids for `names[0]` (the member); further names (parameter names) are unknown.
HRESULT dispatchIdsOfNames(LPOLESTR* names, UINT count, DISPID* ids);

HRESULT dispatchInvoke(ZeltoUpdateControl& control, DISPID id, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argError);

}  // namespace zu::win
