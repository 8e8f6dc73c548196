#include "state/kept_key.h"

#include <cstring>

KeptKey::~KeptKey() { Close(); }

KeptKey::KeptKey(KeptKey&& other) noexcept { *this = static_cast<KeptKey&&>(other); }

KeptKey& KeptKey::operator=(KeptKey&& other) noexcept {
    if (this != &other) {
        Close();
        root_ = other.root_;
        key_ = other.key_;
        access_ = other.access_;
        std::memcpy(path_, other.path_, sizeof path_);
        other.key_ = nullptr;
    }
    return *this;
}

HKEY KeptKey::Open(HKEY root, const char* path, REGSAM access, LONG* status) {
    if (key_ != nullptr && root == root_ && access == access_ && std::strcmp(path, path_) == 0) {
        *status = ERROR_SUCCESS;
        return key_;
    }
    Close();
    if (std::strlen(path) >= sizeof path_) {  // no such key is ever formed
        *status = ERROR_FILE_NOT_FOUND;
        return nullptr;
    }
    root_ = root;
    access_ = access;
    std::memcpy(path_, path, std::strlen(path) + 1);
    return Reopen(status);
}

HKEY KeptKey::Reopen(LONG* status) {
    Close();
    HKEY key = nullptr;
    *status = RegOpenKeyExA(root_, path_, 0, access_, &key);
    if (*status == ERROR_SUCCESS) key_ = key;
    return key_;
}

void KeptKey::Close() {
    if (key_ != nullptr) RegCloseKey(key_);
    key_ = nullptr;
}
