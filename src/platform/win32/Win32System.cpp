#include "platform/win32/Win32System.h"

#include <rpc.h>
#include <shlobj.h>

#include <ctime>

#include "platform/win32/ComSupport.h"

namespace zu {

bool AnsiLocale::isLeadByte(unsigned char byte) const { return IsDBCSLeadByte(byte) != 0; }

std::string AnsiLocale::toLower(std::string_view text) const {
    std::string out(text);
    if (!out.empty()) CharLowerBuffA(out.data(), static_cast<DWORD>(out.size()));
    return out;
}

std::optional<std::int64_t> CrtClock::toInstant(const CivilTime& t) const {
    std::tm tm = toBrokenDownTime(t);
    const __time64_t result = _mktime64(&tm);
    if (result == -1) return std::nullopt;
    return static_cast<std::int64_t>(result);
}

std::string ShellFolders::appDataFolder() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &list))) return {};
    char buffer[MAX_PATH] = {};
    SHGetPathFromIDListA(list, buffer);  // its own result is not needed: an empty buffer means no folder
    win::ComPtr<IMalloc> malloc;
    if (SUCCEEDED(SHGetMalloc(malloc.put()))) malloc->Free(list);
    return buffer;
}

std::string RpcUuidSource::newUuid() {
    UUID uuid;
    UuidCreate(&uuid);
    RPC_CSTR text = nullptr;
    if (UuidToStringA(&uuid, &text) != RPC_S_OK || !text) throw ComError(hr::outOfMemory, "UuidToString failed");
    std::string out(reinterpret_cast<const char*>(text));
    RpcStringFreeA(&text);
    return out;
}

std::string ResourceStrings::load(int id) const {
    char buffer[2048];
    const int n = LoadStringA(module_, static_cast<UINT>(id), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace zu
