// A registry key kept open from one status code to the next, so that each
// code reads its values afresh without opening the key again. It is opened
// anew for another path or access right, and after the key was deleted.
#pragma once

#include <windows.h>

class KeptKey {
public:
    KeptKey() = default;
    ~KeptKey();  // closes the key
    KeptKey(const KeptKey&) = delete;
    KeptKey& operator=(const KeptKey&) = delete;
    // Moving hands the key over; the process state is reset so.
    KeptKey(KeptKey&& other) noexcept;
    KeptKey& operator=(KeptKey&& other) noexcept;

    // The key at path under root, opened with access: the one kept since an
    // earlier call when it is the same, else opened now and kept. Null when
    // it cannot be opened; status gets the open's result.
    HKEY Open(HKEY root, const char* path, REGSAM access, LONG* status);
    // Opens the same key again, for a key that was deleted while kept (its
    // reads fail with ERROR_KEY_DELETED) and may have been made anew.
    HKEY Reopen(LONG* status);
    void Close();

private:
    HKEY root_ = nullptr;
    HKEY key_ = nullptr;
    REGSAM access_ = 0;
    char path_[256] = {};  // the monitor's key paths are formed in 256 bytes
};
