#include "harness/local_server.h"

#include <ws2tcpip.h>

#include <cstdlib>

namespace harness {

namespace {

struct WinsockUse {
    WinsockUse() {
        WSADATA data;
        (void)WSAStartup(MAKEWORD(2, 2), &data);  // a failure shows as the listener's
    }
    ~WinsockUse() { WSACleanup(); }
};

SOCKET ListenOnLoopback(int* port) {
    static WinsockUse winsock;  // for the life of the test program
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, 16) != 0 || getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (listener != INVALID_SOCKET) closesocket(listener);
        return INVALID_SOCKET;
    }
    *port = ntohs(address.sin_port);
    return listener;
}

// The length of a request's body from its headers; 0 without one.
std::size_t ContentLength(const std::string& headers) {
    std::string lower = headers;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::size_t at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : std::strtoul(lower.c_str() + at + 17, nullptr, 10);
}

}  // namespace

LocalServer::LocalServer() {
    listener_ = ListenOnLoopback(&port_);
    if (listener_ != INVALID_SOCKET) acceptor_ = std::thread(&LocalServer::AcceptConnections, this);
}

LocalServer::~LocalServer() {
    // The listener first: once its accept has failed, the acceptor ends and
    // adds no more connections. Then the connections, whose threads end as
    // their reads fail.
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    if (acceptor_.joinable()) acceptor_.join();
    for (SOCKET connection : connections_) closesocket(connection);
    for (std::thread& server : servers_) server.join();
}

void LocalServer::Answer(const std::string& bytes) {
    std::lock_guard<std::mutex> lock(mutex_);
    answer_ = bytes;
}

std::string LocalServer::Uri(const std::string& path) const {
    return "ipp://127.0.0.1:" + std::to_string(port_) + path;
}

bool LocalServer::WaitForRequests(int count, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (requests_ < count) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

void LocalServer::AcceptConnections() {
    for (;;) {
        const SOCKET connection = accept(listener_, nullptr, nullptr);
        if (connection == INVALID_SOCKET) return;
        std::lock_guard<std::mutex> lock(mutex_);
        connections_.push_back(connection);
        servers_.emplace_back(&LocalServer::Serve, this, connection);
    }
}

void LocalServer::Serve(SOCKET connection) {
    std::string received;
    char buffer[4096];
    for (;;) {
        const int got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        received.append(buffer, got);
        // Every request that arrived whole, headers and body, is answered.
        for (;;) {
            const std::size_t headersEnd = received.find("\r\n\r\n");
            if (headersEnd == std::string::npos) break;
            const std::size_t size = headersEnd + 4 + ContentLength(received.substr(0, headersEnd + 2));
            if (received.size() < size) break;
            received.erase(0, size);
            std::string answer;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                answer = answer_;
            }
            ++requests_;
            if (!answer.empty()) (void)send(connection, answer.data(), static_cast<int>(answer.size()), 0);
        }
    }
}

std::string HttpAnswer(int status, const std::string& body) {
    return "HTTP/1.1 " + std::to_string(status) + " Status\r\nContent-Type: application/ipp\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

int ClosedPort() {
    int port = 0;
    const SOCKET listener = ListenOnLoopback(&port);
    if (listener != INVALID_SOCKET) closesocket(listener);
    return port;
}

}  // namespace harness
