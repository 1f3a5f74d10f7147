#include "platform/win32/WinInetDownloadClient.h"

#include <cstdlib>
#include <memory>

#include "common/ComError.h"

#include "platform/win32/InternetHandle.h"
#include "platform/win32/StallWatchdog.h"
#include "update/TransferPorts.h"
#include "platform/win32/WinInetError.h"

namespace zu {
namespace {

constexpr DWORD kTransferBinary = 2;  // raw bytes; the URL cache may answer

class WinInetResponse final : public DownloadResponse {
public:
    WinInetResponse(win::InternetHandle session, win::InternetHandle request,
                    std::unique_ptr<win::StallWatchdog> watchdog)
        : session_(std::move(session)), request_(std::move(request)), watchdog_(std::move(watchdog)) {
        DWORD status = 0, size = sizeof status;
        // Only HTTP answers carry a status; other schemes count as delivered.
        status_ = HttpQueryInfoA(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                                 nullptr)
                      ? static_cast<int>(status)
                      : 200;
        char length[32] = {};
        DWORD lengthSize = sizeof length - 1;
        if (HttpQueryInfoA(request_.get(), HTTP_QUERY_CONTENT_LENGTH, length, &lengthSize, nullptr))
            declaredLength_ = std::strtoll(length, nullptr, 10);
    }

    int status() const override { return status_; }
    std::int64_t declaredLength() const override { return declaredLength_; }

    std::size_t read(char* buffer, std::size_t max) override {
        if (!request_) throw ComError(kTransferTimedOut, "transfer timed out");
        DWORD n = 0;
        BOOL ok = FALSE;
        DWORD error = 0;
        if (watchdog_->guard(request_.get(), [&] {
                ok = InternetReadFile(request_.get(), buffer, static_cast<DWORD>(max), &n);
                error = GetLastError();
            })) {
            request_.release();
            throw ComError(kTransferTimedOut, "transfer timed out");
        }
        if (!ok) win::throwInternetError(error);
        return n;
    }

private:
    win::InternetHandle session_;
    win::InternetHandle request_;
    std::unique_ptr<win::StallWatchdog> watchdog_;
    int status_ = 0;
    std::int64_t declaredLength_ = -1;
};

}  // namespace

std::unique_ptr<DownloadResponse> WinInetDownloadClient::open(const std::string& url) {
    // No agent name: the module's own name, as the HTTP session class does.
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string agent = module;
    agent = agent.substr(agent.find_last_of("\\/") + 1);
    agent = agent.substr(0, agent.rfind('.'));

    win::InternetHandle session(InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) win::throwInternetError(GetLastError());
    win::setTransferTimeouts(session.get(), timeout_);
    auto watchdog = std::make_unique<win::StallWatchdog>(timeout_);
    HINTERNET opened = nullptr;
    DWORD error = 0;
    if (watchdog->guard(session.get(), [&] {
            opened = InternetOpenUrlA(session.get(), url.c_str(), nullptr, 0, kTransferBinary, 0);
            error = GetLastError();
        })) {
        session.release();  // closed by the watchdog, with everything under it
        throw ComError(kTransferTimedOut, "transfer timed out");
    }
    win::InternetHandle request(opened);
    if (!request) win::throwInternetError(error);
    win::setTransferTimeouts(request.get(), timeout_);  // some stacks take them per request only
    return std::make_unique<WinInetResponse>(std::move(session), std::move(request), std::move(watchdog));
}

}  // namespace zu
