// CopyBounded, FormatText and FormatCodeKey write nothing past the size they
// are given: each writes into a heap block of exactly that size, so a byte
// too many stops the run. What they write is checked too, and every code key
// reads back as its code through ParseDecimal.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "text/text.h"

namespace {

// What snprintf would write with room enough, for the formats tried below.
template <typename... Args>
std::string Whole(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    FUZZ_CHECK(length >= 0);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::snprintf(buffer.data(), buffer.size(), format, args...);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

template <typename... Args>
void CheckFormat(std::size_t size, const char* format, Args... args) {
    const std::string whole = Whole(format, args...);
    std::unique_ptr<char[]> out(new char[size]);
    if (size > 0) std::memset(out.get(), '#', size);
    const bool fitted = FormatText(out.get(), size, format, args...);
    FUZZ_CHECK(fitted == (size > 0 && whole.size() < size));
    if (fitted) {
        FUZZ_CHECK(std::memcmp(out.get(), whole.c_str(), whole.size() + 1) == 0);
    } else if (size > 0) {
        FUZZ_CHECK(out[0] == '\0');  // never a text cut short
    }
}

void CheckCopy(std::size_t size, const std::string& text) {
    fuzz::HeapText source(text);
    std::unique_ptr<char[]> out(new char[size]);
    if (size > 0) std::memset(out.get(), '#', size);
    CopyBounded(out.get(), size, source.get());
    if (size == 0) return;
    const std::size_t kept = source.length() < size - 1 ? source.length() : size - 1;
    FUZZ_CHECK(std::memcmp(out.get(), source.get(), kept) == 0);
    FUZZ_CHECK(out[kept] == '\0');
    for (std::size_t i = kept + 1; i < size; ++i) FUZZ_CHECK(out[i] == '#');  // untouched
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::size_t outSize = input.Byte() % 72;
    const std::uint32_t bits = input.Uint32();
    std::int32_t code;
    std::memcpy(&code, &bits, sizeof code);
    const char letter = static_cast<char>(input.Byte() | 1);  // never the terminator
    const std::string word = input.Bytes(input.Byte() % 40);
    const std::string text = input.RestAsText();
    const std::string shortWord = word.substr(0, word.find('\0'));

    CheckCopy(outSize, text);
    CheckCopy(outSize, shortWord);

    CheckFormat(outSize, "%s", text.c_str());
    CheckFormat(outSize, "%s,%03d", shortWord.c_str(), code);
    CheckFormat(outSize, "%05d", code);
    CheckFormat(outSize, "%c%s%c", letter, text.c_str(), letter);
    CheckFormat(outSize, "%s\\%s", shortWord.c_str(), text.c_str());
    CheckFormat(outSize, "%08" PRIX32 "%%", bits);

    // The code key: "%05d" whole, in the 12 bytes of its text, and back.
    const CodeKey key = FormatCodeKey(code);
    const std::size_t keyLength = strnlen(key.text, sizeof key.text);
    FUZZ_CHECK(keyLength < sizeof key.text);
    FUZZ_CHECK(std::string(key.text) == Whole("%05d", code));
    FUZZ_CHECK(keyLength >= 5);
    FUZZ_CHECK(ParseDecimal(fuzz::HeapText(key.text).get()) == code);
    // And through a heap block just big enough, as FormatText sees it.
    CheckFormat(keyLength + 1, "%05d", code);
    CheckFormat(keyLength, "%05d", code);
    return 0;
}
