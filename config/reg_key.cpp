#include "config/reg_key.h"

#include "text/text.h"

namespace {
// Callers may write into returned texts (they are split in place); the shared
// empty string is only ever read, as an empty text is never split.
char* EmptyText() { return const_cast<char*>(kEmptyString); }
}  // namespace

RegKey::RegKey(HKEY root, const char* path) { (void)Open(root, path); }

RegKey::~RegKey() { Close(); }

bool RegKey::Open(HKEY root, const char* path) {
    Close();
    status_ = RegOpenKeyExA(root, path, 0, KEY_READ, &key_);
    if (status_ != ERROR_SUCCESS) key_ = nullptr;
    return status_ == ERROR_SUCCESS;
}

void RegKey::Close() {
    if (key_ != nullptr) {
        RegCloseKey(key_);
        key_ = nullptr;
    }
    status_ = ERROR_FILE_NOT_FOUND;
}

char* RegKey::QueryString(const char* name) { return ReadValue(name) ? Text() : EmptyText(); }

bool RegKey::ReadValue(const char* name) {
    valueSize_ = 0;
    if (key_ == nullptr) return false;

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    // One byte more than the value, so that a value stored without its
    // terminator, of another type or of size 0 still ends as text.
    if (size == MAXDWORD || value_.Resize(size + 1) == 0) return false;

    DWORD got = size;
    BYTE* data = reinterpret_cast<BYTE*>(value_.Data());
    // Fails, among others, when the value grew since the size query.
    if (RegQueryValueExA(key_, name, nullptr, &type, data, &got) != ERROR_SUCCESS || got > size) {
        return false;
    }
    value_.Data()[got] = '\0';
    valueSize_ = got;
    return true;
}
