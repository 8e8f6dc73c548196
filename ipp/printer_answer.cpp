#include "ipp/printer_answer.h"

#include "ipp/ipp_message.h"

namespace {

bool IsOutOfBand(unsigned tag) { return tag >= kFirstValueTag && tag < kOutOfBandEnd; }

// A keyword of printable ASCII, 1 to 255 characters.
bool IsKeyword(std::string_view text) {
    if (text.empty() || text.size() > kMaxKeywordLength) return false;
    for (char c : text) {
        if (c <= ' ' || c > '~') return false;
    }
    return true;
}

// The text of a textWithLanguage value: a counted language, then the
// counted text, which fill the value exactly.
bool TextOfTextWithLanguage(std::string_view value, std::string_view* text) {
    ByteCursor cursor(value);
    std::string_view language;
    return cursor.ReadCounted(&language) && cursor.ReadCounted(text) && cursor.Left() == 0;
}

class AnswerDecoder {
public:
    explicit AnswerDecoder(DecodedAnswer* result) : result_(result) {}

    // One value of the printer attributes group at the top level.
    bool Take(const IppValue& value) {
        if (value.name == "printer-state") return TakeState(value);
        if (value.name == "printer-state-reasons") return TakeReason(value);
        if (value.name == "printer-state-message") return TakeMessage(value);
        return true;
    }

    bool Fail(const std::string& why) {
        result_->error = why;
        return false;
    }

private:
    // A name that came before as an attribute of its own, not as a value.
    bool FirstTime(const IppValue& value, bool* seen) {
        if (value.additional) return true;
        if (*seen) return Fail(std::string(value.name) + " comes twice");
        *seen = true;
        return true;
    }

    bool TakeState(const IppValue& value) {
        if (!FirstTime(value, &seenState_)) return false;
        if (value.additional) return Fail("printer-state has more than one value");
        if (IsOutOfBand(value.tag)) return true;
        ByteCursor cursor(value.value);
        std::int32_t state = 0;
        if (value.tag != kTagEnum || !cursor.ReadInt32(&state) || cursor.Left() != 0) {
            return Fail("printer-state is not an enum of 4 bytes");
        }
        if (state < kPrinterIdle || state > kPrinterStopped) {
            return Fail("printer-state " + std::to_string(state) + " is none of idle, processing, stopped");
        }
        result_->answer.printerState = state;
        return true;
    }

    bool TakeReason(const IppValue& value) {
        if (!FirstTime(value, &seenReasons_)) return false;
        if (IsOutOfBand(value.tag)) return true;
        if (value.tag != kTagKeyword || !IsKeyword(value.value)) {
            return Fail("printer-state-reasons holds a value that is not a keyword");
        }
        if (result_->answer.reasons.size() >= kMaxReasons) return Fail("printer-state-reasons has more than 64 values");
        result_->answer.reasons.emplace_back(value.value);
        return true;
    }

    bool TakeMessage(const IppValue& value) {
        if (!FirstTime(value, &seenMessage_)) return false;
        if (value.additional) return Fail("printer-state-message has more than one value");
        if (IsOutOfBand(value.tag)) return true;
        std::string_view text = value.value;
        if (value.tag == kTagTextWithLanguage) {
            if (!TextOfTextWithLanguage(value.value, &text)) return Fail("printer-state-message is a broken text");
        } else if (value.tag != kTagTextWithoutLanguage) {
            return Fail("printer-state-message is not a text");
        }
        if (text.size() > kMaxMessageLength) return Fail("printer-state-message is longer than 1023 bytes");
        result_->answer.message.assign(text);
        return true;
    }

    DecodedAnswer* result_;
    bool seenState_ = false;
    bool seenReasons_ = false;
    bool seenMessage_ = false;
};

}  // namespace

DecodedAnswer DecodePrinterAnswer(const unsigned char* data, std::size_t size) {
    DecodedAnswer result;
    AnswerDecoder decoder(&result);
    if (size > kMaxAnswerSize) {
        decoder.Fail("it is larger than 256 KiB");
        return result;
    }
    IppMessageReader reader(data, size);
    IppHeader header;
    if (!reader.ReadHeader(&header)) {
        decoder.Fail(reader.Error());
        return result;
    }
    if (header.major != 1 && header.major != 2) {
        decoder.Fail("its IPP version " + std::to_string(header.major) + "." + std::to_string(header.minor) +
                     " is neither 1.x nor 2.x");
        return result;
    }
    result.answer.statusCode = header.code;
    IppValue value;
    while (reader.Next(&value)) {
        if (value.group == kPrinterGroup && value.depth == 0 && !decoder.Take(value)) return result;
    }
    if (!reader.Ended()) {
        decoder.Fail(reader.Error());
        return result;
    }
    if (header.code < kFirstIppErrorStatus && result.answer.printerState == 0) {
        decoder.Fail("the answer has no printer-state");
        return result;
    }
    result.length = reader.Offset();
    result.ok = true;
    return result;
}
