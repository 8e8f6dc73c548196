// Helpers shared by the fuzz targets: taking values off the fuzzer's bytes,
// texts in heap blocks of exactly their size (so that AddressSanitizer sees
// any read past the terminator), checks that stop the run, and a reference
// reader of decimal numbers written apart from text/text.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#define FUZZ_CHECK(condition)                                                         \
    do {                                                                              \
        if (!(condition)) {                                                           \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__,     \
                         #condition);                                                 \
            std::abort();                                                             \
        }                                                                             \
    } while (0)

namespace fuzz {

// Takes values off the front of the fuzzer's input; past its end every value
// is 0 and every text empty.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    std::uint16_t Uint16() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }

    std::uint32_t Uint32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return value;
    }

    // Up to length bytes, as they are (they may hold zero bytes).
    std::string Bytes(std::size_t length) {
        const std::size_t n = length < size_ - pos_ ? length : size_ - pos_;
        std::string bytes(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return bytes;
    }

    // Everything left, up to the first zero byte: a C text.
    std::string RestAsText() {
        std::string rest = Bytes(size_ - pos_);
        return rest.substr(0, rest.find('\0'));
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// A terminated copy of text in a heap block of exactly length + 1 bytes.
class HeapText {
public:
    explicit HeapText(const std::string& text)
        : length_(std::strlen(text.c_str())), block_(new char[length_ + 1]) {
        std::memcpy(block_.get(), text.c_str(), length_ + 1);
    }
    char* get() const { return block_.get(); }
    std::size_t length() const { return length_; }

private:
    std::size_t length_;
    std::unique_ptr<char[]> block_;
};

inline bool IsDecimalSpace(unsigned char c) { return c == 32 || (c >= 9 && c <= 13); }

// The value of a digit in any base up to 36, or 36 for any other byte.
inline unsigned ReferenceDigit(unsigned char c) {
    static const char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    const char* found = lower != '\0' ? std::strchr(kDigits, lower) : nullptr;
    return found != nullptr ? static_cast<unsigned>(found - kDigits) : 36;
}

// Reads white space, a sign and the digits of base from text at position i,
// reducing modulo 2^32 as it goes, and gives the two's complement value.
inline std::int32_t ReferenceParse(const std::string& text, std::size_t i, unsigned base,
                                   bool haveSign = false, bool negative = false) {
    if (!haveSign) {
        while (i < text.size() && IsDecimalSpace(static_cast<unsigned char>(text[i]))) ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    }
    std::uint64_t value = 0;
    for (; i < text.size() && ReferenceDigit(static_cast<unsigned char>(text[i])) < base; ++i) {
        value = (value * base + ReferenceDigit(static_cast<unsigned char>(text[i]))) % 0x100000000u;
    }
    if (negative) value = (0x100000000u - value) % 0x100000000u;
    std::int32_t result;
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

inline std::int32_t ReferenceDecimal(const std::string& text) { return ReferenceParse(text, 0, 10); }

// Hexadecimal after 0x or 0X when a hexadecimal digit follows, octal after
// any other leading 0 (which is then the first octal digit), else decimal.
inline std::int32_t ReferenceAutoBase(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsDecimalSpace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::string rest = text.substr(i);
    if (rest.size() >= 3 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X') &&
        ReferenceDigit(static_cast<unsigned char>(rest[2])) < 16) {
        return ReferenceParse(rest, 2, 16, true, negative);
    }
    if (!rest.empty() && rest[0] == '0') return ReferenceParse(rest, 0, 8, true, negative);
    return ReferenceParse(rest, 0, 10, true, negative);
}

}  // namespace fuzz
