// HTTP messages as they arrive on a socket, framed for the test's own
// servers and clients: a header up to the blank line, then a body of the
// length its Content-Length gives (none without one; chunked bodies are not
// read).
#pragma once

#include <cstddef>
#include <string>

namespace harness {

// The length of the first whole message in bytes, or 0 while part of it
// has not arrived.
size_t HttpMessageLength(const std::string& bytes);
// The body of a whole message: what follows the blank line.
std::string HttpBody(const std::string& message);
// The status of a response ("HTTP/1.1 404 Not Found": 404); 0 when it does
// not start with a status line.
int HttpStatus(const std::string& response);

}  // namespace harness
