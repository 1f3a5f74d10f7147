#include "platform/portable/CurlDownloadClient.h"

#include <algorithm>
#include <cstring>

#include "platform/portable/CurlTransfer.h"

namespace zu {
namespace {

class CurlDownloadResponse final : public DownloadResponse {
public:
    CurlDownloadResponse(const std::string& url, std::chrono::milliseconds timeout) : transfer_(timeout) {
        CURL* easy = transfer_.easy();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CurlDownloadResponse::onBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &CurlDownloadResponse::onHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
        transfer_.start();
        transfer_.driveUntil([this] { return headersDone_; });
        if (transfer_.failed()) transfer_.raiseFailure();
        status_ = static_cast<int>(transfer_.responseCode());
        curl_off_t length = -1;
        curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        declaredLength_ = length;
    }

    int status() const override { return status_; }
    std::int64_t declaredLength() const override { return declaredLength_; }

    std::size_t read(char* buffer, std::size_t max) override {
        transfer_.driveUntil([this] { return offset_ < pending_.size(); });
        if (offset_ < pending_.size()) {
            const std::size_t n = std::min(max, pending_.size() - offset_);
            std::memcpy(buffer, pending_.data() + offset_, n);
            offset_ += n;
            if (offset_ == pending_.size()) {
                pending_.clear();
                offset_ = 0;
            }
            return n;
        }
        if (transfer_.failed()) transfer_.raiseFailure();
        return 0;
    }

private:
    static size_t onBody(char* data, size_t size, size_t count, void* self) {
        auto* me = static_cast<CurlDownloadResponse*>(self);
        me->pending_.append(data, size * count);
        me->transfer_.noteActivity();
        return size * count;
    }

    static size_t onHeader(char* data, size_t size, size_t count, void* self) {
        auto* me = static_cast<CurlDownloadResponse*>(self);
        const std::string line(data, size * count);
        me->transfer_.noteActivity();
        // The blank line after a final (non-1xx) status ends the head.
        if ((line == "\r\n" || line == "\n") && me->transfer_.responseCode() >= 200) me->headersDone_ = true;
        return size * count;
    }

    CurlTransfer transfer_;
    std::string pending_;
    std::size_t offset_ = 0;
    bool headersDone_ = false;
    int status_ = 0;
    std::int64_t declaredLength_ = -1;
};

}  // namespace

std::unique_ptr<DownloadResponse> CurlDownloadClient::open(const std::string& url) {
    return std::make_unique<CurlDownloadResponse>(url, timeout_);
}

}  // namespace zu
