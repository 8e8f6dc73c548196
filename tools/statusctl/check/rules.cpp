#include "tools/statusctl/check/rules.h"

#include <cstdint>

#include "text/field_list.h"
#include "text/text.h"
#include "tools/statusctl/check/strict_number.h"

namespace {

// How the monitor's number reading (ParseDecimal, ParseAutoBase) goes through
// a field: after white space and a sign, the digits it takes and the text it
// leaves unread.
struct NumberReading {
    bool hasDigits = false;
    bool octal = false;          // automatic base chose octal (a leading 0)
    bool outOfRange = false;     // the digits wrapped around in 32 bits
    std::string unread;          // what follows the digits
};

// Walks the text by the same steps as the monitor's reader; the value itself
// comes from the reader, this only tells what it took and what it left.
NumberReading ReadNumber(const std::string& text, bool automaticBase) {
    NumberReading reading;
    std::size_t i = 0;
    while (i < text.size() && IsNumberSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (automaticBase && i < text.size() && text[i] == '0') {
        if (i + 2 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X') && DigitValue(text[i + 2]) < 16) {
            base = 16;
            i += 2;
        } else {
            base = 8;
            reading.octal = true;
        }
    }
    const std::uint64_t limit = negative ? 2147483648u : 4294967295u;
    std::uint64_t magnitude = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        reading.hasDigits = true;
        if (magnitude <= limit) magnitude = magnitude * static_cast<unsigned>(base) + DigitValue(text[i]);
    }
    // Hexadecimal and octal may fill all 32 bits (0xFFFFFFFF); decimal
    // numbers must stay within the signed range.
    const std::uint64_t allowed = base == 10 && !negative ? 2147483647u : limit;
    reading.outOfRange = magnitude > allowed;
    reading.unread = text.substr(i);
    return reading;
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// The problems of one numeric field; name is how the sentence calls it,
// consequence what reading 0 means for it.
void CheckNumberField(const FieldList& fields, int index, const std::string& name, bool automaticBase,
                      const std::string& consequenceOfZero, std::vector<std::string>* problems) {
    if (index >= fields.Count()) {
        problems->push_back("no " + name + ": reads as 0, " + consequenceOfZero);
        return;
    }
    const std::string text = fields.Field(index);
    if (text.empty()) {
        problems->push_back(name + " is empty: reads as 0, " + consequenceOfZero);
        return;
    }
    const NumberReading reading = ReadNumber(text, automaticBase);
    const int value = automaticBase ? ParseAutoBase(text.c_str()) : ParseDecimal(text.c_str());
    if (!reading.hasDigits) {
        problems->push_back(name + " " + Quoted(text) + " is not a number: reads as 0, " + consequenceOfZero);
        return;
    }
    if (!reading.unread.empty()) {
        std::string why = Quoted(reading.unread) + " after the digits is ignored";
        if (reading.octal) why += " (a leading 0 makes it octal)";
        if (!automaticBase && value == 0 && (reading.unread[0] == 'x' || reading.unread[0] == 'X')) {
            why += " (this field is decimal only)";
        }
        problems->push_back(name + " " + Quoted(text) + " reads as " + std::to_string(value) + ": " + why);
        return;
    }
    if (reading.outOfRange) {
        problems->push_back(name + " " + Quoted(text) + " does not fit in 32 bits: reads as " +
                            std::to_string(value));
    }
}

}  // namespace

bool IsCodeKey(const std::string& key, int* code) {
    int number = 0;
    if (!ParseStrictCode(key, &number)) return false;
    if (FormatCodeKey(number).text != key) return false;
    *code = number;
    return true;
}

std::string KeyNeverLookedUp(const std::string& key, const std::string& what) {
    int code = 0;
    if (IsCodeKey(key, &code)) return std::string();
    if (ParseStrictCode(key, &code)) {
        return "never looked up: " + what + " " + std::to_string(code) + " is looked up as " +
               Quoted(FormatCodeKey(code).text);
    }
    return "never looked up: keys here are " + what + "s written with at least five digits, as 00012";
}

bool IsLanguageSuffix(const std::string& suffix, int* language) {
    int number = 0;
    if (!ParseStrictCode(suffix, &number) || LanguageSuffix(number) != suffix) return false;
    *language = number;
    return true;
}

std::string LanguageSuffix(int language) {
    char text[16];
    (void)FormatText(text, sizeof text, "%03d", language);
    return text;
}

std::vector<std::string> EntryProblems(const std::string& value) {
    FieldList fields;
    fields.Split(value.c_str(), ',', FieldList::kNoLimit);
    std::vector<std::string> problems;
    CheckNumberField(fields, 0, "number (field 0)", true, "the number shown in test mode", &problems);
    CheckNumberField(fields, 1, "severity (field 1)", false, "shows as normal", &problems);
    const int severity = fields.FieldInt(1);
    if (fields.Count() > 1 && severity != 0 && severity != 1 && severity != 2) {
        problems.push_back("severity " + Quoted(fields.Field(1)) + " is neither 1 (error) nor 2 (warning): " +
                           "shows as normal");
    }
    CheckNumberField(fields, 2, "message code (field 2)", false, "so the text is looked up under 00000",
                     &problems);
    if (fields.Count() > 3) {
        problems.push_back(std::to_string(fields.Count()) +
                           " fields: everything after the message code (field 2) is ignored");
    }
    return problems;
}
