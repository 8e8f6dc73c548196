// The logo's pixels: only the key colour takes the face colour, and each load
// starts again from the resource. The program's own logo, 47 pixels wide so
// that the mask's rows are padded: its background is the key colour, its
// printer is not.
#include "logo/logo_bitmap.h"

#include <gtest/gtest.h>

#include "ui/resource.h"

namespace {

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC context = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(context, bitmap);
    const COLORREF pixel = GetPixel(context, x, y);
    SelectObject(context, previous);
    DeleteDC(context);
    return pixel;
}

TEST(LoadLogoBitmap, ShowsTheKeyPixelsInTheFaceColourOfEachLoad) {
    HWND dialog = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    CreateWindowA("STATIC", "", WS_CHILD | SS_BITMAP, 0, 0, 50, 50, dialog, reinterpret_cast<HMENU>(IDC_LOGO),
                  nullptr, nullptr);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const int element = COLOR_BTNFACE;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    HBITMAP logo = nullptr;
    for (COLORREF colour : {RGB(200, 100, 50), RGB(20, 40, 60)}) {
        SetSysColors(1, &element, &colour);
        const HBITMAP before = logo;
        LoadLogoBitmap(instance, dialog, logo, IDB_LOGO, IDC_LOGO);
        ASSERT_NE(logo, nullptr);
        EXPECT_NE(logo, before);
        EXPECT_EQ(reinterpret_cast<HBITMAP>(SendDlgItemMessageA(dialog, IDC_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0)),
                  logo);
        EXPECT_EQ(PixelOf(logo, 0, 0), colour);
        EXPECT_EQ(PixelOf(logo, 46, 44), colour);
        EXPECT_EQ(PixelOf(logo, 5, 18), RGB(192, 192, 192));  // the printer's body
    }
    BITMAP size = {};
    GetObjectA(logo, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 47);
    EXPECT_EQ(size.bmHeight, 45);
    // Only the low word of the id counts; a missing resource leaves no logo.
    LoadLogoBitmap(instance, dialog, logo, 0x10000u + IDB_LOGO, IDC_LOGO);
    EXPECT_NE(logo, nullptr);
    LoadLogoBitmap(instance, dialog, logo, 999, IDC_LOGO);
    EXPECT_EQ(logo, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_LOGO, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    SetSysColors(1, &element, &face);
    DestroyWindow(dialog);
}

}  // namespace
