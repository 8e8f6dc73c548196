#include "text/field_list.h"

#include <cstring>
#include <new>

#include "text/char_next.h"
#include "text/text.h"

namespace {

// Space and every control character; bytes of 128 and above are not blanks.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

char* Next(char* p) { return CharNextA(p); }

}  // namespace

FieldList::~FieldList() { Release(); }

void FieldList::Release() {
    delete[] fields_;
    delete[] text_;
    fields_ = nullptr;
    text_ = nullptr;
    count_ = 0;
}

int FieldList::Split(const char* text, char separator, int maximum) {
    Release();
    if (maximum < 0) maximum = 0;

    // Walk by characters, so a trail byte of a double-byte character is
    // never taken for the separator.
    int count = 1;
    for (const char* p = text; *p != '\0'; p = CharNextA(p)) {
        if (*p == separator) ++count;
    }
    if (maximum != kNoLimit && count > maximum) count = maximum;

    const std::size_t length = std::strlen(text);
    text_ = new (std::nothrow) char[length + 1];
    fields_ = new (std::nothrow) char*[count > 0 ? count : 1];
    if (text_ == nullptr || fields_ == nullptr) {
        Release();
        return 0;
    }
    std::memcpy(text_, text, length + 1);

    char* p = text_;
    for (int i = 0; i < count; ++i) {
        while (*p != '\0' && IsBlank(*p) && *p != separator) p = Next(p);
        char* const start = p;
        char* end = p;  // just after the last non-blank character
        // Only the field numbered maximum - 1 takes separators as text; the
        // test also runs for kNoLimit, as the number itself.
        while (*p != '\0') {
            if (i + 1 < maximum && *p == separator) break;
            if (!IsBlank(*p)) end = Next(p);
            p = Next(p);
        }
        char* const after = *p != '\0' ? Next(p) : p;
        *end = '\0';
        fields_[i] = start;
        p = after;
    }
    count_ = count;
    return count_;
}

const char* FieldList::Field(int index) const {
    if (index < 0 || index >= count_) return kEmptyString;
    return fields_[index];
}

int FieldList::FieldInt(int index) const { return ParseDecimal(Field(index)); }
