#include "harness/http_bytes.h"

#include <cctype>

namespace harness {

namespace {

constexpr const char* kHeaderEnd = "\r\n\r\n";
constexpr size_t kMaxBody = 16 * 1024 * 1024;  // no test sends more; a larger length is a lie

// The value of Content-Length in a header; 0 without one or when it is no
// plain number within the bound.
size_t ContentLength(const std::string& header) {
    std::string lower = header;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string name = "\r\ncontent-length:";
    size_t at = lower.find(name);
    if (at == std::string::npos) return 0;
    at += name.size();
    while (at < lower.size() && lower[at] == ' ') ++at;
    size_t length = 0;
    for (; at < lower.size() && std::isdigit(static_cast<unsigned char>(lower[at])); ++at) {
        length = length * 10 + static_cast<size_t>(lower[at] - '0');
        if (length > kMaxBody) return 0;
    }
    return length;
}

}  // namespace

size_t HttpMessageLength(const std::string& bytes) {
    const size_t headerEnd = bytes.find(kHeaderEnd);
    if (headerEnd == std::string::npos) return 0;
    const size_t length = headerEnd + 4 + ContentLength(bytes.substr(0, headerEnd));
    return length <= bytes.size() ? length : 0;
}

std::string HttpBody(const std::string& message) {
    const size_t headerEnd = message.find(kHeaderEnd);
    return headerEnd == std::string::npos ? "" : message.substr(headerEnd + 4);
}

int HttpStatus(const std::string& response) {
    if (response.compare(0, 5, "HTTP/") != 0) return 0;
    const size_t space = response.find(' ');
    if (space == std::string::npos || space > 12) return 0;
    int status = 0;
    for (size_t at = space + 1; at < space + 4 && at < response.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(response[at]))) return 0;
        status = status * 10 + (response[at] - '0');
    }
    return status >= 100 ? status : 0;
}

}  // namespace harness
