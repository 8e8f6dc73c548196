// IPP messages as bytes (RFC 8010), written by the tests: requests and
// printers' answers, whole or broken on purpose, and the answers recorded
// from a real IPP printer (ippeveprinter) that also seed the fuzzer.
// Standard C++ only: the native sanitizer build and the fuzz target use it
// as well as the tests under Wine.
//
// A message: version (2 bytes), status code or operation id (2), request id
// (4), then groups: a group tag, and attributes each as value tag (1), name
// length (2), name, value length (2), value; a further value of a
// multi-valued attribute has an empty name. The end-of-attributes tag ends it.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace ipptest {

// The tags, operation, statuses and printer states the tests name.
constexpr unsigned kOperationGroup = 0x01, kEndOfAttributes = 0x03, kPrinterGroup = 0x04;
constexpr unsigned kEnum = 0x23, kText = 0x41, kKeyword = 0x44, kUri = 0x45, kCharset = 0x47, kLanguage = 0x48;
constexpr unsigned kGetPrinterAttributes = 0x000B;
constexpr unsigned kSuccessfulOk = 0x0000, kClientErrorNotFound = 0x0406;
constexpr std::int32_t kIdle = 3, kProcessing = 4, kStopped = 5;

// Two bytes, high first; a larger value keeps its low 16 bits, so that a
// hostile length can be written on purpose.
inline std::string Uint16(std::size_t value) {
    return std::string{static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

inline std::string Int32(std::int32_t value) {
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    return std::string{static_cast<char>(bits >> 24), static_cast<char>((bits >> 16) & 0xFF),
                       static_cast<char>((bits >> 8) & 0xFF), static_cast<char>(bits & 0xFF)};
}

// A message put together piece by piece; Raw() and Header() write what no
// printer would, for the hostile cases.
class IppBytes {
public:
    IppBytes& Header(unsigned major, unsigned minor, unsigned code, std::int32_t requestId = 1) {
        bytes_ += static_cast<char>(major);
        bytes_ += static_cast<char>(minor);
        bytes_ += Uint16(code) + Int32(requestId);
        return *this;
    }
    IppBytes& Tag(unsigned tag) {
        bytes_ += static_cast<char>(tag);
        return *this;
    }
    // A value with its name (empty: a further value of the attribute
    // before). A name or value beyond 65535 bytes cannot be written: it
    // throws std::length_error rather than write a length that lies.
    IppBytes& Value(unsigned tag, const std::string& name, const std::string& value) {
        if (name.size() > 0xFFFF || value.size() > 0xFFFF) throw std::length_error("an IPP name or value over 65535");
        return Tag(tag).Raw(Uint16(name.size()) + name + Uint16(value.size()) + value);
    }
    IppBytes& Enum(const std::string& name, std::int32_t value) { return Value(kEnum, name, Int32(value)); }
    IppBytes& Keyword(const std::string& name, const std::string& value) { return Value(kKeyword, name, value); }
    // One attribute with each of the values: the first named, the others not.
    IppBytes& Keywords(const std::string& name, const std::vector<std::string>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) Keyword(i == 0 ? name : "", values[i]);
        return *this;
    }
    IppBytes& Raw(const std::string& bytes) {
        bytes_ += bytes;
        return *this;
    }
    // The start of an answer: version 1.1, the status, and the operation
    // attributes a printer sends first.
    IppBytes& AnswerStart(unsigned status = kSuccessfulOk) {
        return Header(1, 1, status)
            .Tag(kOperationGroup)
            .Value(kCharset, "attributes-charset", "utf-8")
            .Value(kLanguage, "attributes-natural-language", "en");
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// A successful answer to Get-Printer-Attributes: the printer's state, its
// reasons (none: the attribute left out) and its message (empty: left out).
inline std::string StateAnswer(std::int32_t state, const std::vector<std::string>& reasons,
                               const std::string& message = "") {
    IppBytes bytes;
    bytes.AnswerStart().Tag(kPrinterGroup).Enum("printer-state", state).Keywords("printer-state-reasons", reasons);
    if (!message.empty()) bytes.Value(kText, "printer-state-message", message);
    return bytes.Tag(kEndOfAttributes).Bytes();
}

// An answer with an error status and its status-message, and no printer
// attributes, as a printer refuses a request.
inline std::string StatusAnswer(unsigned status, const std::string& message) {
    return IppBytes().AnswerStart(status).Value(kText, "status-message", message).Tag(kEndOfAttributes).Bytes();
}

// Answers that look like IPP but break its framing, each with what is
// wrong: cut short, lengths beyond the end, the largest lengths, no end tag,
// or not IPP at all. A decoder refuses every one.
inline std::vector<std::pair<std::string, std::string>> MalformedAnswers() {
    const std::string whole = StateAnswer(kStopped, {"media-jam-error", "cover-open-error"}, "Paper jam");
    const std::string untilReasons = whole.substr(0, whole.find("media-jam-error"));
    // An answer up to its printer group's tag; a broken attribute follows.
    const std::string group = IppBytes().AnswerStart().Tag(kPrinterGroup).Bytes();
    const std::string reasonsName = std::string("\x44\x00\x15", 3) + "printer-state-reasons";
    return {
        {"empty", ""},
        {"cut inside the header", whole.substr(0, 5)},
        {"cut inside a value", untilReasons + "media-j"},
        {"no end-of-attributes tag", whole.substr(0, whole.size() - 1)},
        {"a name length beyond the end", group + std::string("\x44\x01\x00", 3) + "printer-state-reasons\x03"},
        {"a value length beyond the end", group + reasonsName + Uint16(0x40) + "media-jam-error\x03"},
        {"the largest lengths, little data",
         group + std::string("\x44\xFF\xFF", 3) + "printer-state-reasons" + Uint16(0xFFFF) + "media-jam-error\x03"},
        {"an HTML page", "<html><body>Printer</body></html>"},
    };
}

#ifdef IPP_RECORDED_DIR
// An answer recorded from ippeveprinter, by its name in the fuzz target's
// seeds; empty when it cannot be read.
inline std::string RecordedAnswer(const std::string& name) {
#ifdef _WIN32
    const std::string drive = "Z:";  // the build's host path, seen from Wine
#else
    const std::string drive;
#endif
    std::ifstream file(drive + IPP_RECORDED_DIR "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
#endif

}  // namespace ipptest
