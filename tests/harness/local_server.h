// A stand-in printer on 127.0.0.1 at a port of its own, for the tests of
// printwatch and statusctl ipp: it accepts connections and answers each
// whole HTTP request with the answer it is given, or stays silent, keeping
// every connection open as a printer keeps it alive.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace harness {

class LocalServer {
public:
    // Listens at once; Port() is 0 when it cannot.
    LocalServer();
    // Closes the listener and every connection, then waits for its threads.
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    // What each request gets from now on: the bytes as they are (an HTTP
    // answer, or anything else); empty: nothing at all.
    void Answer(const std::string& bytes);
    int Port() const { return port_; }
    // ipp://127.0.0.1:PORT followed by path.
    std::string Uri(const std::string& path = "/ipp/print") const;
    // Requests that arrived whole so far.
    int Requests() const { return requests_; }
    bool WaitForRequests(int count, DWORD timeoutMs) const;

private:
    void AcceptConnections();
    void Serve(SOCKET connection);

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<int> requests_{0};
    std::mutex mutex_;  // guards answer_, connections_ and servers_
    std::string answer_;
    std::vector<SOCKET> connections_;
    std::vector<std::thread> servers_;  // one per connection
    std::thread acceptor_;
};

// An HTTP answer with its status and body.
std::string HttpAnswer(int status, const std::string& body);
// A port on 127.0.0.1 where nothing listens.
int ClosedPort();

}  // namespace harness
