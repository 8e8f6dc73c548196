// Bytes that arrived from outside, read through one cursor that only moves
// forward within them: each read checks what is left first and fails when
// it is short, so no caller does pointer arithmetic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class ByteCursor {
public:
    ByteCursor(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    explicit ByteCursor(std::string_view bytes)
        : ByteCursor(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) {}

    std::size_t Left() const { return size_ - offset_; }
    std::size_t Offset() const { return offset_; }

    // Each read fails, moving nothing, when fewer bytes are left than it needs.
    bool ReadByte(unsigned* value);
    bool ReadUint16(unsigned* value);  // big-endian, as IPP sends it
    bool ReadInt32(std::int32_t* value);
    // The next count bytes, viewed where they lie.
    bool ReadBytes(std::size_t count, std::string_view* bytes);
    // A 2-byte length, then that many bytes.
    bool ReadCounted(std::string_view* bytes);

private:
    const unsigned char* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};
