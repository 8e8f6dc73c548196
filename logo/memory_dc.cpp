#include "logo/memory_dc.h"

MemoryDC::MemoryDC(HDC reference, HBITMAP bitmap) {
    context_ = CreateCompatibleDC(reference);
    if (context_ != nullptr) Select(bitmap);
}

MemoryDC::MemoryDC(int width, int height) {
    context_ = CreateCompatibleDC(nullptr);
    if (context_ == nullptr) return;
    ownBitmap_ = CreateBitmap(width, height, 1, 1, nullptr);
    if (ownBitmap_ != nullptr) Select(ownBitmap_);
}

void MemoryDC::Select(HBITMAP bitmap) {
    HGDIOBJ previous = SelectObject(context_, bitmap);
    previous_ = previous != HGDI_ERROR ? previous : nullptr;
}

MemoryDC::~MemoryDC() {
    // The previous object goes back first, so neither bitmap is still
    // selected when it is deleted or handed back to its owner.
    if (previous_ != nullptr) SelectObject(context_, previous_);
    if (ownBitmap_ != nullptr) DeleteObject(ownBitmap_);
    if (context_ != nullptr) DeleteDC(context_);
}
