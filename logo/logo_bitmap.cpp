#include "logo/logo_bitmap.h"

#include "logo/memory_dc.h"

void ReplaceBitmapColor(HBITMAP bitmap, COLORREF from, COLORREF to) {
    if (bitmap == nullptr) return;
    BITMAP description;
    if (GetObjectA(bitmap, sizeof description, &description) == 0) return;
    const int width = description.bmWidth;
    const int height = description.bmHeight;

    HDC screen = GetDC(nullptr);
    MemoryDC source(screen, bitmap);
    ReleaseDC(nullptr, screen);
    if (!source.HasBitmap()) return;

    // Without its own monochrome bitmap the mask would be a one-pixel
    // surface: then the bitmap is left as it is.
    MemoryDC mask(width, height);
    if (!mask.HasBitmap()) return;

    HDC sourceDC = source.Context();
    HDC maskDC = mask.Context();
    // Colour to monochrome: pixels of the source's background colour turn
    // white, all others black. So the mask is white exactly where "from" is.
    SetBkColor(sourceDC, from);
    BitBlt(maskDC, 0, 0, width, height, sourceDC, 0, 0, SRCCOPY);
    // Monochrome to colour: white becomes the target's background colour
    // ("from"), black its text colour (black by default). XOR clears the
    // "from" pixels to black and leaves the others as they were.
    BitBlt(sourceDC, 0, 0, width, height, maskDC, 0, 0, SRCINVERT);
    // Now white becomes "to": OR paints it into the cleared pixels only.
    SetBkColor(sourceDC, to);
    BitBlt(sourceDC, 0, 0, width, height, maskDC, 0, 0, SRCPAINT);
    // The mask is released before the source: its bitmap, then its context.
}

void LoadLogoBitmap(HINSTANCE instance, HWND dialog, HBITMAP& logo, UINT resourceId,
                    int controlId) {
    // The control still shows the old bitmap until it gets the new one below;
    // no message is handled in between.
    if (logo != nullptr) DeleteObject(logo);
    // Loaded afresh each time, so the key colour is always there to replace.
    logo = LoadBitmapA(instance, MAKEINTRESOURCEA(LOWORD(resourceId)));
    ReplaceBitmapColor(logo, kLogoKeyColor, GetSysColor(COLOR_BTNFACE));
    (void)SendDlgItemMessageA(dialog, controlId, STM_SETIMAGE, IMAGE_BITMAP,
                              reinterpret_cast<LPARAM>(logo));
}
