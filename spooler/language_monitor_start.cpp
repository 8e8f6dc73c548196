#include "spooler/language_monitor_start.h"

#include "protocol/config_names.h"
#include "spooler/printer_list.h"
#include "spooler/spooler.h"

SpoolerCalls g_spooler = {EnumPrintersA, OpenPrinterA, GetPrinterDataA, ClosePrinter};

void RequestLanguageMonitorStart() {
    char noName[] = "";
    PrinterList printers(PRINTER_ENUM_DEFAULT | PRINTER_ENUM_LOCAL, noName);
    if (!printers.HasCurrent()) return;

    // Only the first printer is asked.
    char* name = printers.Current().pPrinterName != nullptr ? printers.Current().pPrinterName : noName;
    HANDLE printer = nullptr;
    if (!g_spooler.openPrinter(name, &printer, nullptr)) return;

    // The answer does not matter: the query itself is the request. The value
    // name is only read; the spooler's declaration lacks the const.
    BYTE data[2];
    DWORD needed = 0;
    (void)g_spooler.getPrinterData(printer, const_cast<LPSTR>(kStartRequestValueName), nullptr,
                                   data, sizeof data, &needed);
    g_spooler.closePrinter(printer);
}
