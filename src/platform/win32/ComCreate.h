#pragma once
// Creating a COM object by ProgID ("Msxml2.DOMDocument") or by class id in brace form.
#include <string>

#include "platform/win32/ComSupport.h"

namespace zu::win {

// Creates the object named by `progId` (a text beginning with "{" is a class id) from any
// kind of server and stores its `iid` interface in `*out`. Failures throw ComError.
void createComObject(const std::wstring& progId, REFIID iid, void** out);

template <class T>
ComPtr<T> createComObject(const std::wstring& progId, REFIID iid) {
    ComPtr<T> object;
    createComObject(progId, iid, object.putVoid());
    return object;
}

}  // namespace zu::win
