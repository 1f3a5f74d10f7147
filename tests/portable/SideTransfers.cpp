#include "support/SideTransfers.h"

#include "platform/portable/CurlDownloadClient.h"
#include "platform/portable/CurlUploadClient.h"

namespace zu::test {

std::unique_ptr<DownloadClient> makeSideDownloadClient(std::chrono::milliseconds timeout) {
    return std::make_unique<CurlDownloadClient>(timeout);
}
std::unique_ptr<UploadClient> makeSideUploadClient(std::chrono::milliseconds timeout) {
    return std::make_unique<CurlUploadClient>(timeout);
}

bool sideBoundsSilentServers() { return true; }

}  // namespace zu::test
