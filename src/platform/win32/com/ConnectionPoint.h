#pragma once
// The control's connection point for its event interface. The control fires no events,
// so advised sinks are only kept until they are unadvised.
#include <windows.h>
#include <ocidl.h>

#include <map>

#include "platform/win32/ComSupport.h"
#include "platform/win32/com/RefCounted.h"

namespace zu::win {

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(IConnectionPointContainer* container, REFIID iid) : container_(container), iid_(iid) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = (riid == IID_IUnknown || riid == IID_IConnectionPoint) ? static_cast<IConnectionPoint*>(this) : nullptr;
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ZU_IUNKNOWN_REFCOUNT

    STDMETHODIMP GetConnectionInterface(IID* iid) override {
        if (!iid) return E_POINTER;
        *iid = iid_;
        return S_OK;
    }
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override {
        if (!out) return E_POINTER;
        *out = container_.get();
        (*out)->AddRef();
        return S_OK;
    }
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override {
        if (!sink || !cookie) return E_POINTER;
        ComPtr<IUnknown> events;
        if (FAILED(sink->QueryInterface(iid_, events.putVoid()))) return CONNECT_E_CANNOTCONNECT;
        *cookie = ++lastCookie_;
        sinks_.emplace(*cookie, std::move(events));
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD cookie) override {
        return sinks_.erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
    }
    STDMETHODIMP EnumConnections(IEnumConnections** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }

private:
    ~ConnectionPoint() = default;
    ComPtr<IConnectionPointContainer> container_;
    IID iid_;
    std::map<DWORD, ComPtr<IUnknown>> sinks_;
    DWORD lastCookie_ = 0;
};

}  // namespace zu::win
