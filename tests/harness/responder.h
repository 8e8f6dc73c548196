// A stand-in for a network printer, on 127.0.0.1 at a free port, served by
// a thread of the test process: it reads HTTP requests and gives each the
// answer it holds at that moment, so that a test can meet a client with a
// printer that never answers, answers garbage or an HTTP error, or gives an
// IPP answer that no real test printer gives (a jam as an error). It keeps
// what it was asked, so a test can check that only Get-Printer-Attributes
// came.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace harness {

struct Answer {
    bool silent = false;      // the connection stays open and nothing comes
    std::string bytes;        // sent after each request
    bool closeAfter = false;  // the connection closed once they are sent
    // Where in the bytes an IPP message starts that is to carry the
    // version and the request-id of the request it answers, as a printer's
    // answer does; npos: none.
    size_t ippAt = std::string::npos;
};

// Accepts, reads, and never answers.
Answer NoAnswer();
// The bytes as they are, then the connection closed: not even HTTP.
Answer RawAnswer(const std::string& bytes);
// An HTTP/1.1 response with its Content-Length; the connection stays open.
// 401 asks for a password (WWW-Authenticate), 426 for TLS (Upgrade).
Answer HttpAnswer(int status, const std::string& contentType, const std::string& body);
// An HTTP 200 response of type application/ipp with the body, which takes
// the version and request-id of each request it answers.
Answer IppAnswer(const std::string& body);

class Responder {
public:
    // A SOCKET: winsock2.h, which must come before windows.h, stays out of
    // this header, so that it may be included after the others.
    using Socket = UINT_PTR;

    // Listens and serves until it goes; Listening() tells whether it could.
    explicit Responder(const Answer& answer);
    // Ends the serving thread, which closes the connections it accepted;
    // then the listening socket is closed and Winsock released.
    ~Responder();
    Responder(const Responder&) = delete;
    Responder& operator=(const Responder&) = delete;

    bool Listening() const { return port_ != 0; }
    int Port() const { return port_; }
    // ipp://127.0.0.1:PORT/ipp/print (or another path).
    std::string Uri(const std::string& path = "/ipp/print") const;
    // What each request gets from now on; the number of requests that came
    // before it (the later ones get this answer).
    int SetAnswer(const Answer& answer);

    // The whole requests received so far.
    int Requests() const;
    // Whether count requests have come within the time.
    bool WaitForRequests(int count, DWORD timeoutMs) const;
    // The last one: header and body, as it came.
    std::string LastRequest() const;
    // The IPP operation of each request, from the first two bytes after its
    // version (-1 for a body too short to hold one).
    std::vector<int> Operations() const;

private:
    void Serve();
    // Answers every whole request in the connection's bytes; false when the
    // connection is to be closed.
    bool AnswerRequests(Socket connection, std::string& received);

    bool winsock_ = false;
    Socket listener_ = ~Socket{0};  // INVALID_SOCKET
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;  // guards the answer and what was received
    Answer answer_;
    std::string lastRequest_;
    std::vector<int> operations_;
    std::thread thread_;  // last: it starts once everything above is there
};

// A port on 127.0.0.1 where nothing listens.
int ClosedPort();

}  // namespace harness
