#include "ui/status_text.h"

#include <gtest/gtest.h>

#include <string>

#include "unit/test_support.h"

namespace {

using test_support::TestWindow;
using test_support::WindowText;

// A small read-only multi-line edit control like the dialog's status area.
class StatusTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(parent_.Handle(), nullptr);
        area_ = test_support::CreateStatusArea(parent_.Handle(), 150, false);
        ASSERT_NE(area_, nullptr);
    }

    TestWindow parent_;
    HWND area_ = nullptr;
};

TEST_F(StatusTextTest, ReplaceSetsTheWholeText) {
    SetWindowTextA(area_, "old line\r\nsecond");
    ShowStatusText(area_, "Paper out", false);
    EXPECT_EQ(WindowText(area_), "Paper out");
    ShowStatusText(area_, "", false);
    EXPECT_EQ(WindowText(area_), "");
}

TEST_F(StatusTextTest, AppendAddsALinePerText) {
    ShowStatusText(area_, "Paper out", true);
    EXPECT_EQ(WindowText(area_), "Paper out\r\n");
    ShowStatusText(area_, "Ready", true);
    EXPECT_EQ(WindowText(area_), "Paper out\r\nReady\r\n");
    ShowStatusText(area_, "", true);
    EXPECT_EQ(WindowText(area_), "Paper out\r\nReady\r\n\r\n");
}

TEST_F(StatusTextTest, AppendGoesAfterTheLastCharacterWhereverTheSelectionWas) {
    SetWindowTextA(area_, "abc");
    SendMessageA(area_, EM_SETSEL, 0, 1);  // "a" selected: must not be replaced
    ShowStatusText(area_, "def", true);
    EXPECT_EQ(WindowText(area_), "abcdef\r\n");
}

TEST_F(StatusTextTest, AppendKeepsTheEndInView) {
    for (int i = 0; i < 30; ++i) {
        ShowStatusText(area_, ("Line " + std::to_string(i)).c_str(), true);
    }
    const LRESULT lines = SendMessageA(area_, EM_GETLINECOUNT, 0, 0);
    EXPECT_GE(lines, 30);
    const LRESULT first = SendMessageA(area_, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GT(first, 0);
    // The caret sits after the last character.
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(area_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const DWORD length = static_cast<DWORD>(GetWindowTextLengthA(area_));
    EXPECT_EQ(start, length);
    EXPECT_EQ(end, length);
    // The control is two lines high: the last lines are the visible ones.
    EXPECT_GE(first, lines - 3);
}

}  // namespace
