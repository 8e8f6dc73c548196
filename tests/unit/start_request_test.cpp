// The start request that "/S" makes. The test machine's spooler has no
// printers, so a fake stands in for its four calls and records them.
#include "spooler/language_monitor_start.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "spooler/spooler.h"
#include "state/monitor_state.h"
#include "ui/status_dialog.h"

namespace {

std::vector<const char*> g_printers;  // a null entry has no name
bool g_openSucceeds = true;
bool g_secondEnumFails = false;
std::string g_calls;
HANDLE const kPrinter = reinterpret_cast<HANDLE>(0x5150);

BOOL WINAPI FakeEnum(DWORD flags, LPSTR name, DWORD level, LPBYTE block, DWORD size, LPDWORD needed, LPDWORD count) {
    g_calls += "enum " + std::to_string(flags) + " '" + name + "' " + std::to_string(level) + " " +
               (block ? std::to_string(size) : "no block") + "; ";
    *needed = static_cast<DWORD>(g_printers.size() * sizeof(PRINTER_INFO_2A));
    *count = 0;
    if (block == nullptr || size < *needed || g_secondEnumFails) return FALSE;
    ZeroMemory(block, size);
    for (std::size_t i = 0; i < g_printers.size(); ++i) {
        reinterpret_cast<PRINTER_INFO_2A*>(block)[i].pPrinterName = const_cast<LPSTR>(g_printers[i]);
    }
    *count = static_cast<DWORD>(g_printers.size());
    return TRUE;
}

BOOL WINAPI FakeOpen(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults) {
    g_calls += std::string("open '") + name + "'" + (defaults ? " with defaults" : "") + "; ";
    *printer = kPrinter;
    return g_openSucceeds;
}

DWORD WINAPI FakeQuery(HANDLE printer, LPSTR value, LPDWORD type, LPBYTE data, DWORD size, LPDWORD needed) {
    g_calls += std::string("query ") + (printer == kPrinter ? "" : "other ") + value + " " + std::to_string(size) +
               (type ? " typed" : "") + (data ? "" : " no data") + "; ";
    *needed = 4;
    return ERROR_MORE_DATA;
}

BOOL WINAPI FakeClose(HANDLE printer) {
    g_calls += printer == kPrinter ? "close; " : "close other; ";
    return TRUE;
}

class StartRequestTest : public ::testing::Test {
protected:
    void SetUp() override { g_spooler = {FakeEnum, FakeOpen, FakeQuery, FakeClose}; }
    void TearDown() override { g_spooler = {EnumPrintersA, OpenPrinterA, GetPrinterDataA, ClosePrinter}; }
};

// The default and local printers, no name, level 2: first the size only,
// then into a block of the size the spooler reported for n printers.
std::string Enumeration(std::size_t n) {
    return "enum 3 '' 2 no block; enum 3 '' 2 " + std::to_string(n * sizeof(PRINTER_INFO_2A)) + "; ";
}
const std::string kQuery = "query StartBrantelLanguageMonitor 2; close; ";

TEST_F(StartRequestTest, AsksTheFirstPrinterOnly) {
    const struct {
        std::vector<const char*> printers;
        bool openSucceeds;
        bool secondEnumFails;
        std::string calls;
    } rows[] = {
        {{}, true, false, "enum 3 '' 2 no block; "},
        {{"First", "Second"}, true, false, Enumeration(2) + "open 'First'; " + kQuery},
        {{nullptr}, true, false, Enumeration(1) + "open ''; " + kQuery},
        {{"First"}, false, false, Enumeration(1) + "open 'First'; "},
        {{"First"}, true, true, Enumeration(1)},
    };
    for (const auto& row : rows) {
        g_printers = row.printers;
        g_openSucceeds = row.openSucceeds;
        g_secondEnumFails = row.secondEnumFails;
        g_calls.clear();
        RequestLanguageMonitorStart();
        EXPECT_EQ(g_calls, row.calls);
    }
}

// The dialog asks only when the monitor was started with "/S".
TEST_F(StartRequestTest, IsMadeByTheDialogOnlyForTheSwitch) {
    g_printers = {"First"};
    g_openSucceeds = true;
    g_secondEnumFails = false;
    for (bool startRequest : {false, true}) {
        g_calls.clear();
        g_monitor = MonitorState{};
        g_monitor.instance = GetModuleHandleA(nullptr);
        g_monitor.startRequest = startRequest;
        HWND dialog = CreateStatusDialog(g_monitor.instance);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(g_calls, startRequest ? Enumeration(1) + "open 'First'; " + kQuery : "");
        DestroyWindow(dialog);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    g_monitor = MonitorState{};
}

}  // namespace
