#include "platform/win32/ComCreate.h"

namespace zu::win {

namespace {
CLSID classIdOf(const std::wstring& progId) {
    CLSID clsid{};
    const bool braced = !progId.empty() && progId.front() == L'{';
    check(braced ? CLSIDFromString(progId.c_str(), &clsid) : CLSIDFromProgID(progId.c_str(), &clsid),
          "class id lookup");
    return clsid;
}
}  // namespace

void createComObject(const std::wstring& progId, REFIID iid, void** out) {
    *out = nullptr;
    const CLSID clsid = classIdOf(progId);
    check(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, iid, out), "CoCreateInstance");
    if (!*out) throw ComError(hr::pointer, "CoCreateInstance returned no object");
}

}  // namespace zu::win
