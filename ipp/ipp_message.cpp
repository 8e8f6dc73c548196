#include "ipp/ipp_message.h"

bool IppMessageReader::Fail(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
}

bool IppMessageReader::ReadHeader(IppHeader* header) {
    std::int32_t requestId = 0;
    if (!cursor_.ReadByte(&header->major) || !cursor_.ReadByte(&header->minor) ||
        !cursor_.ReadUint16(&header->code) || !cursor_.ReadInt32(&requestId)) {
        return Fail("shorter than an IPP header");
    }
    header->requestId = requestId;
    return true;
}

bool IppMessageReader::Next(IppValue* value) {
    if (ended_ || !error_.empty()) return false;
    for (;;) {
        unsigned tag = 0;
        if (!cursor_.ReadByte(&tag)) return Fail("it ends before its end-of-attributes tag");
        if (tag >= kFirstValueTag) {
            value->tag = tag;
            break;
        }
        // A delimiter: the end, or the start of a group.
        if (depth_ != 0) return Fail("a collection is not closed before the next group");
        if (tag == kEndOfAttributes) {
            ended_ = true;
            return false;
        }
        if (tag == 0x00) return Fail("it holds the reserved delimiter tag 0x00");
        group_ = tag;
        haveAttribute_ = false;
    }
    if (group_ == 0) return Fail("an attribute comes before any group");
    std::string_view name;
    if (!cursor_.ReadCounted(&name) || !cursor_.ReadCounted(&value->value)) {
        return Fail("a name or value is longer than what is left");
    }
    value->depth = depth_;
    value->group = group_;
    value->additional = name.empty();
    if (name.empty()) {
        if (!haveAttribute_) return Fail("a value without a name comes first in its group");
        if (depth_ == 0 && ++values_ > kMaxValuesPerAttribute) return Fail("an attribute has more than 1024 values");
    } else {
        if (depth_ != 0) return Fail("a named attribute stands inside a collection");
        if (++attributes_ > kMaxAttributes) return Fail("it has more than 1024 attributes");
        name_ = name;
        haveAttribute_ = true;
        values_ = 1;
    }
    value->name = name_;
    if (value->tag == kTagBeginCollection && ++depth_ > kMaxCollectionDepth) {
        return Fail("collections are nested more than 16 deep");
    }
    if (value->tag == kTagEndCollection) {
        if (depth_ == 0) return Fail("a collection ends that did not begin");
        if (!value->value.empty()) return Fail("a collection's end has a value");
        --depth_;
    }
    return true;
}
