// The test server itself: a request reaches its route and is recorded.
#include <gtest/gtest.h>

#include "support/TestHttpServer.h"

#ifdef _WIN32
#include <winsock2.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace zu::test {
namespace {

std::string roundTrip(int port, const std::string& request) {
    const auto s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<unsigned short>(port));
    EXPECT_EQ(::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::send(s, request.data(), static_cast<int>(request.size()), 0);
    std::string answer;
    char buf[1024];
    for (int n; (n = static_cast<int>(::recv(s, buf, sizeof buf, 0))) > 0;) answer.append(buf, static_cast<std::size_t>(n));
#ifdef _WIN32
    ::closesocket(s);
#else
    ::close(s);
#endif
    return answer;
}

TEST(TestHttpServerTest, RoutesByLongestPrefixAndRecords) {
    TestHttpServer server;
    server.route("/a", [](const HttpRequest&) { return HttpResponse::ok("short"); });
    server.route("/a/b", [](const HttpRequest& r) { return HttpResponse::ok("long:" + r.body); });
    const std::string answer = roundTrip(server.port(), "POST /a/b?x=1 HTTP/1.0\r\nContent-Length: 3\r\n\r\nabc");
    EXPECT_NE(answer.find("200 OK"), std::string::npos);
    EXPECT_NE(answer.find("long:abc"), std::string::npos);
    EXPECT_NE(roundTrip(server.port(), "GET /zzz HTTP/1.0\r\n\r\n").find("404"), std::string::npos);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].target, "/a/b?x=1");
    EXPECT_EQ(requests[0].header("content-length"), "3");
    EXPECT_EQ(requests[0].body, "abc");
}

}  // namespace
}  // namespace zu::test
