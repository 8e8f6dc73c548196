// The decoder of a printer's answer over answers recorded from a real IPP
// printer and over hand-made and hostile ones, and the code each gives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ipp/printer_answer.h"
#include "ipp/status_choice.h"
#include "unit/ipp_bytes.h"

namespace {

using ipptest::IppBytes;
using ipptest::StateAnswer;
using Reasons = std::vector<std::string>;

// The decoder on exactly these bytes, in a heap block of their size.
DecodedAnswer Decode(const std::string& bytes) {
    std::unique_ptr<unsigned char[]> block(new unsigned char[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), block.get());
    return DecodePrinterAnswer(block.get(), bytes.size());
}

std::string Joined(const Reasons& reasons) {
    std::string text;
    for (const std::string& reason : reasons) text += (text.empty() ? "" : ",") + reason;
    return text;
}

TEST(PrinterAnswer, RecordedAnswersOfIppeveprinterAndTheCodeOfEach) {
    const struct {
        const char* name;
        unsigned status;
        int state;
        const char* reasons;
        const char* message;
        int code;
    } rows[] = {
        {"idle", 0, 3, "none", "Idle.", 2},
        {"toner_low", 0, 3, "toner-low-report", "Idle.", 330},
        {"toner_empty", 0, 3, "toner-empty-report", "Idle.", 180},
        {"waste_full", 0, 3, "marker-waste-full-report", "Idle.", 210},
        {"media_empty", 0, 3, "media-empty-report", "Idle.", 160},
        {"media_low", 0, 3, "media-low-report", "Idle.", 320},
        {"jam_during_job", 0, 4, "cover-open-warning,media-jam-warning", "Printing.", 102},
        {"jam_after_job", 0, 3, "cover-open-report,media-jam-report", "Idle.", 100},
        {"three_reasons_over_ipps", 0, 3, "cover-open-report,media-jam-report,toner-low-report", "Idle.", 100},
        {"all", 0, 3, "cover-open-report,media-jam-report", "Idle.", 100},
        {"wrong_path", 0x0406, 0, "", "", 20},
        {"operation_not_supported", 0x0501, 0, "", "", 25},
    };
    for (const auto& row : rows) {
        const std::string bytes = ipptest::RecordedAnswer(row.name);
        ASSERT_FALSE(bytes.empty()) << row.name;
        const DecodedAnswer decoded = Decode(bytes);
        ASSERT_TRUE(decoded.ok) << row.name << ": " << decoded.error;
        EXPECT_EQ(decoded.answer.statusCode, row.status) << row.name;
        EXPECT_EQ(decoded.answer.printerState, row.state) << row.name;
        EXPECT_EQ(Joined(decoded.answer.reasons), row.reasons) << row.name;
        EXPECT_EQ(decoded.answer.message, row.message) << row.name;
        EXPECT_EQ(decoded.length, bytes.size()) << row.name;
        EXPECT_EQ(CodeForAnswer(decoded.answer).code, row.code) << row.name;
        // Cut anywhere before its end-of-attributes tag, it is refused.
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            EXPECT_FALSE(Decode(bytes.substr(0, size)).ok) << row.name << " cut to " << size;
        }
    }
    // A printer that answers in a version neither 1 nor 2 (its answer to a
    // request of version 3.0).
    EXPECT_EQ(Decode(ipptest::RecordedAnswer("badversion")).error, "its IPP version 3.0 is neither 1.x nor 2.x");
}

// Answers made by hand: what is taken, and what is refused and why.
TEST(PrinterAnswer, HandMadeAndHostileAnswers) {
    using ipptest::Uint16;
    const std::string state = IppBytes().Enum("printer-state", 4).Bytes();
    const std::string collection = IppBytes()
                                       .Value(0x34, "media-col-ready", "")
                                       .Value(0x4A, "", "media-size")
                                       .Value(0x34, "", "")
                                       .Value(0x4A, "", "x-dimension")
                                       .Value(0x21, "", ipptest::Int32(21000))
                                       .Value(0x37, "", "")
                                       .Value(0x37, "", "")
                                       .Bytes();
    std::string deep = IppBytes().Value(0x34, "deep", "").Bytes();
    for (int i = 1; i < 16; ++i) deep += IppBytes().Value(0x4A, "", "m").Value(0x34, "", "").Bytes();
    std::string closed = deep;
    for (int i = 0; i < 16; ++i) closed += IppBytes().Value(0x37, "", "").Bytes();
    std::string manyAttributes;
    // With the two operation attributes and printer-state, 1024 in all.
    for (int i = 0; i < 1021; ++i) manyAttributes += IppBytes().Value(0x42, "a" + std::to_string(i), "v").Bytes();
    std::string manyValues = IppBytes().Value(0x42, "many", "v").Bytes();
    for (int i = 1; i < 1024; ++i) manyValues += IppBytes().Value(0x42, "", "v").Bytes();
    Reasons sixtyFour(64, "toner-low-report");
    const std::string text1023(1023, 't');
    const std::string keyword255(255, 'k');

    const std::string start = IppBytes().AnswerStart().Tag(0x04).Bytes();
    const std::string end = "\x03";
    const struct {
        const char* what;
        std::string bytes;
        const char* error;  // empty: taken
        int state = 0;
        const char* reasons = "";
        const char* message = "";
    } rows[] = {
        {"empty", "", "shorter than an IPP header"},
        {"a header only", IppBytes().Header(1, 1, 0).Bytes(), "it ends before its end-of-attributes tag"},
        {"version 0.9", IppBytes().Header(0, 9, 0).Tag(4).Raw(state + end).Bytes(), "its IPP version 0.9 is neither"},
        {"version 1.0", IppBytes().Header(1, 0, 0).Tag(4).Raw(state + end).Bytes(), "", 4, "", ""},
        {"version 2.2", IppBytes().Header(2, 2, 0).Tag(4).Raw(state + end).Bytes(), "", 4, "", ""},
        {"an attribute before any group", IppBytes().Header(1, 1, 0).Raw(state + end).Bytes(),
         "an attribute comes before any group"},
        {"reserved delimiter", start + std::string(1, '\0') + state + end, "it holds the reserved delimiter tag 0x00"},
        {"a name longer than what is left", start + "\x23" + Uint16(14) + "printer-state", "a name or value is longer"},
        {"a value longer than what is left",
         start + "\x23" + Uint16(13) + "printer-state" + Uint16(6) + ipptest::Int32(3) + end,
         "a name or value is longer"},
        {"a length of 65535", start + "\x41" + Uint16(65535) + "x", "a name or value is longer"},
        {"a further value first in its group", start + IppBytes().Value(0x44, "", "x").Bytes() + state + end,
         "a value without a name comes first"},
        {"no end tag", start + state, "it ends before its end-of-attributes tag"},
        {"state in the operation group only", IppBytes().AnswerStart().Enum("printer-state", 3).Tag(3).Bytes(),
         "the answer has no printer-state"},
        {"state in other groups too", IppBytes().AnswerStart().Enum("printer-state", 5).Tag(5).Enum("printer-state", 5)
                                          .Tag(4).Raw(state).Tag(2).Enum("printer-state", 3).Tag(3).Bytes(),
         "", 4, "", ""},
        {"state twice", start + state + state + end, "printer-state comes twice"},
        {"state with two values", start + state + IppBytes().Enum("", 3).Bytes() + end,
         "printer-state has more than one"},
        {"state as an integer", start + IppBytes().Value(0x21, "printer-state", ipptest::Int32(3)).Bytes() + end,
         "printer-state is not an enum of 4 bytes"},
        {"state of 3 bytes", start + IppBytes().Value(0x23, "printer-state", "\x00\x00\x03").Bytes() + end,
         "printer-state is not an enum of 4 bytes"},
        {"state 6", StateAnswer(6, {}), "printer-state 6 is none of idle, processing, stopped"},
        {"state 2", StateAnswer(2, {}), "printer-state 2 is none of"},
        {"state unknown", start + IppBytes().Value(0x12, "printer-state", "").Bytes() + end,
         "the answer has no printer-state"},
        {"an error status without a state", IppBytes().AnswerStart(0x0406).Tag(3).Bytes(), "", 0, "", ""},
        {"reasons and message", StateAnswer(5, {"paused", "media-jam-error", "x-vendor-warning"}, "Jammed."), "", 5,
         "paused,media-jam-error,x-vendor-warning", "Jammed."},
        {"reasons given twice", start + state + IppBytes().Keyword("printer-state-reasons", "none")
                                    .Keyword("printer-state-reasons", "paused").Bytes() + end,
         "printer-state-reasons comes twice"},
        {"a reason as a name", start + state + IppBytes().Value(0x42, "printer-state-reasons", "paused").Bytes() + end,
         "printer-state-reasons holds a value that is not a keyword"},
        {"a reason with a blank", StateAnswer(3, {"media jam"}), "printer-state-reasons holds a value that is not"},
        {"a reason with a control character", StateAnswer(3, {"jam\x1b[2J"}), "printer-state-reasons holds a value"},
        {"an empty reason", StateAnswer(3, {"none", ""}), "printer-state-reasons holds a value"},
        {"a reason of 255", StateAnswer(3, {keyword255}), "", 3, keyword255.c_str(), ""},
        {"a reason of 256", StateAnswer(3, {keyword255 + "k"}), "printer-state-reasons holds a value"},
        {"64 reasons", StateAnswer(3, sixtyFour), "", 3, nullptr, ""},
        {"65 reasons", StateAnswer(3, Reasons(65, "none")), "printer-state-reasons has more than 64 values"},
        {"reasons without a value", start + state + IppBytes().Value(0x13, "printer-state-reasons", "").Bytes() + end,
         "", 4, "", ""},
        {"a message with its language",
         start + state +
             IppBytes().Value(0x35, "printer-state-message", Uint16(2) + "de" + Uint16(6) + "Bereit").Bytes() + end,
         "", 4, "", "Bereit"},
        {"a message whose text is longer than its value", start + state +
             IppBytes().Value(0x35, "printer-state-message", Uint16(2) + "de" + Uint16(7) + "Bereit").Bytes() + end,
         "printer-state-message is a broken text"},
        {"a message with bytes after its text", start + state +
             IppBytes().Value(0x35, "printer-state-message", Uint16(0) + Uint16(1) + "ab").Bytes() + end,
         "printer-state-message is a broken text"},
        {"a message of 1023", StateAnswer(3, {}, text1023), "", 3, "", text1023.c_str()},
        {"a message of 1024", StateAnswer(3, {}, text1023 + "t"), "printer-state-message is longer than 1023 bytes"},
        {"a message as a keyword", start + state + IppBytes().Keyword("printer-state-message", "idle").Bytes() + end,
         "printer-state-message is not a text"},
        {"two messages", start + state + IppBytes().Value(0x41, "printer-state-message", "a").Value(0x41, "", "b")
                                             .Bytes() + end,
         "printer-state-message has more than one value"},
        {"unknown tags", start +
                              IppBytes()
                                  .Value(0x7F, "x-extension", ipptest::Int32(0x40000001) + "v")
                                  .Value(0x5F, "x-unknown", "?")
                                  .Value(0x10, "x-unsupported", "")
                                  .Bytes() + state + end,
         "", 4, "", ""},
        {"a collection", start + collection + state + end, "", 4, "", ""},
        {"a further value after a collection is the collection's", start + collection +
             IppBytes().Keyword("", "media-jam").Bytes() + state + end, "", 4, "", ""},
        {"a collection not closed", start + IppBytes().Value(0x34, "c", "").Bytes() + end,
         "a collection is not closed"},
        {"a collection's end alone", start + IppBytes().Value(0x37, "c", "").Bytes() + state + end,
         "a collection ends that did not begin"},
        {"a collection's end with a value", start + IppBytes().Value(0x34, "c", "").Value(0x37, "", "x").Bytes() + end,
         "a collection's end has a value"},
        {"a named attribute in a collection", start + IppBytes().Value(0x34, "c", "").Bytes() + state + end,
         "a named attribute stands inside a collection"},
        {"collections 16 deep", start + closed + state + end, "", 4, "", ""},
        {"collections 17 deep", start + deep + IppBytes().Value(0x4A, "", "m").Value(0x34, "", "").Bytes(),
         "collections are nested more than 16 deep"},
        {"1024 attributes", start + manyAttributes + state + end, "", 4, "", ""},
        {"1025 attributes", start + manyAttributes + state + IppBytes().Value(0x42, "one-more", "v").Bytes() + end,
         "it has more than 1024 attributes"},
        {"1024 values", start + manyValues + state + end, "", 4, "", ""},
        {"1025 values", start + manyValues + IppBytes().Value(0x42, "", "v").Bytes() + state + end,
         "an attribute has more than 1024 values"},
        {"bytes after the end", StateAnswer(3, {}) + std::string(kMaxAnswerSize - StateAnswer(3, {}).size(), '\x01'),
         "", 3, "", ""},
        {"larger than 256 KiB",
         StateAnswer(3, {}) + std::string(kMaxAnswerSize + 1 - StateAnswer(3, {}).size(), '\x03'),
         "it is larger than 256 KiB"},
    };
    for (const auto& row : rows) {
        const DecodedAnswer decoded = Decode(row.bytes);
        const std::string error = row.error;
        EXPECT_EQ(decoded.ok, error.empty()) << row.what << ": " << decoded.error;
        if (!error.empty()) {
            EXPECT_EQ(decoded.error.substr(0, error.size()), error) << row.what;
            continue;
        }
        EXPECT_EQ(decoded.answer.printerState, row.state) << row.what;
        if (row.reasons != nullptr) {
            EXPECT_EQ(Joined(decoded.answer.reasons), row.reasons) << row.what;
        }
        EXPECT_EQ(decoded.answer.message, row.message) << row.what;
    }
    EXPECT_EQ(Decode(StateAnswer(3, sixtyFour)).answer.reasons, sixtyFour);
    // The end is where its tag is, whatever follows.
    EXPECT_EQ(Decode(StateAnswer(3, {}) + "trailing").length, StateAnswer(3, {}).size());
}

// The broken answers that the stand-in printers of the tests give.
TEST(PrinterAnswer, MalformedAnswersOfTheStandInsAreRefused) {
    for (const auto& [what, bytes] : ipptest::MalformedAnswers()) EXPECT_FALSE(Decode(bytes).ok) << what;
}

}  // namespace
