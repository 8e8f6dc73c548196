// A printer's address, ipp://host[:port][/path] or ipps://..., read
// strictly: what is not of that form, with no user name, query or fragment,
// is refused with the reason.
#pragma once

#include <string>

constexpr int kDefaultIppPort = 631;
constexpr const char* kDefaultIppPath = "/ipp/print";
// The longest address, as printer-uri holds it (RFC 8011: uri, 1023 octets).
constexpr std::size_t kMaxUriLength = 1023;
// The longest host name DNS allows.
constexpr std::size_t kMaxHostLength = 253;

struct PrinterUri {
    bool secure = false;  // ipps: TLS
    std::string host;     // as written; an IPv6 address with its brackets
    int port = kDefaultIppPort;
    std::string path = kDefaultIppPath;  // starts with '/'

    // ipps://host:port/path, the port and path always written.
    std::string Text() const;
    // The host as the connection names it: an IPv6 address without brackets.
    std::string ConnectHost() const;
};

struct ParsedUri {
    bool ok = false;
    PrinterUri uri;
    std::string error;  // one line, when not ok
};

ParsedUri ParsePrinterUri(const std::string& text);

// The text with every control character shown as '?', so that an address or
// a printer's message echoed in one line stays one line.
std::string Printable(std::string text);
