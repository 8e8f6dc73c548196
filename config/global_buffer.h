// A byte buffer in one movable block of global memory, kept locked while held.
#pragma once

#include <windows.h>

class GlobalBuffer {
public:
    GlobalBuffer() = default;
    ~GlobalBuffer();
    GlobalBuffer(const GlobalBuffer&) = delete;
    GlobalBuffer& operator=(const GlobalBuffer&) = delete;

    // Makes the block exactly n bytes (it may move). Returns n on success and
    // 0 when the block cannot be obtained; the buffer then holds no block.
    DWORD Resize(DWORD n);

    char* Data() const { return data_; }
    DWORD Size() const { return size_; }

private:
    void Free();

    char* data_ = nullptr;  // the locked block; its handle comes from GlobalHandle
    DWORD size_ = 0;
};
