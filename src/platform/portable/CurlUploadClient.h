#pragma once
// Upload port over libcurl: an HTTP/1.0 POST whose body the caller writes piece by piece;
// curl pulls each piece straight from the caller's memory (the mapped file) as it sends.
#include <chrono>

#include "update/TransferPorts.h"

namespace zu {

class CurlUploadClient final : public UploadClient {
public:
    explicit CurlUploadClient(std::chrono::milliseconds timeout = kTransferTimeout) : timeout_(timeout) {}
    std::unique_ptr<UploadConnection> open(const UploadRequest& request) override;

private:
    std::chrono::milliseconds timeout_;
};

}  // namespace zu
