#pragma once
// The side's real HTTP transfer adapters (libcurl natively, WinINet under Wine).
#include <chrono>
#include <memory>

#include "update/TransferPorts.h"

namespace zu::test {

std::unique_ptr<DownloadClient> makeSideDownloadClient(std::chrono::milliseconds timeout = kTransferTimeout);
std::unique_ptr<UploadClient> makeSideUploadClient(std::chrono::milliseconds timeout = kTransferTimeout);

}  // namespace zu::test
