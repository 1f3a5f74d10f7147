// The catalogue GET port against a local server, run on the side's real adapter
// (libcurl natively, XMLHTTP under Wine).
#include <gtest/gtest.h>

#include "common/ComError.h"
#include "support/SideCatalogHttp.h"
#include "support/TestHttpServer.h"

namespace zu {
namespace {

constexpr const char* kCatalog = "<?xml version=\"1.0\"?>\n<catalog><setups><setup id=\"1\"/></setups></catalog>\n";

class CatalogHttpContract : public ::testing::Test {
protected:
    test::TestHttpServer server;
    std::unique_ptr<CatalogHttp> http = test::makeSideCatalogHttp();
};

TEST_F(CatalogHttpContract, BodyIsReturnedWhateverTheStatus) {
    const struct {
        const char* what;
        int status;
        const char* reason;
        const char* contentType;
        std::string body;
    } cases[] = {
        {"a catalogue", 200, "OK", "text/xml", kCatalog},
        {"a not-found page", 404, "Not Found", "text/html",
         "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1></body></html>"},
        {"a server error", 500, "Internal Server Error", "text/plain", "falhou"},
        {"an empty catalogue", 200, "OK", "text/xml", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::HttpResponse response;
        response.status = c.status;
        response.reason = c.reason;
        response.headers = {{"Content-Type", c.contentType}};
        response.body = c.body;
        server.route("/catalog", [response](const test::HttpRequest&) { return response; });
        EXPECT_EQ(http->get(server.url("/catalog?productName=Zelto&productVersion=1.0")), c.body);
    }
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), std::size(cases));
    EXPECT_EQ(requests.back().method, "GET");
    EXPECT_EQ(requests.back().target, "/catalog?productName=Zelto&productVersion=1.0");
}

TEST_F(CatalogHttpContract, Utf8ByteOrderMarkIsNotPartOfTheText) {
    server.route("/bom", [](const test::HttpRequest&) {
        return test::HttpResponse::ok(std::string("\xEF\xBB\xBF") + kCatalog, "text/xml");
    });
    EXPECT_EQ(http->get(server.url("/bom")), kCatalog);
}

TEST_F(CatalogHttpContract, ConnectionDroppedWithinTheBodyLeavesWhatArrived) {
    test::HttpResponse cut = test::HttpResponse::ok(kCatalog, "text/xml");
    cut.closeAfterBodyBytes = 20;
    server.route("/cut", [cut](const test::HttpRequest&) { return cut; });
    EXPECT_EQ(http->get(server.url("/cut")), std::string(kCatalog).substr(0, 20));
}

TEST_F(CatalogHttpContract, RedirectIsFollowed) {
    test::HttpResponse moved;
    moved.status = 302;
    moved.reason = "Found";
    moved.headers = {{"Location", server.url("/catalog")}, {"Content-Type", "text/html"}};
    moved.body = "<html>moved</html>";
    server.route("/old", [moved](const test::HttpRequest&) { return moved; });
    server.route("/catalog", [](const test::HttpRequest&) { return test::HttpResponse::ok(kCatalog, "text/xml"); });
    EXPECT_EQ(http->get(server.url("/old")), kCatalog);
}

TEST_F(CatalogHttpContract, UnreachableServerRaisesAFailureCode) {
    const std::string url = "http://127.0.0.1:" + std::to_string(test::TestHttpServer::unusedPort()) + "/catalog";
    try {
        http->get(url);
        FAIL() << "expected a raised failure";
    } catch (const ComError& e) {
        EXPECT_NE(e.code() & 0x80000000u, 0u) << e.what();
    }
}

}  // namespace
}  // namespace zu
