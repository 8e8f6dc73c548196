// The status area's bounded history in append mode: once it holds more than
// kStatusHistoryLimit characters, the oldest whole lines give way; the newest
// text always stays, whole and last, with the end in view.
#include "ui/status_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "unit/test_support.h"

namespace {

using test_support::TestWindow;

constexpr std::size_t kLimit = static_cast<std::size_t>(kStatusHistoryLimit);

std::string FullText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(got));
    return text;
}

// A line of exactly length characters that names its number, so that a line
// cut in two or out of order shows. Words of seven letters: the control wraps
// long lines at blanks, and a word of thousands of letters costs it minutes.
std::string NumberedLine(int number, std::size_t length) {
    char head[16];
    std::snprintf(head, sizeof head, "L%06d:", number);
    std::string line(head);
    const char letter = static_cast<char>('a' + number % 26);
    while (line.size() < length) line += (line.size() % 8 == 7) ? ' ' : letter;
    return line.substr(0, length);
}

// A text of exactly length characters made of numbered lines of about a
// thousand characters: one text that holds line ends of its own.
std::string TextBlock(int number, std::size_t length) {
    std::string block;
    while (block.size() < length) {
        if (!block.empty()) block += "\r\n";
        block += NumberedLine(number, 1000);
    }
    return block.substr(0, length);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

// What the area must hold after appending lines in order, starting empty:
// the longest run of newest lines that fits the limit (each with its line
// end), and at least the newest line whatever its length.
std::string ExpectedHistory(const std::vector<std::string>& lines) {
    std::string kept;
    for (std::size_t i = lines.size(); i-- > 0;) {
        const std::string line = lines[i] + "\r\n";
        if (!kept.empty() && kept.size() + line.size() > kLimit) break;
        kept.insert(0, line);
    }
    return kept;
}

// The dialog's status area: a read-only multi-line edit control with the
// text limit lifted as the dialog lifts it. Small, so it scrolls.
class ScrollHistoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(parent_.Handle(), nullptr);
        area_ = test_support::CreateStatusArea(parent_.Handle(), 200, true);
        ASSERT_NE(area_, nullptr);
    }

    std::vector<std::string> AppendLines(int count, std::size_t length) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) {
            lines.push_back(NumberedLine(i, length));
            ShowStatusText(area_, lines.back().c_str(), true);
        }
        return lines;
    }

    // The caret after the last character and the last line on screen.
    void ExpectEndInView() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(area_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const DWORD length = static_cast<DWORD>(GetWindowTextLengthA(area_));
        EXPECT_EQ(start, length);
        EXPECT_EQ(end, length);
        const LRESULT lines = SendMessageA(area_, EM_GETLINECOUNT, 0, 0);
        const LRESULT first = SendMessageA(area_, EM_GETFIRSTVISIBLELINE, 0, 0);
        // Two text lines fit the control: the last ones are the visible ones.
        EXPECT_GE(first, lines - 3);
    }

    TestWindow parent_;
    HWND area_ = nullptr;
};

TEST_F(ScrollHistoryTest, UpToTheLimitNothingIsDropped) {
    // 64 lines of 1022 characters and their line ends fill the limit exactly.
    const std::vector<std::string> lines = AppendLines(64, 1022);
    const std::string text = FullText(area_);
    ASSERT_EQ(text.size(), kLimit);
    std::string all;
    for (const std::string& line : lines) all += line + "\r\n";
    EXPECT_EQ(text, all);
    ExpectEndInView();
}

TEST_F(ScrollHistoryTest, OneCharacterOverTheLimitDropsTheOldestLine) {
    std::vector<std::string> lines = AppendLines(64, 1022);
    lines.push_back("x");
    ShowStatusText(area_, "x", true);
    const std::string text = FullText(area_);
    EXPECT_EQ(text, ExpectedHistory(lines));
    EXPECT_EQ(text.compare(0, 8, "L000001:"), 0) << text.substr(0, 20);
    ExpectEndInView();
}

// Lines of each length, well past the limit: the history is exactly the
// newest lines that fit, each whole and in order, the newest last.
struct HistoryCase {
    const char* name;
    std::size_t lineLength;
    int count;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const HistoryCase& c, std::ostream* os) { *os << c.name; }

class ScrollHistoryLengthsTest : public ScrollHistoryTest,
                                 public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(ScrollHistoryLengthsTest, KeepsTheNewestWholeLinesThatFit) {
    const HistoryCase& c = GetParam();
    const std::vector<std::string> lines = AppendLines(c.count, c.lineLength);
    const std::string text = FullText(area_);
    const std::string newest = lines.back() + "\r\n";

    EXPECT_LE(text.size(), kLimit + newest.size());
    ASSERT_GE(text.size(), newest.size());
    EXPECT_EQ(text.substr(text.size() - newest.size()), newest);
    // The first line left is one of the lines as it was appended.
    const std::string first = text.substr(0, text.find("\r\n"));
    int number = -1;
    ASSERT_EQ(std::sscanf(first.c_str(), "L%06d:", &number), 1) << first.substr(0, 20);
    ASSERT_GE(number, 1);  // the oldest are gone
    EXPECT_EQ(first, lines[static_cast<std::size_t>(number)]);
    // No more dropped than needed, nothing kept that does not fit.
    EXPECT_EQ(text, ExpectedHistory(lines));
    ExpectEndInView();
}

INSTANTIATE_TEST_SUITE_P(
    LineLengths, ScrollHistoryLengthsTest,
    ::testing::Values(HistoryCase{"Short", 9, 7000}, HistoryCase{"Profile", 255, 400},
                      HistoryCase{"Diagnostic", 511, 200}, HistoryCase{"Long", 5000, 30}),
    [](const ::testing::TestParamInfo<HistoryCase>& info) { return info.param.name; });

// Its own line ends lie past the point where lines would be dropped: they
// must not count as lines that may go.
TEST_F(ScrollHistoryTest, ATextLongerThanTheLimitStaysWhole) {
    AppendLines(10, 100);
    const std::string huge = TextBlock(99, kLimit + 5000);
    ShowStatusText(area_, huge.c_str(), true);
    EXPECT_EQ(FullText(area_), huge + "\r\n");
    ExpectEndInView();

    // The next text is the newest: of the long text's lines, only the newest
    // that fit stay beside it.
    ShowStatusText(area_, "Ready", true);
    std::vector<std::string> lines = SplitLines(huge);
    lines.push_back("Ready");
    const std::string text = FullText(area_);
    EXPECT_EQ(text, ExpectedHistory(lines));
    EXPECT_EQ(text.compare(0, 8, "L000099:"), 0) << text.substr(0, 20);
    EXPECT_LE(text.size(), kLimit);
    ExpectEndInView();
}

TEST_F(ScrollHistoryTest, ALineLeftByReplaceModeIsDroppedWhole) {
    // Replace mode leaves a text without a line end; the next append joins it.
    ShowStatusText(area_, "old", false);
    const std::string big = TextBlock(1, kLimit);
    ShowStatusText(area_, big.c_str(), true);
    // "old" and the big text's first line form one line, which the newest
    // text starts in: nothing can go.
    EXPECT_EQ(FullText(area_), "old" + big + "\r\n");
    ShowStatusText(area_, "Ready", true);
    std::vector<std::string> lines = SplitLines("old" + big);
    lines.push_back("Ready");
    EXPECT_EQ(FullText(area_), ExpectedHistory(lines));
}

TEST_F(ScrollHistoryTest, ReplaceModeIsNotBounded) {
    AppendLines(80, 1000);
    const std::string huge = TextBlock(7, 2 * kLimit);
    ShowStatusText(area_, huge.c_str(), false);
    EXPECT_EQ(FullText(area_), huge);
    ShowStatusText(area_, "Paper out", false);
    EXPECT_EQ(FullText(area_), "Paper out");
}

}  // namespace
