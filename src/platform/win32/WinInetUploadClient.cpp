#include "platform/win32/WinInetUploadClient.h"

#include <memory>

#include "platform/win32/InternetHandle.h"
#include "platform/win32/StallWatchdog.h"

namespace zu {
namespace {

// Reload, do not write to the cache, keep the connection.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_KEEP_CONNECTION;
constexpr DWORD kSendFlags = 0x20;

class WinInetUploadConnection final : public UploadConnection {
public:
    WinInetUploadConnection(win::InternetHandle session, win::InternetHandle connection, win::InternetHandle request,
                            std::uint64_t bodyLength, std::chrono::milliseconds timeout)
        : session_(std::move(session)),
          connection_(std::move(connection)),
          request_(std::move(request)),
          bodyLength_(bodyLength),
          watchdog_(std::make_unique<win::StallWatchdog>(timeout)) {}

    bool begin() override {
        INTERNET_BUFFERSA buffers = {};
        buffers.dwStructSize = sizeof buffers;
        buffers.dwBufferTotal = static_cast<DWORD>(bodyLength_);
        bodyWritten_ = 0;
        BOOL ok = FALSE;
        return !guarded([&] { ok = HttpSendRequestExA(request_.get(), &buffers, nullptr, kSendFlags, 0); }) && ok;
    }

    std::size_t write(const void* bytes, std::size_t count) override {
        DWORD written = 0;
        BOOL ok = FALSE;
        if (guarded([&] { ok = InternetWriteFile(request_.get(), bytes, static_cast<DWORD>(count), &written); }) || !ok)
            return 0;
        bodyWritten_ += written;
        return written;
    }

    std::uint32_t end() override {
        // A body shorter than declared can never complete (a cancelled upload): abandon
        // the request at once instead of waiting for bytes that will not come.
        if (bodyWritten_ < bodyLength_) return ERROR_INTERNET_CONNECTION_ABORTED;
        BOOL ok = FALSE;
        DWORD error = 0;
        if (guarded([&] {
                ok = HttpEndRequestA(request_.get(), nullptr, kSendFlags, 0);
                error = GetLastError();
            }))
            return ERROR_INTERNET_TIMEOUT;
        if (!ok) return error;
        DWORD status = 0, size = sizeof status;
        if (HttpQueryInfoA(request_.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
            status_ = static_cast<int>(status);
        return 0;
    }

    int status() const override { return status_; }

private:
    // Runs a blocking call under the watchdog; true when the time-out ended it (the
    // request handle is then gone and every later call fails).
    template <class Call>
    bool guarded(Call&& call) {
        if (!request_) return true;
        if (!watchdog_->guard(request_.get(), call)) return false;
        request_.release();
        return true;
    }

    win::InternetHandle session_;
    win::InternetHandle connection_;
    win::InternetHandle request_;
    std::uint64_t bodyLength_;
    std::uint64_t bodyWritten_ = 0;
    std::unique_ptr<win::StallWatchdog> watchdog_;
    int status_ = 0;
};

}  // namespace

std::unique_ptr<UploadConnection> WinInetUploadClient::open(const UploadRequest& r) {
    win::InternetHandle session(InternetOpenA("FileUpload", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return nullptr;
    win::setTransferTimeouts(session.get(), timeout_);
    const INTERNET_PORT port = r.port != 0 ? static_cast<INTERNET_PORT>(r.port)
                                           : (r.secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT);
    win::InternetHandle connection(
        InternetConnectA(session.get(), r.host.c_str(), port, "", "", INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return nullptr;
    const char* accept[] = {"*/*", nullptr};
    const std::string object = "/" + r.path;
    win::InternetHandle request(HttpOpenRequestA(connection.get(), "POST", object.c_str(), "HTTP/1.0", "", accept,
                                                 kRequestFlags | (r.secure ? INTERNET_FLAG_SECURE : 0), 0));
    if (!request) return nullptr;
    win::setTransferTimeouts(request.get(), timeout_);  // some stacks take them per request only
    if (!HttpAddRequestHeadersA(request.get(), r.headers.c_str(), static_cast<DWORD>(-1), 0)) return nullptr;
    return std::make_unique<WinInetUploadConnection>(std::move(session), std::move(connection), std::move(request),
                                                     r.bodyLength, timeout_);
}

}  // namespace zu
