#include "platform/win32/StallWatchdog.h"

namespace zu::win {

StallWatchdog::StallWatchdog(std::chrono::milliseconds timeout) : timeout_(timeout), thread_([this] { watch(); }) {}

StallWatchdog::~StallWatchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void StallWatchdog::arm(HINTERNET handle) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        armed_ = handle;
        fired_ = false;
        // A little beyond the time-out, so that a stack that honours it reports first.
        deadline_ = std::chrono::steady_clock::now() + timeout_ + timeout_ / 10;
    }
    wake_.notify_all();
}

bool StallWatchdog::disarm() {
    std::lock_guard<std::mutex> lock(mutex_);
    armed_ = nullptr;
    return fired_;
}

void StallWatchdog::watch() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (!armed_) {
            wake_.wait(lock);
            continue;
        }
        if (std::chrono::steady_clock::now() >= deadline_) {
            InternetCloseHandle(armed_);
            armed_ = nullptr;
            fired_ = true;
            continue;
        }
        wake_.wait_until(lock, deadline_);
    }
}

}  // namespace zu::win
