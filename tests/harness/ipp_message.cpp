#include "harness/ipp_message.h"

#include <stdexcept>

namespace harness {

namespace {

void AppendUint16(std::string& bytes, size_t value) {
    if (value > 0xFFFF) throw std::length_error("an IPP name or value longer than 65535 bytes");
    bytes += static_cast<char>(value >> 8);
    bytes += static_cast<char>(value & 0xFF);
}

void AppendUint32(std::string& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

std::string Uint32Bytes(uint32_t value) {
    std::string bytes;
    AppendUint32(bytes, value);
    return bytes;
}

}  // namespace

IppMessage::IppMessage(uint16_t code, uint32_t requestId) {
    bytes_ = std::string("\x02\x00", 2);
    AppendUint16(bytes_, code);
    AppendUint32(bytes_, requestId);
}

IppMessage& IppMessage::Group(uint8_t tag) {
    bytes_ += static_cast<char>(tag);
    return *this;
}

IppMessage& IppMessage::Add(uint8_t valueTag, const std::string& name, const std::string& value) {
    bytes_ += static_cast<char>(valueTag);
    AppendUint16(bytes_, name.size());
    bytes_ += name;
    AppendUint16(bytes_, value.size());
    bytes_ += value;
    return *this;
}

IppMessage& IppMessage::Add(uint8_t valueTag, const std::string& name, const std::vector<std::string>& values) {
    for (size_t i = 0; i < values.size(); ++i) Add(valueTag, i == 0 ? name : "", values[i]);
    return *this;
}

IppMessage& IppMessage::AddEnum(const std::string& name, int value) {
    return Add(ipp::kEnum, name, Uint32Bytes(static_cast<uint32_t>(value)));
}

std::string IppMessage::Bytes() const { return bytes_ + static_cast<char>(ipp::kEndOfAttributes); }

std::string PrinterAttributesResponse(uint16_t status, int printerState, const std::vector<std::string>& reasons,
                                      const std::string& message, uint32_t requestId) {
    IppMessage response(status, requestId);
    response.Group(ipp::kOperationGroup)
        .Add(ipp::kCharset, "attributes-charset", "utf-8")
        .Add(ipp::kLanguage, "attributes-natural-language", "en");
    if (status > 0x00FF) {  // an error: its text, and no printer attributes
        response.Add(ipp::kText, "status-message", message);
        return response.Bytes();
    }
    response.Group(ipp::kPrinterGroup)
        .AddEnum("printer-state", printerState)
        .Add(ipp::kKeyword, "printer-state-reasons", reasons)
        .Add(ipp::kText, "printer-state-message", message);
    return response.Bytes();
}

std::vector<std::pair<std::string, std::string>> MalformedPrinterResponses() {
    const std::string whole = PrinterAttributesResponse(ipp::kSuccessfulOk, ipp::kStopped,
                                                        {"media-jam-error", "cover-open-error"}, "Paper jam");
    const std::string reasonsAt = whole.substr(0, whole.find("media-jam-error"));
    // A response up to the printer group's tag; a broken attribute follows.
    std::string group = IppMessage(ipp::kSuccessfulOk, 1)
                            .Group(ipp::kOperationGroup)
                            .Add(ipp::kCharset, "attributes-charset", "utf-8")
                            .Group(ipp::kPrinterGroup)
                            .Bytes();
    group.pop_back();  // the end-of-attributes tag
    return {
        {"empty", ""},
        {"cut inside the header", whole.substr(0, 5)},
        {"cut inside a value", reasonsAt + "media-j"},
        {"no end-of-attributes tag", whole.substr(0, whole.size() - 1)},
        {"a name length beyond the end", group + std::string("\x44\x01\x00", 3) + "printer-state-reasons\x03"},
        {"a value length beyond the end",
         group + std::string("\x44\x00\x15", 3) + "printer-state-reasons" + std::string("\x00\x40", 2) +
             "media-jam-error\x03"},
        {"the largest lengths, little data",
         group + std::string("\x44\xFF\xFF", 3) + "printer-state-reasons" + std::string("\xFF\xFF", 2) +
             "media-jam-error\x03"},
        {"an HTML page", "<html><body>Printer</body></html>"},
    };
}

}  // namespace harness
