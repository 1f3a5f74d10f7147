#pragma once
// Ports of the HTTP transfers of an update run: one GET per downloaded file and one
// POST per uploaded file. Transport failures raise ComError; a stalled transfer raises
// ComError(kTransferTimedOut).
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/ComError.h"

namespace zu {

// Connect, send and receive time-out of every transfer.
inline constexpr std::chrono::milliseconds kTransferTimeout{60000};
// ERROR_INTERNET_TIMEOUT as a result code.
inline constexpr HResult kTransferTimedOut = hr::fromWin32(12002);
// ERROR_INTERNET_FORCE_RETRY: the server asks for the whole request again.
inline constexpr std::uint32_t kForceRetry = 12032;

// An open response.
class DownloadResponse {
public:
    virtual ~DownloadResponse() = default;
    virtual int status() const = 0;
    // The declared body length, or -1 when the answer declares none.
    virtual std::int64_t declaredLength() const = 0;
    // Up to `max` bytes of the body; 0 at its end.
    virtual std::size_t read(char* buffer, std::size_t max) = 0;
};

class DownloadClient {
public:
    virtual ~DownloadClient() = default;
    // Opens `url` for a raw GET. Null when the scheme cannot be served.
    virtual std::unique_ptr<DownloadResponse> open(const std::string& url) = 0;
};

struct UploadRequest {
    std::string host;
    int port = 0;          // 0: the scheme's default
    std::string path;      // without the leading "/"; the query stays in it
    bool secure = false;
    std::string headers;   // added header lines, each ending in CR LF
    std::uint64_t bodyLength = 0;
};

// An opened POST request; it may be sent more than once (resend).
class UploadConnection {
public:
    virtual ~UploadConnection() = default;
    // Starts the request with the declared body length.
    virtual bool begin() = 0;
    // Writes bytes of the body; the count written, 0 on failure.
    virtual std::size_t write(const void* bytes, std::size_t count) = 0;
    // Completes the request: 0 when done, kForceRetry when the server asks for a
    // resend, another platform code otherwise.
    virtual std::uint32_t end() = 0;
    // The answer's status code after a completed request.
    virtual int status() const = 0;
};

class UploadClient {
public:
    virtual ~UploadClient() = default;
    // Null when the session, connection or request cannot be made.
    virtual std::unique_ptr<UploadConnection> open(const UploadRequest& request) = 0;
};

}  // namespace zu
