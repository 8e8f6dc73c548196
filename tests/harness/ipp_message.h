// IPP messages as bytes (RFC 8010), built by the tests: a printer's answer
// that no real test printer gives (an error reason, an error status), and
// answers broken on purpose.
//
// A message: version (2 bytes), status code or operation id (2), request id
// (4), then groups: a group tag, and attributes each as value tag (1), name
// length (2), name, value length (2), value; an additional value of a
// multi-valued attribute has an empty name. The end-of-attributes tag ends it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace harness {

namespace ipp {
constexpr uint8_t kOperationGroup = 0x01, kEndOfAttributes = 0x03, kPrinterGroup = 0x04;
constexpr uint8_t kEnum = 0x23, kText = 0x41, kKeyword = 0x44, kUri = 0x45, kCharset = 0x47, kLanguage = 0x48;
constexpr uint16_t kGetPrinterAttributes = 0x000B;
constexpr uint16_t kSuccessfulOk = 0x0000, kClientErrorNotFound = 0x0406;
constexpr int kIdle = 3, kProcessing = 4, kStopped = 5;  // printer-state
}  // namespace ipp

class IppMessage {
public:
    // IPP 2.0; code: the status code of a response or the operation of a request.
    IppMessage(uint16_t code, uint32_t requestId);

    IppMessage& Group(uint8_t tag);
    // One attribute with one value, the value's bytes as given (at most
    // 65535 bytes each; more throws std::length_error).
    IppMessage& Add(uint8_t valueTag, const std::string& name, const std::string& value);
    // One attribute with each of the values: the first named, the others
    // with an empty name.
    IppMessage& Add(uint8_t valueTag, const std::string& name, const std::vector<std::string>& values);
    IppMessage& AddEnum(const std::string& name, int value);
    // The message, ended by the end-of-attributes tag.
    std::string Bytes() const;

private:
    std::string bytes_;
};

// A printer's answer to Get-Printer-Attributes: the status code, the
// operation attributes (charset, language) and, when the status is
// successful, the printer attributes printer-state, printer-state-reasons
// (at least one value; "none" for none) and printer-state-message.
std::string PrinterAttributesResponse(uint16_t status, int printerState, const std::vector<std::string>& reasons,
                                      const std::string& message, uint32_t requestId = 1);

// Answers that look like IPP but break its rules, each with what is wrong:
// cut short, lengths beyond the end, the largest lengths, no end tag.
std::vector<std::pair<std::string, std::string>> MalformedPrinterResponses();

}  // namespace harness
