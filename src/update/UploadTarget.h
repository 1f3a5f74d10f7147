#pragma once
// The address an upload is posted to, taken from an upload item's targetUrl.
#include <optional>
#include <string>

namespace zu {

struct UploadTarget {
    std::string host;
    int port = 0;      // 0: the scheme's default (80, or 443 when secure)
    std::string path;  // after the "/" that ends the host; the query stays in it
    bool secure = false;

    bool operator==(const UploadTarget&) const = default;
};

// "http://" or "https://", a host with an optional ":port", then "/" and the path.
// Nothing when the text is not such an address.
std::optional<UploadTarget> parseUploadTarget(const std::string& url);

}  // namespace zu
