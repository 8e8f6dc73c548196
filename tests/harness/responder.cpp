#include <winsock2.h>

#include "harness/responder.h"

#include <type_traits>

#include "harness/http_bytes.h"

namespace harness {

static_assert(std::is_same<Responder::Socket, SOCKET>::value && ~Responder::Socket{0} == INVALID_SOCKET,
              "Responder::Socket stands for a SOCKET");

namespace {

constexpr size_t kMaxRequest = 1024 * 1024;  // an unfinished request beyond this ends its connection
constexpr size_t kMaxConnections = 32;       // a select set holds 64 sockets
constexpr long kTickUs = 50 * 1000;          // how soon the serving thread sees that it is to end

const char* ReasonPhrase(int status) {
    switch (status) {
        case 200: return "OK";
        case 400: return "Bad Request";
        case 401: return "Unauthorized";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 426: return "Upgrade Required";
        case 500: return "Internal Server Error";
        default: return "Status";
    }
}

bool SendAll(SOCKET connection, const std::string& bytes) {
    for (size_t sent = 0; sent < bytes.size();) {
        const int now = send(connection, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (now <= 0) return false;
        sent += static_cast<size_t>(now);
    }
    return true;
}

// A listening socket at a free port of 127.0.0.1, and that port; none when
// one cannot be had. Winsock must have been started.
SOCKET ListenOnLoopback(int* port) {
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // a free one
    int length = sizeof address;
    if (listener == INVALID_SOCKET || bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, SOMAXCONN) != 0 ||
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener != INVALID_SOCKET) closesocket(listener);
        return INVALID_SOCKET;
    }
    *port = ntohs(address.sin_port);
    return listener;
}

int OperationOf(const std::string& body) {
    if (body.size() < 4) return -1;
    return (static_cast<unsigned char>(body[2]) << 8) | static_cast<unsigned char>(body[3]);
}

}  // namespace

Answer NoAnswer() {
    Answer answer;
    answer.silent = true;
    return answer;
}

Answer RawAnswer(const std::string& bytes) {
    Answer answer;
    answer.bytes = bytes;
    answer.closeAfter = true;
    return answer;
}

Answer HttpAnswer(int status, const std::string& contentType, const std::string& body) {
    std::string header = "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) + "\r\n";
    if (status == 401) header += "WWW-Authenticate: Basic realm=\"printer\"\r\n";
    if (status == 426) header += "Upgrade: TLS/1.2, HTTP/1.1\r\nConnection: Upgrade\r\n";
    header += "Content-Type: " + contentType + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    Answer answer;
    answer.bytes = header + body;
    return answer;
}

Answer IppAnswer(const std::string& body) {
    Answer answer = HttpAnswer(200, "application/ipp", body);
    if (body.size() >= 8) answer.ippAt = answer.bytes.size() - body.size();
    return answer;
}

Responder::Responder(const Answer& answer) : answer_(answer) {
    WSADATA data;
    winsock_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (!winsock_) return;
    listener_ = ListenOnLoopback(&port_);
    if (listener_ != INVALID_SOCKET) thread_ = std::thread(&Responder::Serve, this);
}

Responder::~Responder() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    if (winsock_) WSACleanup();
}

std::string Responder::Uri(const std::string& path) const {
    return "ipp://127.0.0.1:" + std::to_string(port_) + path;
}

int Responder::SetAnswer(const Answer& answer) {
    std::lock_guard<std::mutex> lock(mutex_);
    answer_ = answer;
    return static_cast<int>(operations_.size());
}

int Responder::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(operations_.size());
}

bool Responder::WaitForRequests(int count, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (Requests() < count) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

std::string Responder::LastRequest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastRequest_;
}

std::vector<int> Responder::Operations() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return operations_;
}

// One thread serves every connection, waiting for any of them with select,
// so that a connection never answered does not hold up the others.
void Responder::Serve() {
    struct Connection {
        SOCKET socket;
        std::string received;
    };
    std::vector<Connection> connections;
    while (!stopping_) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener_, &readable);
        for (const Connection& connection : connections) FD_SET(connection.socket, &readable);
        timeval tick = {0, kTickUs};
        if (select(0, &readable, nullptr, nullptr, &tick) == SOCKET_ERROR) break;
        if (FD_ISSET(listener_, &readable)) {
            const SOCKET accepted = accept(listener_, nullptr, nullptr);
            if (accepted != INVALID_SOCKET && connections.size() < kMaxConnections) {
                connections.push_back({accepted, ""});
            } else if (accepted != INVALID_SOCKET) {
                closesocket(accepted);
            }
        }
        for (auto it = connections.begin(); it != connections.end();) {
            bool keep = true;
            if (FD_ISSET(it->socket, &readable)) {
                char chunk[16384];
                const int received = recv(it->socket, chunk, sizeof chunk, 0);
                keep = received > 0;
                if (keep) {
                    it->received.append(chunk, static_cast<size_t>(received));
                    keep = AnswerRequests(it->socket, it->received);
                }
            }
            if (keep) {
                ++it;
            } else {
                // A graceful end (no reset), so that an answer sent just
                // before arrives whole.
                shutdown(it->socket, SD_SEND);
                closesocket(it->socket);
                it = connections.erase(it);
            }
        }
    }
    for (const Connection& connection : connections) closesocket(connection.socket);
}

bool Responder::AnswerRequests(Socket connection, std::string& received) {
    for (size_t length; (length = HttpMessageLength(received)) != 0;) {
        const std::string request = received.substr(0, length);
        received.erase(0, length);
        const std::string body = HttpBody(request);
        Answer answer;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            lastRequest_ = request;
            operations_.push_back(OperationOf(body));
            answer = answer_;
        }
        if (answer.silent) continue;
        std::string bytes = answer.bytes;
        if (answer.ippAt != std::string::npos && answer.ippAt + 8 <= bytes.size() && body.size() >= 8) {
            bytes.replace(answer.ippAt, 2, body, 0, 2);      // version
            bytes.replace(answer.ippAt + 4, 4, body, 4, 4);  // request-id
        }
        if (!SendAll(connection, bytes) || answer.closeAfter) return false;
    }
    return received.size() <= kMaxRequest;
}

int ClosedPort() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 0;
    int port = 0;
    const SOCKET listener = ListenOnLoopback(&port);
    if (listener != INVALID_SOCKET) closesocket(listener);
    WSACleanup();
    return port;
}

}  // namespace harness
