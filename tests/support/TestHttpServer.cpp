#include "support/TestHttpServer.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
using SocketLen = int;
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
using SocketLen = socklen_t;
#endif

#include <algorithm>
#include <cctype>
#include <chrono>
#include <stdexcept>

namespace zu::test {

namespace {

using Socket = std::intptr_t;

void closeSocket(Socket s) {
#ifdef _WIN32
    ::closesocket(static_cast<SOCKET>(s));
#else
    ::close(static_cast<int>(s));
#endif
}

#ifdef _WIN32
struct WinsockInit {
    WinsockInit() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockInit() { WSACleanup(); }
};
#endif

// Binds a TCP socket to 127.0.0.1:port (0 = any free port); returns it and its port.
std::pair<Socket, int> bindLoopback(int port) {
    const auto s = static_cast<Socket>(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (s < 0) throw std::runtime_error("socket failed");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        closeSocket(s);
        throw std::runtime_error("bind failed");
    }
    SocketLen len = sizeof addr;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len);
    return {s, ntohs(addr.sin_port)};
}

bool waitReadable(Socket s, int ms) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    return ::select(static_cast<int>(s + 1), &set, nullptr, nullptr, &tv) > 0;
}

bool sendAll(Socket s, const char* data, std::size_t size) {
    while (size > 0) {
        const int n = static_cast<int>(::send(s, data, static_cast<int>(std::min<std::size_t>(size, 65536)), 0));
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    const auto e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// Reads one request (head, then a body of Content-Length bytes). False on a broken peer.
bool readRequest(Socket s, HttpRequest& req) {
    std::string data;
    char buf[8192];
    std::size_t headEnd = std::string::npos;
    while ((headEnd = data.find("\r\n\r\n")) == std::string::npos) {
        if (!waitReadable(s, 10000)) return false;
        const int n = static_cast<int>(::recv(s, buf, sizeof buf, 0));
        if (n <= 0) return false;
        data.append(buf, static_cast<std::size_t>(n));
    }
    const std::string head = data.substr(0, headEnd);
    std::size_t lineEnd = head.find("\r\n");
    const std::string requestLine = head.substr(0, lineEnd);
    const auto sp1 = requestLine.find(' ');
    const auto sp2 = requestLine.rfind(' ');
    req.method = requestLine.substr(0, sp1);
    req.target = requestLine.substr(sp1 + 1, sp2 - sp1 - 1);
    req.version = requestLine.substr(sp2 + 1);
    std::size_t contentLength = 0;
    while (lineEnd != std::string::npos && lineEnd < head.size()) {
        const std::size_t next = head.find("\r\n", lineEnd + 2);
        const std::string line = head.substr(lineEnd + 2, next == std::string::npos ? std::string::npos : next - lineEnd - 2);
        const auto colon = line.find(':');
        if (colon != std::string::npos) {
            req.headers.emplace_back(line.substr(0, colon), trim(line.substr(colon + 1)));
            if (lower(line.substr(0, colon)) == "content-length")
                contentLength = static_cast<std::size_t>(std::stoull(trim(line.substr(colon + 1))));
        }
        lineEnd = next;
    }
    req.body = data.substr(headEnd + 4);
    while (req.body.size() < contentLength) {
        if (!waitReadable(s, 10000)) break;
        const int n = static_cast<int>(::recv(s, buf, sizeof buf, 0));
        if (n <= 0) break;
        req.body.append(buf, static_cast<std::size_t>(n));
    }
    req.raw = head + "\r\n\r\n" + req.body;
    return true;
}

}  // namespace

std::string HttpRequest::header(const std::string& name) const {
    for (const auto& [k, v] : headers)
        if (lower(k) == lower(name)) return v;
    return {};
}

HttpResponse HttpResponse::ok(std::string body, std::string contentType) {
    HttpResponse r;
    r.body = std::move(body);
    r.headers.emplace_back("Content-Type", std::move(contentType));
    return r;
}

HttpResponse HttpResponse::notFound() {
    HttpResponse r;
    r.status = 404;
    r.reason = "Not Found";
    r.body = "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1><br></body></html>";
    r.headers.emplace_back("Content-Type", "text/html");
    return r;
}

TestHttpServer::TestHttpServer() {
#ifdef _WIN32
    static WinsockInit winsock;  // process-wide Winsock start-up for the test program
#endif
    auto [s, port] = bindLoopback(0);
    listener_ = s;
    port_ = port;
    ::listen(static_cast<int>(listener_), 64);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

TestHttpServer::~TestHttpServer() {
    stopping_ = true;
    if (acceptor_.joinable()) acceptor_.join();
    closeSocket(listener_);
    std::vector<std::thread> workers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        workers.swap(workers_);
    }
    for (auto& t : workers) t.join();
}

std::string TestHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void TestHttpServer::route(const std::string& pathPrefix, Handler handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    routes_[pathPrefix] = std::move(handler);
}

std::vector<HttpRequest> TestHttpServer::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int TestHttpServer::unusedPort() {
#ifdef _WIN32
    static WinsockInit winsock;
#endif
    auto [s, port] = bindLoopback(0);
    closeSocket(s);
    return port;
}

void TestHttpServer::acceptLoop() {
    while (!stopping_) {
        if (!waitReadable(listener_, 50)) continue;
        const auto c = static_cast<Socket>(::accept(listener_, nullptr, nullptr));
        if (c < 0) continue;
        std::lock_guard<std::mutex> lock(mutex_);
        workers_.emplace_back([this, c] { serve(c); });
    }
}

HttpResponse TestHttpServer::dispatch(const HttpRequest& request) {
    Handler handler;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
        std::size_t best = 0;
        for (const auto& [prefix, h] : routes_)
            if (request.target.compare(0, prefix.size(), prefix) == 0 && prefix.size() >= best) {
                best = prefix.size();
                handler = h;
            }
    }
    return handler ? handler(request) : HttpResponse::notFound();
}

void TestHttpServer::sleepUnlessStopping(int ms) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stopping_ && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void TestHttpServer::serve(std::intptr_t connection) {
    HttpRequest req;
    if (readRequest(connection, req)) {
        const HttpResponse res = dispatch(req);
        std::string head = "HTTP/1.1 " + std::to_string(res.status) + " " + res.reason + "\r\n";
        for (const auto& [k, v] : res.headers) head += k + ": " + v + "\r\n";
        if (res.sendContentLength)
            head += "Content-Length: " +
                    std::to_string(res.declaredLength >= 0 ? res.declaredLength : static_cast<long long>(res.body.size())) +
                    "\r\n";
        head += "Connection: close\r\n\r\n";
        if (sendAll(connection, head.data(), head.size())) {
            if (res.stallMsBeforeBody > 0) sleepUnlessStopping(res.stallMsBeforeBody);
            const std::size_t n = std::min(res.body.size(), res.closeAfterBodyBytes);
            if (req.method != "HEAD") sendAll(connection, res.body.data(), n);
        }
    }
#ifdef _WIN32
    ::shutdown(connection, SD_SEND);
#else
    ::shutdown(static_cast<int>(connection), SHUT_WR);
#endif
    closeSocket(connection);
}

}  // namespace zu::test
