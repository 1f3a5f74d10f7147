#include "platform/win32/WinInetError.h"

#include <wininet.h>

#include "common/ComError.h"
#include "update/TransferPorts.h"

namespace zu::win {

std::string internetErrorText(DWORD error) {
    char buffer[256] = {};
    DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    HMODULE wininet = GetModuleHandleA("wininet.dll");
    if (wininet && error >= INTERNET_ERROR_BASE && error <= INTERNET_ERROR_LAST) flags |= FORMAT_MESSAGE_FROM_HMODULE;
    DWORD n = FormatMessageA(flags, wininet, error, 0, buffer, sizeof buffer - 1, nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "Erro " + std::to_string(error) + ".";
    return text;
}

void throwInternetError(DWORD error) {
    if (error == ERROR_INTERNET_TIMEOUT) throw ComError(kTransferTimedOut, internetErrorText(error));
    throw ComError(hr::fromWin32(error), internetErrorText(error));
}

}  // namespace zu::win
