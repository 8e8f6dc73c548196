#include "config/global_buffer.h"

GlobalBuffer::~GlobalBuffer() { Free(); }

void GlobalBuffer::Free() {
    if (data_ == nullptr) return;
    HGLOBAL block = GlobalHandle(data_);
    GlobalUnlock(block);
    GlobalFree(block);
    data_ = nullptr;
    size_ = 0;
}

DWORD GlobalBuffer::Resize(DWORD n) {
    if (n == size_) return n;
    if (n == 0) {
        // A zero-byte reallocation would discard the block but keep its
        // handle; holding no block at all is the same thing without a leak.
        Free();
        return 0;
    }
    HGLOBAL block;
    if (data_ == nullptr) {
        block = GlobalAlloc(GMEM_MOVEABLE, n);
    } else {
        HGLOBAL current = GlobalHandle(data_);
        GlobalUnlock(current);
        block = GlobalReAlloc(current, n, GMEM_MOVEABLE);
        // A failed reallocation leaves the old block alive: give it up rather
        // than lose its handle.
        if (block == nullptr) GlobalFree(current);
    }
    data_ = block != nullptr ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (data_ == nullptr) {
        if (block != nullptr) GlobalFree(block);
        size_ = 0;
        return 0;
    }
    size_ = n;
    return n;
}
