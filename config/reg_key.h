// A registry key open for reading, with its own buffer for the values read.
#pragma once

#include <windows.h>

#include "config/global_buffer.h"
#include "state/kept_key.h"

class RegKey {
public:
    // Opens path under root with the access right given (KEY_READ, or
    // KEY_QUERY_VALUE alone where an installation may grant users no more);
    // a key that fails to open reads as empty values.
    RegKey(HKEY root, const char* path, REGSAM access);
    // The same, but reads from the key that kept holds, opened only when it
    // holds no such key, and left open in it for the next status code. A key
    // deleted meanwhile is opened anew for the read.
    RegKey(KeptKey& kept, HKEY root, const char* path, REGSAM access);
    ~RegKey();  // closes the key (unless kept holds it), then the buffer releases its block
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Closes any open key first, so one RegKey can move to another key.
    bool Open(HKEY root, const char* path, REGSAM access);
    void Close();

    // The value's bytes as terminated text in this key's buffer, or the shared
    // empty string. Whatever the value's type, and whether or not it was stored
    // with its terminator, the result is terminated. Valid until the next read.
    char* QueryString(const char* name);

    // As QueryString, but tells a value that was read (true, text in Text())
    // from one that could not be read (false: a missing value, for one).
    bool ReadValue(const char* name);
    // The text of the last value that ReadValue read.
    char* Text() const { return value_.Data(); }
    // The size in bytes of the last value read, as the registry stores it.
    DWORD ValueSize() const { return valueSize_; }

    // 0 after a successful open, else the open's error; ERROR_FILE_NOT_FOUND
    // while closed.
    LONG Status() const { return status_; }
    bool IsOpen() const { return key_ != nullptr; }
    const GlobalBuffer& Buffer() const { return value_; }

private:
    // A query of the value into the buffer; the kept key opened anew once
    // when it was deleted.
    LONG Query(const char* name, DWORD* type, DWORD* size);

    KeptKey* kept_ = nullptr;  // holds key_ when set
    HKEY key_ = nullptr;
    LONG status_ = ERROR_FILE_NOT_FOUND;
    GlobalBuffer value_;
    DWORD valueSize_ = 0;
};
