#pragma once
// Small RAII helpers for COM and Win32 handles, and the narrow/wide text conversions
// of the platform boundary (narrow text is in the thread's ANSI code page).
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <string>
#include <utility>

#include "common/ComError.h"

namespace zu::win {

// Owning interface pointer (AddRef/Release).
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    explicit ComPtr(T* p, bool addRef = true) : p_(p) {
        if (p_ && addRef) p_->AddRef();
    }
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    T* detach() { return std::exchange(p_, nullptr); }

    template <class U>
    ComPtr<U> as(REFIID iid) const {
        ComPtr<U> out;
        if (p_) p_->QueryInterface(iid, out.putVoid());
        return out;
    }

private:
    T* p_ = nullptr;
};

// Owning BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const std::wstring& s) : s_(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& o) noexcept : s_(std::exchange(o.s_, nullptr)) {}
    ~Bstr() { SysFreeString(s_); }
    BSTR get() const { return s_; }
    BSTR* put() {
        SysFreeString(s_);
        s_ = nullptr;
        return &s_;
    }
    BSTR detach() { return std::exchange(s_, nullptr); }
    std::wstring str() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

private:
    BSTR s_ = nullptr;
};

// Owning VARIANT.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }
    VARIANT* get() { return &v_; }
    const VARIANT* get() const { return &v_; }
    VARIANT* put() {
        VariantClear(&v_);
        return &v_;
    }

    // The "optional argument not given" value (VT_ERROR, DISP_E_PARAMNOTFOUND).
    static Variant missing() {
        Variant v;
        v.v_.vt = VT_ERROR;
        v.v_.scode = DISP_E_PARAMNOTFOUND;
        return v;
    }
    static Variant fromBool(bool b) {
        Variant v;
        v.v_.vt = VT_BOOL;
        v.v_.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
        return v;
    }
    static Variant fromBstr(const std::wstring& s) {
        Variant v;
        v.v_.vt = VT_BSTR;
        v.v_.bstrVal = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
        return v;
    }
    Variant(Variant&& o) noexcept : v_(o.v_) { o.v_.vt = VT_EMPTY; }

private:
    VARIANT v_;
};

// Throws ComError when `hr` is a failure.
inline void check(HRESULT hr, const char* what = "") {
    if (FAILED(hr)) throw ComError(static_cast<HResult>(hr), what);
}

// Throws ComError carrying GetLastError() as an HRESULT.
[[noreturn]] inline void throwLastError(const char* what) {
    throw ComError(hr::fromWin32(GetLastError()), what);
}

// Narrow (thread ANSI code page) <-> wide conversions.
inline std::wstring widen(const std::string& s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_THREAD_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}
inline std::string narrow(const wchar_t* s, std::size_t len) {
    if (!s || len == 0) return {};
    const int n = WideCharToMultiByte(CP_THREAD_ACP, 0, s, static_cast<int>(len), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, s, static_cast<int>(len), out.data(), n, nullptr, nullptr);
    return out;
}
inline std::string narrow(const std::wstring& s) { return narrow(s.data(), s.size()); }
inline std::string narrow(BSTR s) { return narrow(s, s ? SysStringLen(s) : 0); }

// Closes a kernel handle on destruction.
class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    Handle& operator=(Handle&& o) noexcept {
        std::swap(h_, o.h_);
        return *this;
    }
    ~Handle() { reset(); }
    void reset() {
        if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = nullptr;
    }
    HANDLE get() const { return h_; }
    bool valid() const { return h_ && h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_ = nullptr;
};

// CoInitialize/CoUninitialize for the current thread (apartment threaded).
class ComApartment {
public:
    ComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT hr_;
};

}  // namespace zu::win
