#include "platform/portable/CurlUploadClient.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/ComError.h"
#include "platform/portable/CurlTransfer.h"

namespace zu {
namespace {

struct CurlHeaders {
    curl_slist* list = nullptr;
    ~CurlHeaders() { curl_slist_free_all(list); }
    void add(const std::string& line) { list = curl_slist_append(list, line.c_str()); }
};

class CurlUploadConnection final : public UploadConnection {
public:
    CurlUploadConnection(const UploadRequest& request, std::chrono::milliseconds timeout)
        : request_(request), timeout_(timeout) {
        url_ = std::string(request.secure ? "https://" : "http://") + request.host +
               (request.port != 0 ? ":" + std::to_string(request.port) : "") + "/" + request.path;
        // The added header lines, one per CR LF; no "Expect: 100-continue" round trip.
        std::size_t from = 0;
        while (from < request.headers.size()) {
            std::size_t end = request.headers.find("\r\n", from);
            if (end == std::string::npos) end = request.headers.size();
            if (end > from) headers_.add(request.headers.substr(from, end - from));
            from = end + 2;
        }
        headers_.add("Expect:");
        headers_.add("Pragma: no-cache");
    }

    bool begin() override {
        transfer_ = std::make_unique<CurlTransfer>(timeout_);
        pendingData_ = nullptr;
        pendingSize_ = 0;
        wantsBody_ = false;
        bodyWritten_ = 0;
        CURL* easy = transfer_->easy();
        curl_easy_setopt(easy, CURLOPT_URL, url_.c_str());
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request_.bodyLength));
        curl_easy_setopt(easy, CURLOPT_READFUNCTION, &CurlUploadConnection::onRead);
        curl_easy_setopt(easy, CURLOPT_READDATA, this);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlUploadConnection::onAnswer);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers_.list);
        curl_easy_setopt(easy, CURLOPT_USERAGENT, "FileUpload");
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
        transfer_->start();
        try {
            transfer_->driveUntil([this] { return wantsBody_; });
        } catch (const ComError&) {
            return false;
        }
        return !transfer_->failed();
    }

    std::size_t write(const void* bytes, std::size_t count) override {
        if (!transfer_ || transfer_->done()) return 0;
        pendingData_ = static_cast<const char*>(bytes);
        pendingSize_ = count;
        curl_easy_pause(transfer_->easy(), CURLPAUSE_CONT);
        try {
            transfer_->driveUntil([this] { return pendingSize_ == 0; });
        } catch (const ComError&) {
            return 0;
        }
        const std::size_t written = count - pendingSize_;
        bodyWritten_ += written;
        pendingData_ = nullptr;
        pendingSize_ = 0;
        return written == count ? count : 0;
    }

    std::uint32_t end() override {
        if (!transfer_) return 12019;  // ERROR_INTERNET_INCORRECT_HANDLE_STATE
        // A body shorter than declared can never complete: abandon the request at once
        // instead of waiting for bytes that will not come.
        if (bodyWritten_ < request_.bodyLength) return 12030;  // ERROR_INTERNET_CONNECTION_ABORTED
        curl_easy_pause(transfer_->easy(), CURLPAUSE_CONT);
        try {
            transfer_->driveUntil([] { return false; });
        } catch (const ComError&) {
            return 12002;  // ERROR_INTERNET_TIMEOUT
        }
        status_ = static_cast<int>(transfer_->responseCode());
        return transfer_->failed() ? 12030u : 0u;  // ERROR_INTERNET_CONNECTION_ABORTED
    }

    int status() const override { return status_; }

private:
    static size_t onRead(char* buffer, size_t size, size_t count, void* self) {
        auto* me = static_cast<CurlUploadConnection*>(self);
        me->wantsBody_ = true;
        if (me->pendingSize_ == 0) return CURL_READFUNC_PAUSE;
        const std::size_t n = std::min(size * count, me->pendingSize_);
        std::memcpy(buffer, me->pendingData_, n);
        me->pendingData_ += n;
        me->pendingSize_ -= n;
        me->transfer_->noteActivity();
        return n;
    }

    static size_t onAnswer(char*, size_t size, size_t count, void* self) {
        static_cast<CurlUploadConnection*>(self)->transfer_->noteActivity();
        return size * count;  // the answer's body is not read
    }

    UploadRequest request_;
    std::chrono::milliseconds timeout_;
    std::string url_;
    CurlHeaders headers_;
    std::unique_ptr<CurlTransfer> transfer_;
    const char* pendingData_ = nullptr;
    std::size_t pendingSize_ = 0;
    bool wantsBody_ = false;
    std::uint64_t bodyWritten_ = 0;
    int status_ = 0;
};

}  // namespace

std::unique_ptr<UploadConnection> CurlUploadClient::open(const UploadRequest& request) {
    return std::make_unique<CurlUploadConnection>(request, timeout_);
}

}  // namespace zu
