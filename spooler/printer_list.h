// A printer enumeration at level 2, held for the span of one request.
#pragma once

#include <windows.h>
#include <winspool.h>

// Enumerates the printers into one heap block and returns it, with the number
// of records in count; null and 0 when there is no printer, when the block
// cannot be allocated, or when the enumeration into the block fails (for
// example because a printer was added after the size was asked).
BYTE* EnumPrinterEntries(DWORD flags, LPSTR name, DWORD& count);

class PrinterList {
public:
    PrinterList(DWORD flags, LPSTR name);
    ~PrinterList();  // releases the block
    PrinterList(const PrinterList&) = delete;
    PrinterList& operator=(const PrinterList&) = delete;

    bool HasCurrent() const { return index_ < count_; }
    const PRINTER_INFO_2A& Current() const { return *current_; }

private:
    BYTE* entries_ = nullptr;  // the records, followed by the texts they point to
    PRINTER_INFO_2A* current_ = nullptr;
    DWORD count_ = 0;
    DWORD index_ = 0;
};
