#pragma once
// The one failure type of the core: a 32-bit HRESULT-style code travels with it from the
// adapter that met the failure to the boundary that reports it (page, error catalogue).
#include <cstdint>
#include <stdexcept>
#include <string>

namespace zu {

using HResult = std::uint32_t;

namespace hr {
inline constexpr HResult ok = 0;
inline constexpr HResult fail = 0x80004005;         // E_FAIL
inline constexpr HResult pointer = 0x80004003;      // E_POINTER: an empty handle was used
inline constexpr HResult invalidArg = 0x80070057;   // E_INVALIDARG
inline constexpr HResult outOfMemory = 0x8007000E;  // E_OUTOFMEMORY
inline constexpr HResult notImpl = 0x80004001;      // E_NOTIMPL

// Win32 error code carried as an HRESULT (HRESULT_FROM_WIN32).
constexpr HResult fromWin32(std::uint32_t error) {
    return error == 0 || (error & 0x80000000u) ? error : ((error & 0xFFFFu) | 0x80070000u);
}
}  // namespace hr

class ComError : public std::runtime_error {
public:
    explicit ComError(HResult code, const std::string& what = {});
    HResult code() const noexcept { return code_; }

private:
    HResult code_;
};

// Throws ComError(hr::pointer) when the pointer is null; returns it otherwise.
template <class P>
P& requireNode(P& p) {
    if (!p) throw ComError(hr::pointer, "empty handle");
    return p;
}

}  // namespace zu
