#pragma once
// Reference counting shared by the module's COM objects: the object deletes itself on
// the last Release. Classes put ZU_IUNKNOWN_REFCOUNT in their body and write their own
// QueryInterface.
#include <windows.h>
#include <ole2.h>

namespace zu::win {

class RefCount {
public:
    ULONG addRef() { return static_cast<ULONG>(InterlockedIncrement(&count_)); }
    ULONG release() { return static_cast<ULONG>(InterlockedDecrement(&count_)); }

private:
    volatile LONG count_ = 1;  // the creator's reference
};

}  // namespace zu::win

#define ZU_IUNKNOWN_REFCOUNT                                   \
    STDMETHODIMP_(ULONG) AddRef() override { return refs_.addRef(); } \
    STDMETHODIMP_(ULONG) Release() override {                  \
        const ULONG n = refs_.release();                       \
        if (n == 0) delete this;                               \
        return n;                                              \
    }                                                          \
    ::zu::win::RefCount refs_;
