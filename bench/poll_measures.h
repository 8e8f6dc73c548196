// What the printwatch benchmarks measure, shared by the in-process poll
// benchmark and the one that runs printwatch beside the monitor: private
// bytes, marks in a wineserver trace, the CPU time of a program and of the
// wineserver, and percentiles; and the printer's web forms that change its
// state; and the start of both benchmarks: the test printer and WinHTTP.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "harness/test_printer.h"
#include "watch/winhttp_api.h"

namespace bench {

// Whether the test printer started and WinHTTP was loaded into *api; when
// not, the reason goes to the standard error.
bool ReadyToPoll(const harness::TestPrinter& printer, WinHttpApi* api);

// The process's private bytes in KiB: Windows reports the commit charge both
// as PrivateUsage and as PagefileUsage; Wine fills in only the latter.
double PrivateKiB(HANDLE process);

// A mark in a wineserver trace (wineserver -d1): the request that creates a
// named event shows the name.
void Mark(const char* name);

// Under Wine, GetProcessTimes of another process gives the caller's own
// times, and a wineserver request is work of the wineserver's process. So
// the CPU time of a program is read from the host's /proc (drive Z:), to
// the nanosecond: the Unix process of this Wine prefix (its WINEPREFIX)
// whose program file's name starts with the name given, such as
// "printwatch.exe" or "wineserver"; 0 when there is none.
unsigned long FindUnixProcess(const std::string& program);
// The CPU seconds of all threads of a Unix process; -1 when it is gone.
double UnixCpuSeconds(unsigned long pid);

// The value below which the given share (0.5 for the median) of the values
// lies; 0 for none.
double Percentile(std::vector<double> values, double share);

// GET of a page of the printer's web interface (its forms change its state
// as they answer); false when it did not answer 200.
bool GetPrinterPage(const WinHttpApi& api, int port, const std::string& pathAndQuery);

}  // namespace bench
