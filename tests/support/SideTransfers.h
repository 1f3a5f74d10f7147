#pragma once
// The side's real HTTP transfer adapters (libcurl natively, WinINet under Wine).
#include <chrono>
#include <memory>

#include "update/TransferPorts.h"

namespace zu::test {

std::unique_ptr<DownloadClient> makeSideDownloadClient(std::chrono::milliseconds timeout = kTransferTimeout);
std::unique_ptr<UploadClient> makeSideUploadClient(std::chrono::milliseconds timeout = kTransferTimeout);

// Whether the side's adapters end a transfer to a server that accepted the connection and
// then never answers. WinINet does through its time-out options; Wine's WinINet ignores
// them while a request waits for its answer, so the Windows test program skips that case.
bool sideBoundsSilentServers();

}  // namespace zu::test
