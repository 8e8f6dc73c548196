#include "spooler/language_monitor_start.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/call_recorders.h"

namespace {

using test_support::SpoolerRecorder;
using Call = SpoolerRecorder::Call;

std::vector<std::string> Functions() {
    std::vector<std::string> functions;
    for (const Call& call : SpoolerRecorder::Calls()) functions.push_back(call.function);
    return functions;
}

using Strings = std::vector<std::string>;

class StartRequestTest : public ::testing::Test {
protected:
    SpoolerRecorder::Setup& Fake() { return SpoolerRecorder::TheSetup(); }
    const std::vector<Call>& Calls() { return SpoolerRecorder::Calls(); }

    SpoolerRecorder recorder_;
};

// Both enumerations ask for level 2 of the default and local printers, with
// an empty name rather than none.
void ExpectEnumeration(const Call& call) {
    EXPECT_EQ(call.function, "enum");
    EXPECT_EQ(call.flags, static_cast<DWORD>(PRINTER_ENUM_DEFAULT | PRINTER_ENUM_LOCAL));
    EXPECT_EQ(call.flags, 3u);
    EXPECT_FALSE(call.nameIsNull);
    EXPECT_EQ(call.name, "");
    EXPECT_EQ(call.level, 2u);
}

TEST_F(StartRequestTest, NoPrinterMakesOnlyTheSizeQuery) {
    RequestLanguageMonitorStart();
    ASSERT_EQ(Functions(), Strings({"enum"}));
    ExpectEnumeration(Calls()[0]);
    EXPECT_TRUE(Calls()[0].blockIsNull);
    EXPECT_EQ(Calls()[0].size, 0u);
}

TEST_F(StartRequestTest, OnlyTheFirstPrinterIsOpenedQueriedAndClosed) {
    Fake().printerNames = {"First Printer", "Second Printer", "Third Printer"};
    RequestLanguageMonitorStart();
    ASSERT_EQ(Functions(), Strings({"enum", "enum", "open", "get data", "close"}));
    ExpectEnumeration(Calls()[0]);
    ExpectEnumeration(Calls()[1]);
    // The second enumeration fills a block of the size the first reported.
    EXPECT_FALSE(Calls()[1].blockIsNull);
    EXPECT_EQ(Calls()[1].size,
              3 * sizeof(PRINTER_INFO_2A) + sizeof "First Printer" + sizeof "Second Printer" +
                  sizeof "Third Printer");

    EXPECT_EQ(Calls()[2].name, "First Printer");
    EXPECT_TRUE(Calls()[2].typeIsNull);  // no default settings

    const Call& query = Calls()[3];
    EXPECT_EQ(query.printer, SpoolerRecorder::PrinterHandle());
    EXPECT_EQ(query.name, "StartBrantelLanguageMonitor");
    EXPECT_TRUE(query.typeIsNull);
    EXPECT_FALSE(query.blockIsNull);
    EXPECT_EQ(query.size, 2u);

    EXPECT_EQ(Calls()[4].printer, SpoolerRecorder::PrinterHandle());
}

TEST_F(StartRequestTest, PrinterThatCannotBeOpenedIsNotQueried) {
    Fake().printerNames = {"First Printer", "Second Printer"};
    Fake().openSucceeds = false;
    RequestLanguageMonitorStart();
    EXPECT_EQ(Functions(), Strings({"enum", "enum", "open"}));
}

TEST_F(StartRequestTest, NullPrinterNameOpensTheEmptyName) {
    Fake().printerNames = {nullptr, "Second Printer"};
    RequestLanguageMonitorStart();
    ASSERT_EQ(Functions(), Strings({"enum", "enum", "open", "get data", "close"}));
    EXPECT_FALSE(Calls()[2].nameIsNull);
    EXPECT_EQ(Calls()[2].name, "");
}

TEST_F(StartRequestTest, FailedSecondEnumerationCountsAsNoPrinter) {
    Fake().printerNames = {"First Printer"};
    Fake().secondEnumFails = true;
    RequestLanguageMonitorStart();
    EXPECT_EQ(Functions(), Strings({"enum", "enum"}));
}

}  // namespace
