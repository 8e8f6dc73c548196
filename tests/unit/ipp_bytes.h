// IPP messages written by hand for the tables and the fuzz target, and the
// answers recorded from a real IPP printer (ippeveprinter) that also seed
// the fuzzer.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ipptest {

inline std::string Uint16(std::size_t value) {
    return std::string{static_cast<char>((value >> 8) & 0xFF), static_cast<char>(value & 0xFF)};
}

inline std::string Int32(std::int32_t value) {
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    return std::string{static_cast<char>(bits >> 24), static_cast<char>((bits >> 16) & 0xFF),
                       static_cast<char>((bits >> 8) & 0xFF), static_cast<char>(bits & 0xFF)};
}

// A message put together piece by piece.
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
    // A value with its name (empty: a further value of the attribute before).
    IppBytes& Value(unsigned tag, const std::string& name, const std::string& value) {
        return Tag(tag).Raw(Uint16(name.size()) + name + Uint16(value.size()) + value);
    }
    IppBytes& Enum(const std::string& name, std::int32_t value) { return Value(0x23, name, Int32(value)); }
    IppBytes& Keyword(const std::string& name, const std::string& value) { return Value(0x44, name, value); }
    IppBytes& Raw(const std::string& bytes) {
        bytes_ += bytes;
        return *this;
    }
    // The start of an answer: version 1.1, the status, and the operation
    // attributes a printer sends first.
    IppBytes& AnswerStart(unsigned status = 0) {
        return Header(1, 1, status)
            .Tag(0x01)
            .Value(0x47, "attributes-charset", "utf-8")
            .Value(0x48, "attributes-natural-language", "en");
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// A successful answer with the printer's state, its reasons and message.
inline std::string StateAnswer(std::int32_t state, const std::vector<std::string>& reasons,
                               const std::string& message = "") {
    IppBytes bytes;
    bytes.AnswerStart().Tag(0x04).Enum("printer-state", state);
    for (std::size_t i = 0; i < reasons.size(); ++i) {
        bytes.Keyword(i == 0 ? "printer-state-reasons" : "", reasons[i]);
    }
    if (!message.empty()) bytes.Value(0x41, "printer-state-message", message);
    return bytes.Tag(0x03).Bytes();
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
