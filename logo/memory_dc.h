// A memory device context with a bitmap selected into it, for one recolouring.
#pragma once

#include <windows.h>

class MemoryDC {
public:
    // A context compatible with reference, holding the given bitmap, which
    // stays the caller's.
    MemoryDC(HDC reference, HBITMAP bitmap);
    // A screen-compatible context holding a new monochrome bitmap of this size.
    MemoryDC(int width, int height);
    // Puts the previous object back, deletes the own bitmap, then the context.
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC Context() const { return context_; }
    // True when the bitmap is selected: only then do transfers reach it rather
    // than the context's default one-pixel surface.
    bool HasBitmap() const { return previous_ != nullptr; }

private:
    void Select(HBITMAP bitmap);

    HDC context_ = nullptr;
    HBITMAP ownBitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};
