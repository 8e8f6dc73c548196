// An IPP message as RFC 8010 encodes it, read value by value: the header,
// then each attribute value with its group, tag and name. It refuses what
// breaks the framing (a length beyond what arrived, a value before any group
// or attribute, a collection left open, no end-of-attributes tag) and what
// goes beyond its limits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ipp/byte_cursor.h"

// Delimiter and value tags used here.
constexpr unsigned kOperationGroup = 0x01;
constexpr unsigned kEndOfAttributes = 0x03;
constexpr unsigned kPrinterGroup = 0x04;
constexpr unsigned kFirstValueTag = 0x10;  // below: delimiters
constexpr unsigned kOutOfBandEnd = 0x20;   // 0x10 to 0x1F: unsupported, unknown, no-value...
constexpr unsigned kTagEnum = 0x23;
constexpr unsigned kTagBeginCollection = 0x34;
constexpr unsigned kTagTextWithLanguage = 0x35;
constexpr unsigned kTagEndCollection = 0x37;
constexpr unsigned kTagTextWithoutLanguage = 0x41;
constexpr unsigned kTagKeyword = 0x44;
constexpr unsigned kTagUri = 0x45;
constexpr unsigned kTagCharset = 0x47;
constexpr unsigned kTagNaturalLanguage = 0x48;

// Limits on what one message may hold.
constexpr std::size_t kMaxAttributes = 1024;
constexpr std::size_t kMaxValuesPerAttribute = 1024;  // at the top level, not counting collection members
constexpr int kMaxCollectionDepth = 16;

struct IppHeader {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned code = 0;  // operation-id of a request, status-code of a response
    std::int32_t requestId = 0;
};

// One value as it arrived.
struct IppValue {
    unsigned group = 0;      // delimiter tag of its group
    unsigned tag = 0;        // value tag
    std::string_view name;   // its attribute's name, also for further values
    bool additional = false; // a further value of that attribute
    int depth = 0;           // 0 at the top level, more inside collections
    std::string_view value;
};

class IppMessageReader {
public:
    IppMessageReader(const unsigned char* data, std::size_t size) : cursor_(data, size) {}

    bool ReadHeader(IppHeader* header);
    // The next value: false at the end-of-attributes tag (Ended()) or on a
    // fault (Error() says which).
    bool Next(IppValue* value);

    bool Ended() const { return ended_; }
    const std::string& Error() const { return error_; }
    // Bytes read so far; after the end, up to and including its tag.
    std::size_t Offset() const { return cursor_.Offset(); }

private:
    bool Fail(const std::string& why);

    ByteCursor cursor_;
    unsigned group_ = 0;
    std::string_view name_;
    bool haveAttribute_ = false;
    std::size_t attributes_ = 0;
    std::size_t values_ = 0;  // of the current attribute
    int depth_ = 0;
    bool ended_ = false;
    std::string error_;
};
