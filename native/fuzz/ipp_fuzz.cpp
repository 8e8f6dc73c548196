// printwatch's pure code on any bytes: the decoder of a printer's answer,
// the address parser and the request. The bytes sit in a heap block of
// exactly their size, so that AddressSanitizer reports a read past the end.
// Properties the tables cannot give:
//  - an answer the decoder takes keeps the limits: a successful one has a
//    state of idle, processing or stopped; at most 64 reasons, each 1 to
//    255 printable characters; a message of at most 1023 bytes; it ends
//    where its end-of-attributes tag is, and cut one byte before that it is
//    refused; written again as a printer writes an answer, it decodes to the
//    same answer; its code is one of the table's, with the table's severity;
//  - a text the address parser takes gives an address that its own text
//    parses back into; the request for it walks, value by value, to its end
//    as an operation group of the charset, the language, printer-uri with
//    that text and the three attributes asked for.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "ipp/ipp_message.h"
#include "ipp/printer_answer.h"
#include "ipp/printer_uri.h"
#include "ipp/state_request.h"
#include "ipp/status_choice.h"
#include "unit/ipp_bytes.h"

#define FUZZ_CHECK(condition) \
    ((condition) ? (void)0 : (std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition), std::abort()))

namespace {

DecodedAnswer DecodeExactly(const unsigned char* data, std::size_t size) {
    std::unique_ptr<unsigned char[]> block(new unsigned char[size]);
    if (size != 0) std::memcpy(block.get(), data, size);
    return DecodePrinterAnswer(block.get(), size);
}

// The answer as a printer writes it: its status, then the printer group.
std::string Written(const PrinterAnswer& answer) {
    ipptest::IppBytes bytes;
    bytes.AnswerStart(answer.statusCode).Tag(0x04);
    if (answer.printerState != 0) bytes.Enum("printer-state", answer.printerState);
    for (std::size_t i = 0; i < answer.reasons.size(); ++i) {
        bytes.Keyword(i == 0 ? "printer-state-reasons" : "", answer.reasons[i]);
    }
    bytes.Value(0x41, "printer-state-message", answer.message);
    return bytes.Tag(0x03).Bytes();
}

bool IsTableCode(const WatchCode& code) {
    for (std::size_t i = 0; i < WatchCodeCount(); ++i) {
        const WatchCode entry = WatchCodeAt(i);
        if (entry.code == code.code) return entry.severity == code.severity && entry.messageCode == code.messageCode;
    }
    return false;
}

void CheckAnswer(const unsigned char* data, std::size_t size) {
    const DecodedAnswer decoded = DecodeExactly(data, size);
    if (!decoded.ok) {
        FUZZ_CHECK(!decoded.error.empty());
        return;
    }
    const PrinterAnswer& answer = decoded.answer;
    FUZZ_CHECK(size <= kMaxAnswerSize && decoded.length <= size && data[decoded.length - 1] == 0x03);
    FUZZ_CHECK(answer.statusCode >= kFirstIppErrorStatus ||
               (answer.printerState >= kPrinterIdle && answer.printerState <= kPrinterStopped));
    FUZZ_CHECK(answer.reasons.size() <= kMaxReasons && answer.message.size() <= kMaxMessageLength);
    for (const std::string& reason : answer.reasons) {
        FUZZ_CHECK(!reason.empty() && reason.size() <= kMaxKeywordLength);
        for (char c : reason) FUZZ_CHECK(c > ' ' && c <= '~');
    }
    FUZZ_CHECK(!DecodeExactly(data, decoded.length - 1).ok);
    const std::string again = Written(answer);
    const DecodedAnswer reread = DecodeExactly(reinterpret_cast<const unsigned char*>(again.data()), again.size());
    FUZZ_CHECK(reread.ok && reread.answer.statusCode == answer.statusCode &&
               reread.answer.printerState == answer.printerState && reread.answer.reasons == answer.reasons &&
               reread.answer.message == answer.message);
    FUZZ_CHECK(IsTableCode(CodeForAnswer(answer)));
}

void CheckAddress(const unsigned char* data, std::size_t size) {
    const ParsedUri parsed = ParsePrinterUri(std::string(reinterpret_cast<const char*>(data), size));
    if (!parsed.ok) {
        FUZZ_CHECK(!parsed.error.empty());
        return;
    }
    const std::string text = parsed.uri.Text();
    const ParsedUri again = ParsePrinterUri(text);
    FUZZ_CHECK(again.ok && again.uri.Text() == text && text.size() <= kMaxUriLength);

    const std::string request = EncodeStateRequest(parsed.uri, 7);
    IppMessageReader reader(reinterpret_cast<const unsigned char*>(request.data()), request.size());
    IppHeader header;
    FUZZ_CHECK(reader.ReadHeader(&header) && header.major == 1 && header.minor == 1 &&
               header.code == kGetPrinterAttributes && header.requestId == 7);
    const char* const expected[][2] = {
        {"attributes-charset", "utf-8"}, {"attributes-natural-language", "en"}, {"printer-uri", text.c_str()},
        {"requested-attributes", "printer-state"}, {"requested-attributes", "printer-state-reasons"},
        {"requested-attributes", "printer-state-message"}};
    IppValue value;
    for (const auto& [name, content] : expected) {
        FUZZ_CHECK(reader.Next(&value) && value.group == kOperationGroup && value.name == name &&
                   value.value == content);
    }
    FUZZ_CHECK(!reader.Next(&value) && reader.Ended() && reader.Offset() == request.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    CheckAnswer(data, size);
    CheckAddress(data, size);
    return 0;
}
