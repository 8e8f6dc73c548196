#include "ipp/state_request.h"

#include "ipp/ipp_message.h"

namespace {

void PutUint16(std::string* out, std::size_t value) {
    out->push_back(static_cast<char>((value >> 8) & 0xFF));
    out->push_back(static_cast<char>(value & 0xFF));
}

// One value: its tag, its attribute's name (empty for a further value of
// the same attribute), and the value itself, each length in two bytes. The
// address is at most 1023 characters, and the names are short.
void PutValue(std::string* out, unsigned tag, const std::string& name, const std::string& value) {
    out->push_back(static_cast<char>(tag));
    PutUint16(out, name.size());
    out->append(name);
    PutUint16(out, value.size());
    out->append(value);
}

}  // namespace

std::string EncodeStateRequest(const PrinterUri& uri, std::int32_t requestId) {
    std::string out;
    out.push_back(1);  // version 1.1
    out.push_back(1);
    PutUint16(&out, kGetPrinterAttributes);
    const std::uint32_t id = static_cast<std::uint32_t>(requestId);
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((id >> shift) & 0xFF));
    out.push_back(static_cast<char>(kOperationGroup));
    PutValue(&out, kTagCharset, "attributes-charset", "utf-8");
    PutValue(&out, kTagNaturalLanguage, "attributes-natural-language", "en");
    PutValue(&out, kTagUri, "printer-uri", uri.Text());
    PutValue(&out, kTagKeyword, "requested-attributes", "printer-state");
    PutValue(&out, kTagKeyword, "", "printer-state-reasons");
    PutValue(&out, kTagKeyword, "", "printer-state-message");
    out.push_back(static_cast<char>(kEndOfAttributes));
    return out;
}
