#include "tray/tray_icon.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "protocol/messages.h"
#include "unit/call_recorders.h"
#include "unit/test_support.h"

namespace {

using test_support::TestWindow;
using test_support::TrayCall;
using test_support::TrayRecorder;

constexpr UINT kIconId = 7;

// An icon of the test's own, so that destroying it would be observable:
// shared icons from resources survive DestroyIcon.
HICON MakeIcon() {
    BYTE andMask[32 * 4];
    BYTE xorMask[32 * 4];
    std::memset(andMask, 0xFF, sizeof andMask);
    std::memset(xorMask, 0x00, sizeof xorMask);
    return CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
}

bool IconAlive(HICON icon) {
    ICONINFO info;
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    return true;
}

// The record expected for a call: all zeros but what is named.
NOTIFYICONDATAA Expected(HWND window, UINT flags, UINT callback, HICON icon, const char* tip) {
    NOTIFYICONDATAA record;
    std::memset(&record, 0, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = kIconId;
    record.uFlags = flags;
    record.uCallbackMessage = callback;
    record.hIcon = icon;
    std::strncpy(record.szTip, tip, sizeof record.szTip - 1);
    return record;
}

void ExpectRecord(const TrayCall& call, DWORD message, const NOTIFYICONDATAA& expected) {
    EXPECT_EQ(call.message, message);
    EXPECT_EQ(call.record.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    if (sizeof(void*) == 4) {
        EXPECT_EQ(call.record.cbSize, 88u);
    }
    EXPECT_EQ(call.record.hWnd, expected.hWnd);
    EXPECT_EQ(call.record.uID, expected.uID);
    EXPECT_EQ(call.record.uFlags, expected.uFlags);
    EXPECT_EQ(call.record.uCallbackMessage, expected.uCallbackMessage);
    EXPECT_EQ(call.record.hIcon, expected.hIcon);
    EXPECT_STREQ(call.record.szTip, expected.szTip);
    // Everything else, later members included, is zero.
    EXPECT_EQ(std::memcmp(&call.record, &expected, sizeof expected), 0);
}

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window_.Handle(), nullptr);
        ASSERT_NE(icon_, nullptr);
        ASSERT_NE(otherIcon_, nullptr);
    }
    void TearDown() override {
        // The real shell, so no icon of ours is left behind.
        g_shellNotifyIcon = Shell_NotifyIconA;
        TrayIconDelete(window_.Handle(), kIconId);
        DestroyIcon(icon_);
        DestroyIcon(otherIcon_);
    }
    HWND Window() const { return window_.Handle(); }
    static std::vector<TrayCall>& Calls() { return TrayRecorder::Calls(); }

    TestWindow window_;
    HICON icon_ = MakeIcon();
    HICON otherIcon_ = MakeIcon();
    TrayRecorder recorder_;
};

TEST_F(TrayIconTest, EachOperationSendsItsOwnFirstFormRecord) {
    ASSERT_TRUE(TrayIconAdd(Window(), kIconId, WM_TRAYNOTIFY, icon_, "Added"));
    ASSERT_TRUE(TrayIconSetTip(Window(), kIconId, "New tip"));
    ASSERT_TRUE(TrayIconSetIcon(Window(), kIconId, otherIcon_));
    ASSERT_TRUE(TrayIconDelete(Window(), kIconId));

    ASSERT_EQ(Calls().size(), 4u);
    ExpectRecord(Calls()[0], NIM_ADD, Expected(Window(), 7, WM_TRAYNOTIFY, icon_, "Added"));
    ExpectRecord(Calls()[1], NIM_MODIFY, Expected(Window(), 4, 0, nullptr, "New tip"));
    ExpectRecord(Calls()[2], NIM_MODIFY, Expected(Window(), 2, 0, otherIcon_, ""));
    ExpectRecord(Calls()[3], NIM_DELETE, Expected(Window(), 0, 0, nullptr, ""));
}

TEST_F(TrayIconTest, TipIsCutAfter63Characters) {
    const std::string tip63(63, 'a');
    struct Row {
        std::string tip;
        std::string shown;
    } rows[] = {
        {tip63, tip63},
        {std::string(64, 'b'), std::string(63, 'b')},
        {std::string(200, 'c'), std::string(63, 'c')},
        {"", ""},
    };
    ASSERT_TRUE(TrayIconAdd(Window(), kIconId, WM_TRAYNOTIFY, icon_, ""));
    for (const Row& row : rows) {
        Calls().clear();
        EXPECT_TRUE(TrayIconSetTip(Window(), kIconId, row.tip.c_str()));
        EXPECT_TRUE(TrayIconAdd(Window(), kIconId + 1, WM_TRAYNOTIFY, icon_, row.tip.c_str()));
        EXPECT_TRUE(TrayIconDelete(Window(), kIconId + 1));
        ASSERT_EQ(Calls().size(), 3u);
        for (int i = 0; i < 2; ++i) {
            const NOTIFYICONDATAA& record = Calls()[i].record;
            EXPECT_EQ(std::string(record.szTip), row.shown) << row.tip.size();
            // The copy ends inside the first form's 64 characters.
            EXPECT_EQ(record.szTip[63], '\0');
        }
    }
}

TEST_F(TrayIconTest, UpdateAddsAnAbsentIconWithCallbackAndTip) {
    EXPECT_TRUE(TrayIconUpdate(Window(), kIconId, WM_TRAYNOTIFY, icon_, "Printer Status"));
    ASSERT_EQ(Calls().size(), 2u);
    ExpectRecord(Calls()[0], NIM_MODIFY, Expected(Window(), 2, 0, icon_, ""));
    EXPECT_FALSE(Calls()[0].result);
    ExpectRecord(Calls()[1], NIM_ADD,
                 Expected(Window(), 7, WM_TRAYNOTIFY, icon_, "Printer Status"));
    EXPECT_TRUE(Calls()[1].result);
}

TEST_F(TrayIconTest, UpdateOnAPresentIconChangesOnlyTheIcon) {
    ASSERT_TRUE(TrayIconAdd(Window(), kIconId, WM_TRAYNOTIFY, icon_, "First"));
    ASSERT_TRUE(TrayIconSetTip(Window(), kIconId, "Message text"));
    Calls().clear();
    EXPECT_TRUE(TrayIconUpdate(Window(), kIconId, WM_TRAYNOTIFY, otherIcon_, "Printer Status"));
    ASSERT_EQ(Calls().size(), 1u);
    ExpectRecord(Calls()[0], NIM_MODIFY, Expected(Window(), 2, 0, otherIcon_, ""));
    EXPECT_TRUE(Calls()[0].result);
}

TEST_F(TrayIconTest, UpdateAfterDeleteAddsTheIconAgain) {
    ASSERT_TRUE(TrayIconAdd(Window(), kIconId, WM_TRAYNOTIFY, icon_, "First"));
    ASSERT_TRUE(TrayIconDelete(Window(), kIconId));
    Calls().clear();
    EXPECT_TRUE(TrayIconUpdate(Window(), kIconId, WM_TRAYNOTIFY, otherIcon_, "Printer Status"));
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_FALSE(Calls()[0].result);
    ExpectRecord(Calls()[1], NIM_ADD,
                 Expected(Window(), 7, WM_TRAYNOTIFY, otherIcon_, "Printer Status"));
}

TEST_F(TrayIconTest, OperationsOnAnAbsentIconFailWithoutCreatingOne) {
    ASSERT_TRUE(TrayIconAdd(Window(), kIconId, WM_TRAYNOTIFY, icon_, "First"));
    EXPECT_TRUE(TrayIconDelete(Window(), kIconId));
    EXPECT_FALSE(TrayIconDelete(Window(), kIconId));  // a second delete
    EXPECT_FALSE(TrayIconSetTip(Window(), kIconId, "Lost tip"));
    // The tip change created nothing: there is still no icon to change.
    EXPECT_FALSE(TrayIconSetIcon(Window(), kIconId, icon_));
    EXPECT_FALSE(TrayIconDelete(Window(), kIconId));
}

TEST_F(TrayIconTest, IconsHandedInStayTheCallers) {
    ASSERT_TRUE(TrayIconAdd(Window(), kIconId, WM_TRAYNOTIFY, icon_, "First"));
    ASSERT_TRUE(TrayIconSetIcon(Window(), kIconId, otherIcon_));
    ASSERT_TRUE(TrayIconUpdate(Window(), kIconId, WM_TRAYNOTIFY, icon_, "Printer Status"));
    ASSERT_TRUE(TrayIconDelete(Window(), kIconId));
    ASSERT_TRUE(TrayIconUpdate(Window(), kIconId, WM_TRAYNOTIFY, otherIcon_, "Printer Status"));
    EXPECT_TRUE(IconAlive(icon_));
    EXPECT_TRUE(IconAlive(otherIcon_));
    // And they still serve the shell.
    EXPECT_TRUE(TrayIconSetIcon(Window(), kIconId, icon_));
}

TEST_F(TrayIconTest, NullIconIsPassedOnAsIs) {
    EXPECT_TRUE(TrayIconAdd(Window(), kIconId, WM_TRAYNOTIFY, nullptr, "No image"));
    ASSERT_EQ(Calls().size(), 1u);
    ExpectRecord(Calls()[0], NIM_ADD, Expected(Window(), 7, WM_TRAYNOTIFY, nullptr, "No image"));
}

}  // namespace
