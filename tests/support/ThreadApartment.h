#pragma once
// COM for the test's thread where the side's adapters need it (MSXML on Windows);
// nothing on the portable side.
#ifdef _WIN32
#include <objbase.h>

namespace zu::test {
struct ThreadApartment {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ThreadApartment() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};
}  // namespace zu::test
#else
namespace zu::test {
struct ThreadApartment {};
}  // namespace zu::test
#endif
