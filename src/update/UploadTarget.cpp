#include "update/UploadTarget.h"

#include "common/Text.h"

namespace zu {
namespace {

struct Scheme {
    const char* prefix;
    bool secure;
};
constexpr Scheme kSchemes[] = {{"http://", false}, {"https://", true}};

std::optional<int> parsePort(const std::string& digits) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}

}  // namespace

std::optional<UploadTarget> parseUploadTarget(const std::string& url) {
    for (const Scheme& scheme : kSchemes) {
        const std::string prefix = scheme.prefix;
        if (url.size() < prefix.size() || !equalsIgnoreAsciiCase(url.substr(0, prefix.size()), prefix)) continue;
        const std::size_t slash = url.find('/', prefix.size());
        if (slash == std::string::npos) return std::nullopt;
        UploadTarget target;
        target.secure = scheme.secure;
        target.path = url.substr(slash + 1);
        std::string authority = url.substr(prefix.size(), slash - prefix.size());
        if (const std::size_t colon = authority.rfind(':'); colon != std::string::npos) {
            const auto port = parsePort(authority.substr(colon + 1));
            if (!port) return std::nullopt;
            target.port = *port;
            authority.resize(colon);
        }
        if (authority.empty()) return std::nullopt;
        target.host = authority;
        return target;
    }
    return std::nullopt;
}

}  // namespace zu
