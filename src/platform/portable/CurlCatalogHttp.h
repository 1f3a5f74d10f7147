#pragma once
// Catalogue GET through libcurl. Proxies come from the environment (libcurl's default);
// redirects are followed. The body is handed back as UTF-8 text.
#include <string>

#include "catalog/CatalogHttp.h"
#include "common/ComError.h"

namespace zu {

class CurlCatalogHttp final : public CatalogHttp {
public:
    std::string get(const std::string& url) override;
};

// The failure code a transport error carries: the WinINet-style code the Windows HTTP
// object reports for the same situation (exposed for tests).
HResult curlFailureCode(int curlCode);

// `body` as UTF-8, given the response's Content-Type header value (may be empty):
// ISO-8859-1 and windows-1252 bodies are decoded, anything else passes unchanged
// (without a UTF-8 byte-order mark).
std::string bodyAsUtf8(const std::string& body, const std::string& contentType);

}  // namespace zu
