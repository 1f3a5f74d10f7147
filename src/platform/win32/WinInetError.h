#pragma once
// WinINet failures as ComError: the platform's text for the code, and the time-out code
// of the transfers for ERROR_INTERNET_TIMEOUT.
#include <windows.h>

#include <string>

namespace zu::win {

// The system's message for a WinINet (or Win32) error code, without the closing line break.
std::string internetErrorText(DWORD error);
[[noreturn]] void throwInternetError(DWORD error);

}  // namespace zu::win
