#include "support/SideTransfers.h"

#include "platform/win32/WinInetDownloadClient.h"
#include "platform/win32/WinInetUploadClient.h"

namespace zu::test {

std::unique_ptr<DownloadClient> makeSideDownloadClient(std::chrono::milliseconds timeout) {
    return std::make_unique<WinInetDownloadClient>(timeout);
}
std::unique_ptr<UploadClient> makeSideUploadClient(std::chrono::milliseconds timeout) {
    return std::make_unique<WinInetUploadClient>(timeout);
}

bool sideBoundsSilentServers() { return false; }

}  // namespace zu::test
