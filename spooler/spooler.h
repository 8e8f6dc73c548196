// The print spooler calls that the start request makes. Tests put recorders
// in their place, as there are no printers to ask in a test machine.
#pragma once

#include <windows.h>
#include <winspool.h>

struct SpoolerCalls {
    BOOL(WINAPI* enumPrinters)(DWORD flags, LPSTR name, DWORD level, LPBYTE block, DWORD size,
                               LPDWORD needed, LPDWORD returned);
    BOOL(WINAPI* openPrinter)(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults);
    DWORD(WINAPI* getPrinterData)(HANDLE printer, LPSTR valueName, LPDWORD type, LPBYTE data,
                                  DWORD size, LPDWORD needed);
    BOOL(WINAPI* closePrinter)(HANDLE printer);
};

// The real spooler unless a test replaced it.
extern SpoolerCalls g_spooler;
