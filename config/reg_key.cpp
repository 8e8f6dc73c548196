#include "config/reg_key.h"

#include "text/text.h"

namespace {
// Callers may write into returned texts (they are split in place); the shared
// empty string is only ever read, as an empty text is never split.
char* EmptyText() { return const_cast<char*>(kEmptyString); }

constexpr DWORD kFirstBlockSize = 256;

BYTE* Bytes(const GlobalBuffer& buffer) { return reinterpret_cast<BYTE*>(buffer.Data()); }
}  // namespace

RegKey::RegKey(HKEY root, const char* path, REGSAM access) { (void)Open(root, path, access); }

RegKey::RegKey(KeptKey& kept, HKEY root, const char* path, REGSAM access) : kept_(&kept) {
    key_ = kept.Open(root, path, access, &status_);
}

RegKey::~RegKey() { Close(); }

bool RegKey::Open(HKEY root, const char* path, REGSAM access) {
    Close();
    kept_ = nullptr;
    status_ = RegOpenKeyExA(root, path, 0, access, &key_);
    if (status_ != ERROR_SUCCESS) key_ = nullptr;
    return status_ == ERROR_SUCCESS;
}

void RegKey::Close() {
    if (key_ != nullptr && kept_ == nullptr) RegCloseKey(key_);
    key_ = nullptr;
    status_ = ERROR_FILE_NOT_FOUND;
}

char* RegKey::QueryString(const char* name) { return ReadValue(name) ? Text() : EmptyText(); }

bool RegKey::ReadValue(const char* name) {
    valueSize_ = 0;
    if (key_ == nullptr) return false;
    // Most values are short paths and names: a first block of this size
    // takes them in one query instead of a size query and a read.
    if (value_.Size() == 0 && value_.Resize(kFirstBlockSize) == 0) return false;

    // One byte stays spare, so that a value stored without its terminator,
    // of another type or of size 0 still ends as text.
    DWORD type = 0;
    DWORD got = value_.Size() - 1;
    LONG result = Query(name, &type, &got);
    if (result == ERROR_MORE_DATA) {
        // got is now the size the value needs.
        const DWORD size = got;
        if (size == MAXDWORD || value_.Resize(size + 1) == 0) return false;
        got = size;
        // Fails, among others, when the value grew since the first query.
        result = Query(name, &type, &got);
    }
    if (result != ERROR_SUCCESS || got >= value_.Size()) return false;
    value_.Data()[got] = '\0';
    valueSize_ = got;
    return true;
}

LONG RegKey::Query(const char* name, DWORD* type, DWORD* size) {
    const DWORD room = *size;
    LONG result = RegQueryValueExA(key_, name, nullptr, type, Bytes(value_), size);
    if (result != ERROR_KEY_DELETED || kept_ == nullptr) return result;
    key_ = kept_->Reopen(&status_);
    if (key_ == nullptr) return status_;
    *size = room;
    return RegQueryValueExA(key_, name, nullptr, type, Bytes(value_), size);
}
