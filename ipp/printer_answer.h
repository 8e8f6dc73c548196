// A printer's answer to Get-Printer-Attributes, decoded from the HTTP body:
// its status code, and from the printer attributes its state, the reasons
// for it and its message; or why it is not such an answer. Touches no
// window, registry or socket.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Larger bodies are refused without being read.
constexpr std::size_t kMaxAnswerSize = 256 * 1024;
constexpr std::size_t kMaxReasons = 64;
constexpr std::size_t kMaxKeywordLength = 255;   // RFC 8011's keyword
constexpr std::size_t kMaxMessageLength = 1023;  // RFC 8011's text

constexpr int kPrinterIdle = 3;
constexpr int kPrinterProcessing = 4;
constexpr int kPrinterStopped = 5;
// Status codes below this one are successful.
constexpr unsigned kFirstIppErrorStatus = 0x0100;

struct PrinterAnswer {
    unsigned statusCode = 0;           // IPP status-code
    int printerState = 0;              // idle, processing or stopped; 0 when not sent
    std::vector<std::string> reasons;  // printer-state-reasons as sent, "none" too
    std::string message;               // printer-state-message, UTF-8 as sent
};

struct DecodedAnswer {
    bool ok = false;
    PrinterAnswer answer;
    std::string error;       // why the body is refused
    std::size_t length = 0;  // the bytes up to and including the end-of-attributes tag
};

// A successful answer must hold printer-state; an error status need not.
DecodedAnswer DecodePrinterAnswer(const unsigned char* data, std::size_t size);
