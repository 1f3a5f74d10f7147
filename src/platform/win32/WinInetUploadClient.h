#pragma once
// Upload port over the WinINet request calls: one POST request that HttpSendRequestExA
// starts, InternetWriteFile feeds and HttpEndRequestA completes.
#include <chrono>

#include "update/TransferPorts.h"

namespace zu {

class WinInetUploadClient final : public UploadClient {
public:
    explicit WinInetUploadClient(std::chrono::milliseconds timeout = kTransferTimeout) : timeout_(timeout) {}
    std::unique_ptr<UploadConnection> open(const UploadRequest& request) override;

private:
    std::chrono::milliseconds timeout_;
};

}  // namespace zu
