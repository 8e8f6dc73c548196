// Status codes posted to the running monitor, as the spooler side posts them,
// and what a user then sees: the status area, the caption, the severity icon,
// the tray icon and the dialog's visibility.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "protocol/messages.h"
#include "e2e/fixture.h"
#include "e2e/monitor_process.h"
#include "e2e/monitor_test.h"
#include "ui/resource.h"

namespace e2e {
namespace {

constexpr const char* kDriver = "Hall Printer";
constexpr const char* kCaption = "Hall Printer Status";
constexpr const char* kNotFoundCaption = "\"Caption\" not found!";

// The status profile of the driver Hall Printer: entries in the driver
// section and in "Default", texts in the language sections 1 and 2.
std::string StatusProfile(int scrollMode, const std::string& extraEntries = "",
                          const std::string& extraTexts = "",
                          const std::string& text101 = "Paper low") {
    return "[Hall Printer]\r\n"
           "ScrollMsg=" + std::to_string(scrollMode) + "\r\n"
           "00012=0x0C,2,101\r\n" + extraEntries +
           "[Default]\r\n"
           "00000=0,0,100\r\n"
           "[Hall Printer,001]\r\n"
           "Caption=Hall Printer Status\r\n"
           "00101=" + text101 + "\r\n" + extraTexts +
           "[Default,001]\r\n"
           "00100=Ready\r\n"
           "[Default,002]\r\n"
           "00100=Bereit\r\n";
}

constexpr const char* kDefaultProfile =
    "[Default]\r\n"
    "00040=64,1,140\r\n";

enum class Severity { kNone, kWarning, kError, kUnknown };

class StatusCodeTest : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        setup_ = std::make_unique<MonitorSetup>("StatusCode", kDriver);
        setup_->SetLanguage("X,1");
    }

    // The severity the dialog shows. No icon is read from the control; which
    // icon it is shows on the screen only: the icon handle belongs to the
    // monitor's process and cannot be compared here. The system's stop sign
    // is mostly red, its exclamation mark mostly yellow.
    Severity ShownSeverity() const {
        if (!monitor_->HasSeverityIcon()) return Severity::kNone;
        const IconColours colours = CountIconColours();
        if (colours.red > kMinimumPixels && colours.red > colours.yellow) return Severity::kError;
        if (colours.yellow > kMinimumPixels && colours.yellow > colours.red) {
            return Severity::kWarning;
        }
        return Severity::kUnknown;
    }

    // Polls the screen until the expected severity shows: the control paints
    // once the monitor's queue has run empty, after the code was handled.
    ::testing::AssertionResult ShowsSeverity(Severity expected) const {
        const DWORD start = GetTickCount();
        Severity shown = ShownSeverity();
        while (shown != expected && GetTickCount() - start < 5000) {
            Sleep(10);
            shown = ShownSeverity();
        }
        if (shown == expected) return ::testing::AssertionSuccess();
        const IconColours colours = CountIconColours();
        return ::testing::AssertionFailure()
               << "severity " << static_cast<int>(shown) << " shown, "
               << static_cast<int>(expected) << " expected (red pixels " << colours.red
               << ", yellow pixels " << colours.yellow << ")";
    }

    struct IconColours {
        int red = 0;
        int yellow = 0;
    };
    static constexpr int kMinimumPixels = 20;

    // Counts the red and the yellow pixels of the severity control on the screen.
    IconColours CountIconColours() const {
        IconColours colours;
        RECT rect;
        if (!GetWindowRect(GetDlgItem(monitor_->Dialog(), IDC_STATUSICON), &rect)) return colours;
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        if (width <= 0 || height <= 0) return colours;

        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap != nullptr) {
            HGDIOBJ previous = SelectObject(memory, bitmap);
            BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
            GdiFlush();
            const auto* pixels = static_cast<const DWORD*>(bits);
            for (int i = 0; i < width * height; ++i) {
                const int r = (pixels[i] >> 16) & 0xFF;
                const int g = (pixels[i] >> 8) & 0xFF;
                const int b = pixels[i] & 0xFF;
                if (r > 160 && g < 100 && b < 100) ++colours.red;
                if (r > 160 && g > 160 && b < 100) ++colours.yellow;
            }
            SelectObject(memory, previous);
            DeleteObject(bitmap);
        }
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return colours;
    }
};

TEST_F(StatusCodeTest, WorkedExampleShowsTextsIconsAndCaption) {
    setup_->UseProfiles(StatusProfile(0), kDefaultProfile);
    MonitorProcess& monitor = Start();

    // An entry of the driver section, its text in the driver's language section.
    monitor.PostStatusCode(12);
    EXPECT_TRUE(monitor.WaitForStatusText("Paper low")) << monitor.StatusText();
    EXPECT_TRUE(ShowsSeverity(Severity::kWarning));
    EXPECT_EQ(kCaption, monitor.Caption());
    EXPECT_TRUE(monitor.HasTrayIcon());

    // From "Default" of the status profile, its text from Default,001.
    monitor.PostStatusCode(0);
    EXPECT_TRUE(monitor.WaitForStatusText("Ready")) << monitor.StatusText();
    EXPECT_TRUE(ShowsSeverity(Severity::kNone));

    // From the default profile: the severity shows, but no text is found, so
    // the area keeps the previous one.
    monitor.PostStatusCode(40);
    monitor.Sync();
    EXPECT_TRUE(ShowsSeverity(Severity::kError));
    EXPECT_EQ("Ready", monitor.StatusText());
    EXPECT_EQ(kCaption, monitor.Caption());

    // Another language: no caption in its sections, texts from Default,002.
    setup_->SetLanguage("X,2");
    monitor.PostStatusCode(0);
    EXPECT_TRUE(monitor.WaitForCaption(kNotFoundCaption)) << monitor.Caption();
    EXPECT_TRUE(monitor.WaitForStatusText("Bereit")) << monitor.StatusText();
}

struct RepeatCase {
    const char* name;
    int code;
    const char* entry;  // the status entry, whose field 2 is the message code
    const char* expectedText;
};

class RepeatTest : public StatusCodeTest, public ::testing::WithParamInterface<RepeatCase> {};

// In scroll mode every handled code adds a line, so the lines count the codes
// that got through the repeat test.
TEST_P(RepeatTest, CodePostedTwice) {
    const RepeatCase& c = GetParam();
    char key[16];
    snprintf(key, sizeof key, "%05d", c.code);
    setup_->UseProfiles(StatusProfile(1, std::string(key) + "=" + c.entry + "\r\n",
                                      "04711=Line 4711\r\n12345=Line 12345\r\n"),
                        kDefaultProfile);
    MonitorProcess& monitor = Start();

    monitor.PostStatusCode(c.code);
    monitor.PostStatusCode(c.code);
    monitor.Sync();
    EXPECT_EQ(c.expectedText, monitor.StatusText());
}

INSTANTIATE_TEST_SUITE_P(
    StatusCode, RepeatTest,
    ::testing::Values(
        // 10000 and up, equal to the last message code: the second is dropped.
        RepeatCase{"HighCodeSameMessage", 12345, "0,0,12345", "Line 12345\r\n"},
        // Below 10000 nothing is dropped.
        RepeatCase{"LowCode", 4711, "0,0,4711", "Line 4711\r\nLine 4711\r\n"},
        // Compared with the message code, not with the status code.
        RepeatCase{"HighCodeOtherMessage", 12346, "0,0,4711", "Line 4711\r\nLine 4711\r\n"}),
    [](const ::testing::TestParamInfo<RepeatCase>& info) { return info.param.name; });

TEST_F(StatusCodeTest, BidiOffHidesAndRemovesTrayIconButStillShowsText) {
    setup_->UseProfiles(StatusProfile(0), kDefaultProfile);
    setup_->SetBidiMode("0");
    MonitorProcess& monitor = Start();
    ASSERT_TRUE(monitor.IsVisible());
    ASSERT_TRUE(monitor.HasTrayIcon());

    monitor.PostStatusCode(12);
    EXPECT_TRUE(monitor.WaitForStatusText("Paper low")) << monitor.StatusText();
    EXPECT_FALSE(monitor.IsVisible());
    EXPECT_FALSE(monitor.HasTrayIcon());

    // Switched on again: the next code brings the tray icon back, the dialog
    // stays hidden until the tray icon is pressed.
    setup_->SetBidiMode("1");
    monitor.PostStatusCode(0);
    EXPECT_TRUE(monitor.WaitForStatusText("Ready")) << monitor.StatusText();
    EXPECT_TRUE(monitor.HasTrayIcon());
    EXPECT_FALSE(monitor.IsVisible());

    monitor.PostToDialog(WM_TRAYNOTIFY, ID_TRAYICON, WM_LBUTTONDOWN);
    monitor.Sync();
    EXPECT_TRUE(monitor.IsVisible());
}

TEST_F(StatusCodeTest, EntryWithOneFieldIsNormalWithMessageCodeZero) {
    setup_->UseProfiles(StatusProfile(0, "00007=7\r\n", "00000=Zero message\r\n"),
                        kDefaultProfile);
    MonitorProcess& monitor = Start();

    monitor.PostStatusCode(12);  // leaves a warning icon to be cleared
    ASSERT_TRUE(monitor.WaitForStatusText("Paper low"));
    ASSERT_TRUE(ShowsSeverity(Severity::kWarning));

    monitor.PostStatusCode(7);
    EXPECT_TRUE(monitor.WaitForStatusText("Zero message")) << monitor.StatusText();
    EXPECT_TRUE(ShowsSeverity(Severity::kNone));
}

TEST_F(StatusCodeTest, ChangedProfileTakesEffectWithNextCode) {
    setup_->UseProfiles(StatusProfile(0), kDefaultProfile);
    MonitorProcess& monitor = Start();
    monitor.PostStatusCode(12);
    ASSERT_TRUE(monitor.WaitForStatusText("Paper low"));

    setup_->WriteIni("status.ini", StatusProfile(0, "", "", "Paper very low"));
    monitor.PostStatusCode(12);
    EXPECT_TRUE(monitor.WaitForStatusText("Paper very low")) << monitor.StatusText();
}

// Codes whose key has more than five characters, up to the ends of the
// 32-bit range: each is looked up under its whole decimal form.
TEST_F(StatusCodeTest, ExtremeCodesAreLookedUpUnderTheirWholeKeys) {
    const char* const kKeys[] = {"-1000000", "99999999", "2147483647", "-2147483648"};
    std::string entries;
    std::string texts;
    for (const char* key : kKeys) {
        entries += std::string(key) + "=0,1," + key + "\r\n";
        texts += std::string(key) + "=Text " + key + "\r\n";
    }
    setup_->UseProfiles(StatusProfile(0, entries, texts), kDefaultProfile);
    MonitorProcess& monitor = Start();

    for (const char* key : kKeys) {
        monitor.PostStatusCode(static_cast<int>(std::stoll(key)));
        EXPECT_TRUE(monitor.WaitForStatusText(std::string("Text ") + key))
            << key << ": " << monitor.StatusText();
        EXPECT_TRUE(ShowsSeverity(Severity::kError)) << key;
    }
    monitor.PostStatusCode(12);
    EXPECT_TRUE(monitor.WaitForStatusText("Paper low")) << monitor.StatusText();
    EXPECT_TRUE(monitor.IsRunning());
}

struct StoredCodeCase {
    const char* name;
    const char* stored;        // the "Code" value
    const char* expectedText;  // empty: nothing is shown
};

class StoredCodeTest : public StatusCodeTest,
                       public ::testing::WithParamInterface<StoredCodeCase> {};

TEST_P(StoredCodeTest, FirstCodeComesFromTheRegistry) {
    const StoredCodeCase& c = GetParam();
    setup_->UseProfiles(StatusProfile(0, "00042=0,0,420\r\n-0007=0,0,700\r\n",
                                      "00420=Code 42\r\n00700=Code -7\r\n"),
                        kDefaultProfile);
    setup_->SetData("Code", c.stored);
    MonitorProcess& monitor = Start();
    monitor.Sync();
    EXPECT_EQ(c.expectedText, monitor.StatusText());
    // The caption is set with the first handled code only.
    EXPECT_EQ(c.expectedText[0] != '\0' ? kCaption : "Status Monitor", monitor.Caption());
}

INSTANTIATE_TEST_SUITE_P(
    StatusCode, StoredCodeTest,
    ::testing::Values(StoredCodeCase{"LeadingZeros", "00042", "Code 42"},
                      StoredCodeCase{"BlankSignAndTrailingLetter", " -7x", "Code -7"},
                      StoredCodeCase{"LettersOnly", "abc", "Ready"},
                      StoredCodeCase{"Empty", "", ""}),
    [](const ::testing::TestParamInfo<StoredCodeCase>& info) { return info.param.name; });

// The hidden diagnostic switch on the logo: a double click (notification 1)
// with Ctrl held toggles test mode, a click (0) posts the last message code.
class LogoTest : public StatusCodeTest {
protected:
    void PostLogoCommand(WORD notification) const {
        HWND logo = GetDlgItem(monitor_->Dialog(), IDC_LOGO);
        monitor_->PostToDialog(WM_COMMAND, MAKEWPARAM(IDC_LOGO, notification),
                               reinterpret_cast<LPARAM>(logo));
    }
    void PostLogoCommandWithCtrl(WORD notification) const {
        CtrlKeyHeld ctrl;
        PostLogoCommand(notification);
        // Handled, and the code it posted too, before Ctrl goes up.
        monitor_->Sync();
    }
};

TEST_F(LogoTest, TestModeShowsTheRawFields) {
    setup_->UseProfiles(StatusProfile(0, "00123=7,2,20\r\n00124=0x10,1,20\r\n",
                                      "00020=Twenty\r\n"),
                        kDefaultProfile);
    setup_->SetData("Display", "Disp");
    MonitorProcess& monitor = Start();

    PostLogoCommand(1);  // without Ctrl nothing happens
    monitor.Sync();
    EXPECT_EQ("", monitor.StatusText());

    PostLogoCommandWithCtrl(1);
    EXPECT_EQ("Testfunction enabled", monitor.StatusText());

    monitor.PostStatusCode(123);
    EXPECT_TRUE(monitor.WaitForStatusText("00123  7 2 00020 \"Disp\" \"Twenty\""))
        << monitor.StatusText();
    monitor.PostStatusCode(124);
    EXPECT_TRUE(monitor.WaitForStatusText("00124 16 1 00020 \"Disp\" \"Twenty\""))
        << monitor.StatusText();

    // In test mode the switch needs no Ctrl.
    PostLogoCommand(1);
    EXPECT_TRUE(monitor.WaitForStatusText("Testfunction disabled")) << monitor.StatusText();
    monitor.PostStatusCode(123);
    EXPECT_TRUE(monitor.WaitForStatusText("Twenty")) << monitor.StatusText();
}

TEST_F(LogoTest, ClickShowsTheLastMessageAgain) {
    setup_->UseProfiles(StatusProfile(1, "20000=0,0,20000\r\n", "20000=Twenty thousand\r\n"),
                        kDefaultProfile);
    MonitorProcess& monitor = Start();
    const std::string line = "Twenty thousand\r\n";

    monitor.PostStatusCode(20000);
    monitor.PostStatusCode(20000);  // a repeat: dropped
    monitor.Sync();
    ASSERT_EQ(line, monitor.StatusText());

    PostLogoCommand(0);  // without Ctrl nothing happens
    monitor.Sync();
    EXPECT_EQ(line, monitor.StatusText());

    PostLogoCommandWithCtrl(0);
    EXPECT_EQ(line + line, monitor.StatusText());
}

// The click posts the message code of the last entry as a status code, so
// what shows is that code's own entry.
TEST_F(LogoTest, ClickPostsTheMessageCodeNotTheStatusCode) {
    setup_->UseProfiles(StatusProfile(0, "00101=0,1,102\r\n", "00102=Message code as status\r\n"),
                        kDefaultProfile);
    MonitorProcess& monitor = Start();
    monitor.PostStatusCode(12);
    ASSERT_TRUE(monitor.WaitForStatusText("Paper low"));

    PostLogoCommandWithCtrl(0);
    EXPECT_EQ("Message code as status", monitor.StatusText());
    EXPECT_TRUE(ShowsSeverity(Severity::kError));
}

}  // namespace
}  // namespace e2e
