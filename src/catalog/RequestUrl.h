#pragma once
// The address the setups catalogue is requested from.
#include <string>

namespace zu {

class Locale;

// `catalogUrl` exactly as given when it already names the product ("PRODUCTNAME=" in
// any case, after its first character); otherwise with "productName=" and
// "productVersion=" appended, percent-encoded, after "?" (no query yet) or "&".
std::string setupsRequestUrl(const std::string& catalogUrl, const std::string& productName,
                             const std::string& version, const Locale& locale);

// Percent-encodes every byte outside the URI unreserved set (ALPHA DIGIT - . _ ~).
std::string percentEncode(const std::string& text);

}  // namespace zu
