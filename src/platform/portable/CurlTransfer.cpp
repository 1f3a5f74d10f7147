#include "platform/portable/CurlTransfer.h"

#include "common/ComError.h"
#include "update/TransferPorts.h"

namespace zu {

CurlTransfer::CurlTransfer(std::chrono::milliseconds timeout)
    : multi_(curl_multi_init()), easy_(curl_easy_init()), timeout_(timeout) {
    if (!multi_ || !easy_) throw ComError(hr::outOfMemory, "curl init failed");
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeout.count()));
}

CurlTransfer::~CurlTransfer() {
    if (started_) curl_multi_remove_handle(multi_, easy_);
    curl_easy_cleanup(easy_);
    curl_multi_cleanup(multi_);
}

void CurlTransfer::start() {
    curl_multi_add_handle(multi_, easy_);
    started_ = true;
    noteActivity();
}

void CurlTransfer::driveUntil(const std::function<bool()>& ready) {
    while (!done_ && !ready()) {
        int running = 0;
        curl_multi_perform(multi_, &running);
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi_, &queued)) {
            if (msg->msg == CURLMSG_DONE) {
                done_ = true;
                result_ = msg->data.result;
            }
        }
        if (done_ || ready()) break;
        if (std::chrono::steady_clock::now() - lastActivity_ > timeout_)
            throw ComError(kTransferTimedOut, "transfer timed out");
        curl_multi_poll(multi_, nullptr, 0, 20, nullptr);
    }
}

void CurlTransfer::raiseFailure() const {
    if (result_ == CURLE_OPERATION_TIMEDOUT) throw ComError(kTransferTimedOut, curl_easy_strerror(result_));
    throw ComError(hr::fail, curl_easy_strerror(result_));
}

long CurlTransfer::responseCode() const {
    long code = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &code);
    return code;
}

}  // namespace zu
