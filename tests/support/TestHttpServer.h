#pragma once
// A small HTTP/1.x server for tests: binds 127.0.0.1 on a free port, runs in its own
// threads (POSIX sockets natively, Winsock under Wine), answers through routes and
// records every request. Each connection serves one request and is closed.
#include <atomic>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace zu::test {

struct HttpRequest {
    std::string method, target, version;
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    std::string raw;  // the request as received, head and body
    // The value of the first header with that name (case-insensitive), or "".
    std::string header(const std::string& name) const;
};

struct HttpResponse {
    int status = 200;
    std::string reason = "OK";
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    bool sendContentLength = true;
    long long declaredLength = -1;                 // -1: body.size()
    std::size_t closeAfterBodyBytes = SIZE_MAX;    // drop the connection after this many body bytes
    int stallMsBeforeBody = 0;                     // wait before sending the body

    static HttpResponse ok(std::string body, std::string contentType = "application/octet-stream");
    static HttpResponse notFound();
};

class TestHttpServer {
public:
    using Handler = std::function<HttpResponse(const HttpRequest&)>;

    TestHttpServer();
    ~TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    // The longest matching prefix of the request target wins; no match answers 404.
    void route(const std::string& pathPrefix, Handler handler);
    std::vector<HttpRequest> requests() const;

    // A port on 127.0.0.1 that nothing listens on.
    static int unusedPort();

private:
    void acceptLoop();
    void serve(std::intptr_t connection);
    HttpResponse dispatch(const HttpRequest& request);
    void sleepUnlessStopping(int ms) const;

    std::intptr_t listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Handler> routes_;
    std::vector<HttpRequest> requests_;
    std::vector<std::thread> workers_;
    std::thread acceptor_;
};

}  // namespace zu::test
