#pragma once
// Encodings of the control's persisted form: the container's property bag (one named
// value per item) and a stream (the items as a tagged list, see PersistBridge.cpp).
#include <windows.h>
#include <ocidl.h>

#include "control/PersistedForm.h"

namespace zu::win {

HRESULT saveToPropertyBag(IPropertyBag& bag, const std::vector<PersistedItem>& items);
// Reads every item the bag holds; items it lacks are left out of `loaded`.
std::vector<PersistedItem> readPropertyBag(IPropertyBag& bag, IErrorLog* log,
                                           const std::vector<PersistedItem>& wanted);

HRESULT saveToStream(IStream& stream, const std::vector<PersistedItem>& items);
HRESULT readStream(IStream& stream, std::vector<PersistedItem>& items);
ULONGLONG streamSize(const std::vector<PersistedItem>& items);

// Lookup over loaded items, for loadPersistedForm.
std::optional<PersistValue> findItem(const std::vector<PersistedItem>& items, const std::string& name);

}  // namespace zu::win
