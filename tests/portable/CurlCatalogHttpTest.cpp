// What the libcurl GET adds to the contract: bodies in single-byte western charsets
// become UTF-8, and transport failures carry the WinINet-style code.
#include <gtest/gtest.h>

#include "common/ComError.h"
#include "platform/portable/CurlCatalogHttp.h"
#include "support/TestHttpServer.h"

namespace zu {
namespace {

TEST(CurlCatalogHttpTest, DeclaredCharsetIsDecodedToUtf8) {
    const struct {
        const char* contentType;
        std::string body;
        std::string expected;
    } cases[] = {
        {"text/xml; charset=ISO-8859-1", "Actualiza\xE7\xE3o", "Actualização"},
        {"text/xml;charset=\"iso-8859-1\"", "Actualiza\xE7\xE3o", "Actualização"},
        {"text/xml; charset=windows-1252; x=y", "\x80 \x93ok\x94", "€ “ok”"},
        {"text/xml; charset=UTF-8", "Actualização", "Actualização"},
        {"text/xml", "Actualização", "Actualização"},
        {"", "", ""},
    };
    test::TestHttpServer server;
    CurlCatalogHttp http;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contentType);
        test::HttpResponse response;
        if (*c.contentType) response.headers = {{"Content-Type", c.contentType}};
        response.body = c.body;
        server.route("/catalog", [response](const test::HttpRequest&) { return response; });
        EXPECT_EQ(http.get(server.url("/catalog")), c.expected);
    }
}

TEST(CurlCatalogHttpTest, TransportFailuresCarryWinInetCodes) {
    CurlCatalogHttp http;
    const struct {
        std::string url;
        HResult code;
    } cases[] = {
        {"http://127.0.0.1:" + std::to_string(test::TestHttpServer::unusedPort()) + "/", hr::fromWin32(12029)},
        {"gopherx://127.0.0.1/", hr::fromWin32(12006)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        try {
            http.get(c.url);
            ADD_FAILURE() << "expected a raised failure";
        } catch (const ComError& e) {
            EXPECT_EQ(e.code(), c.code) << e.what();
        }
    }
}

}  // namespace
}  // namespace zu
