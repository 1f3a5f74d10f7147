#pragma once
// Ends a blocking WinINet call that has waited longer than the transfer time-out by
// closing its handle from a second thread (the documented way to cancel a synchronous
// call). Stacks that honour the time-out options never get this far; others would
// otherwise block the dialog's thread for as long as the server stays silent.
#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace zu::win {

class StallWatchdog {
public:
    explicit StallWatchdog(std::chrono::milliseconds timeout);
    ~StallWatchdog();
    StallWatchdog(const StallWatchdog&) = delete;
    StallWatchdog& operator=(const StallWatchdog&) = delete;

    // Runs `call` while watching `handle`. Returns true when the time-out closed the
    // handle (the caller must then no longer close it); `call`'s own result is discarded.
    template <class Call>
    bool guard(HINTERNET handle, Call&& call) {
        arm(handle);
        call();
        return disarm();
    }

private:
    void arm(HINTERNET handle);
    bool disarm();
    void watch();

    std::chrono::milliseconds timeout_;
    std::mutex mutex_;
    std::condition_variable wake_;
    HINTERNET armed_ = nullptr;
    std::chrono::steady_clock::time_point deadline_;
    bool fired_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace zu::win
