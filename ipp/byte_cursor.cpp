#include "ipp/byte_cursor.h"

bool ByteCursor::ReadByte(unsigned* value) {
    if (Left() < 1) return false;
    *value = data_[offset_];
    offset_ += 1;
    return true;
}

bool ByteCursor::ReadUint16(unsigned* value) {
    if (Left() < 2) return false;
    *value = (static_cast<unsigned>(data_[offset_]) << 8) | data_[offset_ + 1];
    offset_ += 2;
    return true;
}

bool ByteCursor::ReadInt32(std::int32_t* value) {
    if (Left() < 4) return false;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) bits = (bits << 8) | data_[offset_ + i];
    *value = static_cast<std::int32_t>(bits);
    offset_ += 4;
    return true;
}

bool ByteCursor::ReadBytes(std::size_t count, std::string_view* bytes) {
    if (Left() < count) return false;
    *bytes = std::string_view(reinterpret_cast<const char*>(data_) + offset_, count);
    offset_ += count;
    return true;
}

bool ByteCursor::ReadCounted(std::string_view* bytes) {
    const std::size_t start = offset_;
    unsigned length = 0;
    if (ReadUint16(&length) && ReadBytes(length, bytes)) return true;
    offset_ = start;
    return false;
}
