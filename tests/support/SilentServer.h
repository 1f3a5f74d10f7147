#pragma once
// A TCP port on 127.0.0.1 that takes connections (the system's backlog completes them)
// but never reads or answers: a server that has stopped responding.
#include <cstdint>
#include <string>

namespace zu::test {

class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

private:
    std::intptr_t listener_ = -1;
    int port_ = 0;
};

}  // namespace zu::test
