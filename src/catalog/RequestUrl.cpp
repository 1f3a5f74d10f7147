#include "catalog/RequestUrl.h"

#include <string_view>

#include "common/Locale.h"
#include "common/Text.h"

namespace zu {

namespace {
constexpr std::string_view kProductNameParameter = "PRODUCTNAME=";

// Whether the parameter starts at a character boundary after the first character;
// matches never begin on the trail byte of a double-byte character.
bool namesProduct(const std::string& url, const Locale& locale) {
    std::size_t i = 0;
    while (i < url.size()) {
        if (i > 0 && equalsIgnoreAsciiCase(std::string_view(url).substr(i, kProductNameParameter.size()),
                                           kProductNameParameter))
            return true;
        i += locale.isLeadByte(static_cast<unsigned char>(url[i])) ? 2 : 1;
    }
    return false;
}

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}
}  // namespace

std::string percentEncode(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string setupsRequestUrl(const std::string& catalogUrl, const std::string& productName,
                             const std::string& version, const Locale& locale) {
    if (namesProduct(catalogUrl, locale)) return catalogUrl;
    std::string url = catalogUrl;
    if (url.find('?') == std::string::npos)
        url += '?';
    else if (url.back() != '?' && url.back() != '&')
        url += '&';
    url += "productName=" + percentEncode(productName) + "&productVersion=" + percentEncode(version);
    return url;
}

}  // namespace zu
