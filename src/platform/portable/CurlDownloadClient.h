#pragma once
// Download port over libcurl: a plain GET whose body is handed out in reads of the
// caller's size as it arrives.
#include <chrono>

#include "update/TransferPorts.h"

namespace zu {

class CurlDownloadClient final : public DownloadClient {
public:
    explicit CurlDownloadClient(std::chrono::milliseconds timeout = kTransferTimeout) : timeout_(timeout) {}
    std::unique_ptr<DownloadResponse> open(const std::string& url) override;

private:
    std::chrono::milliseconds timeout_;
};

}  // namespace zu
