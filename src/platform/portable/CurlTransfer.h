#pragma once
// One libcurl transfer driven step by step through a multi handle, so that callers can
// hand data in or take it out block by block. A transfer that moves no byte for the
// time-out raises ComError(kTransferTimedOut).
#include <curl/curl.h>

#include <chrono>
#include <functional>
#include <string>

namespace zu {

class CurlTransfer {
public:
    explicit CurlTransfer(std::chrono::milliseconds timeout);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    CURL* easy() const { return easy_; }
    void start();
    // Runs the transfer until `ready()` holds or the transfer has ended.
    void driveUntil(const std::function<bool()>& ready);
    // Callbacks call this whenever bytes move.
    void noteActivity() { lastActivity_ = std::chrono::steady_clock::now(); }

    bool done() const { return done_; }
    bool failed() const { return done_ && result_ != CURLE_OK; }
    // Throws the ComError that matches a failed transfer.
    [[noreturn]] void raiseFailure() const;
    long responseCode() const;

private:
    CURLM* multi_ = nullptr;
    CURL* easy_ = nullptr;
    std::chrono::milliseconds timeout_;
    std::chrono::steady_clock::time_point lastActivity_;
    bool started_ = false;
    bool done_ = false;
    CURLcode result_ = CURLE_OK;
};

}  // namespace zu
