#include "platform/portable/CurlCatalogHttp.h"

#include <curl/curl.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <utility>

#include "common/ComError.h"

namespace zu {

namespace {

struct CurlCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlHandle = std::unique_ptr<CURL, CurlCleanup>;

// WinINet error numbers (ERROR_INTERNET_* / ERROR_HTTP_*).
constexpr std::uint32_t kInternetTimeout = 12002;
constexpr std::uint32_t kInternetInternalError = 12004;
constexpr std::uint32_t kInternetInvalidUrl = 12005;
constexpr std::uint32_t kInternetUnrecognizedScheme = 12006;
constexpr std::uint32_t kInternetNameNotResolved = 12007;
constexpr std::uint32_t kInternetCannotConnect = 12029;
constexpr std::uint32_t kInternetConnectionReset = 12031;
constexpr std::uint32_t kInternetInvalidCa = 12045;
constexpr std::uint32_t kHttpInvalidServerResponse = 12152;
constexpr std::uint32_t kHttpRedirectFailed = 12156;
constexpr std::uint32_t kInternetSecurityChannelError = 12157;

constexpr std::pair<CURLcode, std::uint32_t> kCurlToWinInet[] = {
    {CURLE_UNSUPPORTED_PROTOCOL, kInternetUnrecognizedScheme},
    {CURLE_URL_MALFORMAT, kInternetInvalidUrl},
    {CURLE_COULDNT_RESOLVE_PROXY, kInternetNameNotResolved},
    {CURLE_COULDNT_RESOLVE_HOST, kInternetNameNotResolved},
    {CURLE_COULDNT_CONNECT, kInternetCannotConnect},
    {CURLE_OPERATION_TIMEDOUT, kInternetTimeout},
    {CURLE_GOT_NOTHING, kHttpInvalidServerResponse},
    {CURLE_WEIRD_SERVER_REPLY, kHttpInvalidServerResponse},
    {CURLE_SEND_ERROR, kInternetConnectionReset},
    {CURLE_RECV_ERROR, kInternetConnectionReset},
    {CURLE_TOO_MANY_REDIRECTS, kHttpRedirectFailed},
    {CURLE_SSL_CONNECT_ERROR, kInternetSecurityChannelError},
    {CURLE_PEER_FAILED_VERIFICATION, kInternetInvalidCa},
};

size_t appendBody(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The charset parameter of a Content-Type value, lower case, without quotes.
std::string charsetOf(const std::string& contentType) {
    const std::string value = lower(contentType);
    const auto at = value.find("charset=");
    if (at == std::string::npos) return {};
    std::string charset = value.substr(at + 8);
    charset = charset.substr(0, charset.find_first_of("; \t"));
    charset.erase(std::remove(charset.begin(), charset.end(), '"'), charset.end());
    return charset;
}

// windows-1252 bytes 0x80..0x9F; the rest of the range is ISO-8859-1 (same code point).
// Servers that say ISO-8859-1 mean this too, as browsers and MLang read it.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string cp1252ToUtf8(const std::string& body) {
    std::string out;
    out.reserve(body.size() + body.size() / 8);
    for (unsigned char c : body) appendUtf8(out, c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c);
    return out;
}

bool isSingleByteWestern(const std::string& charset) {
    static constexpr const char* kNames[] = {"iso-8859-1", "iso8859-1", "latin1", "l1",
                                             "windows-1252", "cp1252", "x-cp1252"};
    return std::any_of(std::begin(kNames), std::end(kNames), [&](const char* n) { return charset == n; });
}

}  // namespace

HResult curlFailureCode(int curlCode) {
    if (curlCode == CURLE_OUT_OF_MEMORY) return hr::outOfMemory;
    for (const auto& [curl, winInet] : kCurlToWinInet)
        if (curl == curlCode) return hr::fromWin32(winInet);
    return hr::fromWin32(kInternetInternalError);
}

std::string bodyAsUtf8(const std::string& body, const std::string& contentType) {
    if (isSingleByteWestern(charsetOf(contentType))) return cp1252ToUtf8(body);
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (body.compare(0, kBom.size(), kBom) == 0) return body.substr(kBom.size());
    return body;
}

std::string CurlCatalogHttp::get(const std::string& url) {
    CurlHandle curl(curl_easy_init());
    if (!curl) throw ComError(hr::outOfMemory, "curl_easy_init failed");

    std::string body;
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_ACCEPT_ENCODING, "");  // whatever libcurl can decode
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errorText);

    // A connection dropped within the body leaves the part that arrived, as the Windows
    // HTTP object does; the parser then finds it truncated.
    const CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK && result != CURLE_PARTIAL_FILE) {
        const std::string detail = errorText[0] ? errorText : curl_easy_strerror(result);
        throw ComError(curlFailureCode(result), "GET " + url + ": " + detail);
    }

    const char* contentType = nullptr;
    curl_easy_getinfo(curl.get(), CURLINFO_CONTENT_TYPE, &contentType);
    return bodyAsUtf8(body, contentType ? contentType : "");
}

}  // namespace zu
