#include "logo/logo_bitmap.h"

#include <gtest/gtest.h>

#include <vector>

#include "state/monitor_state.h"
#include "resource.h"
#include "unit/test_resources.h"
#include "unit/test_support.h"

namespace {

using test_support::TestWindow;

constexpr COLORREF kNewColor = RGB(10, 20, 30);

// A top-down DIB section of the given depth whose pixels the test reads and
// writes directly.
class DibBitmap {
public:
    DibBitmap(int width, int height, int bits) : width_(width), height_(height), bits_(bits) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bits);
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        handle_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        pixels_ = static_cast<BYTE*>(pixels);
    }
    ~DibBitmap() {
        if (handle_ != nullptr) DeleteObject(handle_);
    }
    DibBitmap(const DibBitmap&) = delete;
    DibBitmap& operator=(const DibBitmap&) = delete;

    HBITMAP Handle() const { return handle_; }

    void Set(int x, int y, COLORREF color) {
        BYTE* p = Pixel(x, y);
        p[0] = GetBValue(color);
        p[1] = GetGValue(color);
        p[2] = GetRValue(color);
    }
    COLORREF Get(int x, int y) {
        GdiFlush();
        const BYTE* p = Pixel(x, y);
        return RGB(p[2], p[1], p[0]);
    }

private:
    BYTE* Pixel(int x, int y) {
        const int stride = ((width_ * bits_ + 31) / 32) * 4;
        return pixels_ + y * stride + x * (bits_ / 8);
    }

    int width_;
    int height_;
    int bits_;
    HBITMAP handle_ = nullptr;
    BYTE* pixels_ = nullptr;
};

// Colours around the key, each of which must survive the recolouring.
const COLORREF kOtherColors[] = {
    RGB(0, 254, 255), RGB(1, 255, 255), RGB(0, 255, 254), kNewColor,     RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(192, 192, 192), RGB(255, 255, 0), RGB(0, 0, 255), RGB(0, 255, 0),
};

// An odd size, so that the monochrome mask's row padding is crossed.
constexpr int kWidth = 13;
constexpr int kHeight = 7;

// Key pixels on a diagonal-ish pattern, the other colours in between.
bool IsKeyPixel(int x, int y) { return (x + 2 * y) % 3 == 0; }
COLORREF OtherColor(int x, int y) {
    return kOtherColors[(x + y * kWidth) % (sizeof kOtherColors / sizeof kOtherColors[0])];
}

class ReplaceBitmapColorTest : public ::testing::TestWithParam<int> {};

TEST_P(ReplaceBitmapColorTest, ExactKeyPixelsTakeTheNewColorAndNoOthers) {
    // A missing or deleted bitmap is left alone, and disturbs nothing later.
    ReplaceBitmapColor(nullptr, kLogoKeyColor, kNewColor);
    HBITMAP deleted = CreateBitmap(4, 4, 1, 32, nullptr);
    DeleteObject(deleted);
    ReplaceBitmapColor(deleted, kLogoKeyColor, kNewColor);

    DibBitmap bitmap(kWidth, kHeight, GetParam());
    ASSERT_NE(bitmap.Handle(), nullptr);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) bitmap.Set(x, y, IsKeyPixel(x, y) ? kLogoKeyColor : OtherColor(x, y));
    }
    ASSERT_EQ(bitmap.Get(0, 0), kLogoKeyColor);

    ReplaceBitmapColor(bitmap.Handle(), kLogoKeyColor, kNewColor);

    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF expected = IsKeyPixel(x, y) ? kNewColor : OtherColor(x, y);
            EXPECT_EQ(bitmap.Get(x, y), expected) << "pixel " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, ReplaceBitmapColorTest, ::testing::Values(24, 32));

TEST(ReplaceBitmapColor, WorksOnAScreenCompatibleBitmap) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 5, 3);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(bitmap, nullptr);

    HDC context = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(context, bitmap);
    const COLORREF row[] = {kLogoKeyColor, RGB(0, 254, 255), kLogoKeyColor, RGB(1, 255, 255), kNewColor};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) SetPixel(context, x, y, row[x]);
    }
    SelectObject(context, previous);

    ReplaceBitmapColor(bitmap, kLogoKeyColor, kNewColor);

    previous = SelectObject(context, bitmap);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const COLORREF expected = row[x] == kLogoKeyColor ? kNewColor : row[x];
            EXPECT_EQ(GetPixel(context, x, y), expected) << x << "," << y;
        }
    }
    SelectObject(context, previous);
    DeleteDC(context);
    DeleteObject(bitmap);
}

// The logo control of a test window, with the program's own resources.
class LoadLogoBitmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_monitor = MonitorState{};
        g_monitor.instance = GetModuleHandleA(nullptr);
        ASSERT_NE(parent_.Handle(), nullptr);
        control_ = CreateWindowExA(0, "STATIC", "", SS_BITMAP | WS_CHILD | WS_VISIBLE, 0, 0, 100,
                                   30, parent_.Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LOGO)),
                                   GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(control_, nullptr);
        originalFace_ = GetSysColor(COLOR_BTNFACE);
    }
    void TearDown() override {
        const int element = COLOR_BTNFACE;
        SetSysColors(1, &element, &originalFace_);
        if (g_monitor.logo != nullptr) {
            SendMessageA(control_, STM_SETIMAGE, IMAGE_BITMAP, 0);
            DeleteObject(g_monitor.logo);
        }
        g_monitor = MonitorState{};
    }

    HBITMAP ControlImage() const {
        return reinterpret_cast<HBITMAP>(SendMessageA(control_, STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    static void SetFace(COLORREF color) {
        const int element = COLOR_BTNFACE;
        ASSERT_TRUE(SetSysColors(1, &element, &color));
        ASSERT_EQ(GetSysColor(COLOR_BTNFACE), color);
    }

    // Every pixel of the program's logo is light grey, as drawn.
    static void ExpectAllLightGrey(HBITMAP bitmap) {
        BITMAP description = {};
        ASSERT_NE(GetObjectA(bitmap, sizeof description, &description), 0);
        EXPECT_EQ(description.bmWidth, 47);
        EXPECT_EQ(description.bmHeight, 45);
        HDC context = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(context, bitmap);
        int wrong = 0;
        for (int y = 0; y < description.bmHeight; y += 4) {
            for (int x = 0; x < description.bmWidth; x += 4) {
                if (GetPixel(context, x, y) != RGB(192, 192, 192)) ++wrong;
            }
        }
        SelectObject(context, previous);
        DeleteDC(context);
        EXPECT_EQ(wrong, 0);
    }

    TestWindow parent_;
    HWND control_ = nullptr;
    COLORREF originalFace_ = 0;
};

TEST_F(LoadLogoBitmapTest, ControlGetsANewBitmapAndTheOldOneIsDeleted) {
    LoadLogoBitmap(g_monitor.instance, parent_.Handle(), g_monitor.logo, IDB_LOGO, IDC_LOGO);
    const HBITMAP first = g_monitor.logo;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ControlImage(), first);
    ExpectAllLightGrey(first);

    BITMAP description;
    for (COLORREF face : {RGB(200, 10, 10), RGB(10, 200, 10)}) {
        const HBITMAP before = g_monitor.logo;
        SetFace(face);
        LoadLogoBitmap(g_monitor.instance, parent_.Handle(), g_monitor.logo, IDB_LOGO, IDC_LOGO);
        ASSERT_NE(g_monitor.logo, nullptr);
        EXPECT_NE(g_monitor.logo, before);
        EXPECT_EQ(ControlImage(), g_monitor.logo);
        EXPECT_EQ(GetObjectA(before, sizeof description, &description), 0) << "old bitmap alive";
        // Reloaded, not painted over: the logo has no key pixels to change.
        ExpectAllLightGrey(g_monitor.logo);
    }
}

// Each load starts from the resource again: after a second colour change the
// key pixels show the newer face colour, not the one painted in before.
TEST_F(LoadLogoBitmapTest, KeyPixelsShowTheFaceColourOfEachLoad) {
    for (COLORREF face : {RGB(200, 10, 10), RGB(10, 200, 10), RGB(30, 40, 250)}) {
        SetFace(face);
        LoadLogoBitmap(g_monitor.instance, parent_.Handle(), g_monitor.logo, IDB_TEST_KEY_LOGO, IDC_LOGO);
        ASSERT_NE(g_monitor.logo, nullptr);
        EXPECT_EQ(ControlImage(), g_monitor.logo);
        HDC context = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(context, g_monitor.logo);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 8; ++x) {
                const COLORREF expected = x % 2 == 0 ? face : RGB(192, 192, 192);
                EXPECT_EQ(GetPixel(context, x, y), expected) << x << "," << y;
            }
        }
        SelectObject(context, previous);
        DeleteDC(context);
    }
}

TEST_F(LoadLogoBitmapTest, MissingResourceLeavesTheControlEmptyUntilTheNextLoad) {
    LoadLogoBitmap(g_monitor.instance, parent_.Handle(), g_monitor.logo, IDB_LOGO, IDC_LOGO);
    const HBITMAP first = g_monitor.logo;
    ASSERT_NE(first, nullptr);

    LoadLogoBitmap(g_monitor.instance, parent_.Handle(), g_monitor.logo, 999, IDC_LOGO);
    EXPECT_EQ(g_monitor.logo, nullptr);
    EXPECT_EQ(ControlImage(), nullptr);
    BITMAP description;
    EXPECT_EQ(GetObjectA(first, sizeof description, &description), 0);

    LoadLogoBitmap(g_monitor.instance, parent_.Handle(), g_monitor.logo, IDB_LOGO, IDC_LOGO);
    ASSERT_NE(g_monitor.logo, nullptr);
    EXPECT_EQ(ControlImage(), g_monitor.logo);
}

// Only the low 16 bits of the id name the resource.
TEST_F(LoadLogoBitmapTest, ResourceIdUsesItsLowWord) {
    LoadLogoBitmap(g_monitor.instance, parent_.Handle(), g_monitor.logo, 0x10000u + IDB_LOGO, IDC_LOGO);
    ASSERT_NE(g_monitor.logo, nullptr);
    EXPECT_EQ(ControlImage(), g_monitor.logo);
}

}  // namespace
