#include "common/ComError.h"

#include <cstdio>

namespace zu {

namespace {
std::string describe(HResult code, const std::string& what) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    return what.empty() ? std::string(hex) : what + " (" + hex + ")";
}
}  // namespace

ComError::ComError(HResult code, const std::string& what)
    : std::runtime_error(describe(code, what)), code_(code) {}

}  // namespace zu
