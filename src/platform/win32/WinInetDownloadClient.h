#pragma once
// Download port over WinINet: InternetOpenUrlA as raw bytes, InternetReadFile.
#include <chrono>

#include "update/TransferPorts.h"

namespace zu {

class WinInetDownloadClient final : public DownloadClient {
public:
    explicit WinInetDownloadClient(std::chrono::milliseconds timeout = kTransferTimeout) : timeout_(timeout) {}
    std::unique_ptr<DownloadResponse> open(const std::string& url) override;

private:
    std::chrono::milliseconds timeout_;
};

}  // namespace zu
