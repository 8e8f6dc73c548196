#include "spooler/printer_list.h"

#include <new>

#include "spooler/spooler.h"

BYTE* EnumPrinterEntries(DWORD flags, LPSTR name, DWORD& count) {
    count = 0;
    // With no block and size 0 the first call only asks for the size; a size
    // of 0 means there is no printer.
    DWORD needed = 0;
    DWORD returned = 0;
    (void)g_spooler.enumPrinters(flags, name, 2, nullptr, 0, &needed, &returned);
    if (needed == 0) return nullptr;

    BYTE* block = new (std::nothrow) BYTE[needed];
    if (block == nullptr) return nullptr;
    DWORD size = needed;
    returned = 0;
    if (!g_spooler.enumPrinters(flags, name, 2, block, size, &needed, &returned)) {
        delete[] block;
        return nullptr;
    }
    count = returned;
    return block;
}

PrinterList::PrinterList(DWORD flags, LPSTR name) {
    entries_ = EnumPrinterEntries(flags, name, count_);
    current_ = reinterpret_cast<PRINTER_INFO_2A*>(entries_);
}

PrinterList::~PrinterList() { delete[] entries_; }
