// A text split at a separator into trimmed fields, handed out by index.
#pragma once

class FieldList {
public:
    // Passed as the maximum to split without a limit on the number of fields.
    static constexpr int kNoLimit = 9999;

    FieldList() = default;
    ~FieldList();
    FieldList(const FieldList&) = delete;
    FieldList& operator=(const FieldList&) = delete;

    // Splits a private copy of text at separator and returns the number of
    // fields: one more than the separators, cut to maximum unless it is
    // kNoLimit. The caller's text may change as soon as this returns. When
    // the heap cannot supply the copy or the array, the list is empty.
    int Split(const char* text, char separator, int maximum);

    // The field's text, or the shared empty string for an index out of range.
    // Valid until the next Split or the list's destruction.
    const char* Field(int index) const;
    // The field as a decimal integer (ParseDecimal), 0 out of range.
    int FieldInt(int index) const;
    int Count() const { return count_; }

private:
    void Release();

    char* text_ = nullptr;      // private copy; the fields point into it
    char** fields_ = nullptr;   // count_ pointers into text_
    int count_ = 0;
};
