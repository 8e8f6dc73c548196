#include "ipp/printer_uri.h"

#include <cstdlib>
#include <string_view>

namespace {

ParsedUri Refuse(const std::string& why) {
    ParsedUri result;
    result.error = why;
    return result;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A host name or IPv4 address: letters, digits, '-', '.' and '_' (which
// some local names use), in dot-separated labels that are not empty.
bool IsHostName(const std::string& host) {
    if (host.empty() || host.front() == '.' || host.find("..") != std::string::npos) return false;
    for (char c : host) {
        if (!IsAlpha(c) && !IsDigit(c) && c != '-' && c != '.' && c != '_') return false;
    }
    return true;
}

// [IPv6]: hexadecimal digits, colons and the dots of an embedded IPv4
// address, with at least two colons; no zone.
bool IsIpv6Literal(const std::string& host) {
    if (host.size() < 4 || host.front() != '[' || host.back() != ']') return false;
    int colons = 0;
    for (std::size_t i = 1; i + 1 < host.size(); ++i) {
        const char c = host[i];
        if (c == ':') ++colons;
        else if (!IsHexDigit(c) && c != '.') return false;
    }
    return colons >= 2;
}

// One to five digits without a leading zero, 1 to 65535.
bool ParsePort(const std::string& text, int* port) {
    if (text.empty() || text.size() > 5 || text[0] == '0') return false;
    for (char c : text) {
        if (!IsDigit(c)) return false;
    }
    *port = std::atoi(text.c_str());
    return *port >= 1 && *port <= 65535;
}

// RFC 3986 path characters: unreserved, sub-delims, ':', '@', '/', and '%'
// followed by two hexadecimal digits.
bool IsPath(const std::string& path) {
    static const char kAllowed[] = "-._~!$&'()*+,;=:@/";
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = path[i];
        if (c == '%') {
            if (i + 2 >= path.size() || !IsHexDigit(path[i + 1]) || !IsHexDigit(path[i + 2])) return false;
            i += 2;
        } else if (!IsAlpha(c) && !IsDigit(c) && std::string_view(kAllowed).find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

// The scheme, compared without regard to case as URIs' schemes are.
bool StartsWithNoCase(const std::string& text, const char* prefix) {
    std::size_t i = 0;
    for (; prefix[i] != '\0'; ++i) {
        if (i >= text.size()) return false;
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

}  // namespace

std::string PrinterUri::Text() const {
    return std::string(secure ? "ipps://" : "ipp://") + host + ":" + std::to_string(port) + path;
}

std::string PrinterUri::ConnectHost() const {
    if (!host.empty() && host.front() == '[') return host.substr(1, host.size() - 2);
    return host;
}

ParsedUri ParsePrinterUri(const std::string& text) {
    if (text.size() > kMaxUriLength) return Refuse("the address is longer than 1023 characters");
    for (unsigned char c : text) {
        if (c <= ' ' || c >= 0x7F) return Refuse("the address holds a blank, a control character or a non-ASCII character");
    }
    ParsedUri result;
    std::size_t at = 0;
    if (StartsWithNoCase(text, "ipps://")) {
        result.uri.secure = true;
        at = 7;
    } else if (StartsWithNoCase(text, "ipp://")) {
        at = 6;
    } else {
        return Refuse("the address must start with ipp:// or ipps://");
    }
    const std::size_t pathStart = text.find('/', at);
    const std::string authority = text.substr(at, pathStart == std::string::npos ? std::string::npos : pathStart - at);
    if (authority.find('@') != std::string::npos) return Refuse("the address must not hold a user name or password");
    if (text.find_first_of("?#") != std::string::npos) return Refuse("the address must not hold a query or fragment (? or #)");

    // The port follows the last colon outside an IPv6 address's brackets.
    const std::size_t bracket = authority.rfind(']');
    const std::size_t colon = authority.rfind(':');
    const bool hasPort = colon != std::string::npos && (bracket == std::string::npos || colon > bracket);
    std::string host = hasPort ? authority.substr(0, colon) : authority;
    if (host.empty()) return Refuse("the address has no host");
    if (host.size() > kMaxHostLength) return Refuse("the host name is longer than 253 characters");
    if (host.front() == '[' ? !IsIpv6Literal(host) : !IsHostName(host)) {
        return Refuse("the host is neither a host name, an IPv4 address nor an IPv6 address in brackets");
    }
    if (hasPort && !ParsePort(authority.substr(colon + 1), &result.uri.port)) {
        return Refuse("the port must be a number from 1 to 65535");
    }
    result.uri.host = host;
    if (pathStart != std::string::npos) {
        const std::string path = text.substr(pathStart);
        if (!IsPath(path)) return Refuse("the path holds a character that a URI does not allow");
        result.uri.path = path;
    }
    // With the defaults filled in it must still fit printer-uri.
    if (result.uri.Text().size() > kMaxUriLength) return Refuse("the address is longer than 1023 characters");
    result.ok = true;
    return result;
}

std::string Printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F) c = '?';
    }
    return text;
}
