#pragma once
// An owned WinINet handle (InternetCloseHandle), and the transfer time-outs set on one.
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <utility>

namespace zu::win {

class InternetHandle {
public:
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET h) : h_(h) {}
    InternetHandle(InternetHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    InternetHandle& operator=(InternetHandle&& o) noexcept {
        std::swap(h_, o.h_);
        return *this;
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle() {
        if (h_) InternetCloseHandle(h_);
    }
    HINTERNET get() const { return h_; }
    // Gives the handle up without closing it (someone else closed it).
    void release() { h_ = nullptr; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HINTERNET h_ = nullptr;
};

// Connect, send and receive time-outs of everything opened under `session`.
inline void setTransferTimeouts(HINTERNET session, std::chrono::milliseconds timeout) {
    DWORD ms = static_cast<DWORD>(timeout.count());
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
                         INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT})
        InternetSetOptionA(session, option, &ms, sizeof ms);
}

}  // namespace zu::win
