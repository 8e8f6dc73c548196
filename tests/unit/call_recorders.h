// Recorders put in front of the shell's notification call and the spooler
// calls. Both write into one event list, so tests can check the order of
// calls across the two. Each recorder puts the real calls back when it ends.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "spooler/spooler.h"
#include "tray/tray_icon.h"

namespace test_support {

// Names of the calls in the order in which they were made.
inline std::vector<std::string>& CallEvents() {
    static std::vector<std::string> events;
    return events;
}

struct TrayCall {
    DWORD message;
    NOTIFYICONDATAA record;  // a copy of what reached the shell
    BOOL result;
};

// Records every notification record and passes it on to the real shell.
class TrayRecorder {
public:
    TrayRecorder() {
        Calls().clear();
        CallEvents().clear();
        g_shellNotifyIcon = &Record;
    }
    ~TrayRecorder() { g_shellNotifyIcon = Shell_NotifyIconA; }
    TrayRecorder(const TrayRecorder&) = delete;
    TrayRecorder& operator=(const TrayRecorder&) = delete;

    static std::vector<TrayCall>& Calls() {
        static std::vector<TrayCall> calls;
        return calls;
    }

private:
    static BOOL WINAPI Record(DWORD message, PNOTIFYICONDATAA record) {
        TrayCall call;
        call.message = message;
        call.record = *record;
        call.result = Shell_NotifyIconA(message, record);
        Calls().push_back(call);
        static const char* const names[] = {"tray add", "tray modify", "tray delete"};
        CallEvents().push_back(message < 3 ? names[message] : "tray other");
        return call.result;
    }
};

// A fake spooler with a number of printers. It records every call and makes
// none of the real ones.
class SpoolerRecorder {
public:
    struct Call {
        std::string function;
        DWORD flags = 0;
        bool nameIsNull = false;
        std::string name;  // printer or value name
        DWORD level = 0;
        bool blockIsNull = false;
        DWORD size = 0;
        HANDLE printer = nullptr;
        bool typeIsNull = false;
    };

    // The fake's answers; set by the test before the request.
    struct Setup {
        std::vector<const char*> printerNames;  // null entries give a null name
        bool openSucceeds = true;
        bool secondEnumFails = false;
    };

    SpoolerRecorder() {
        Calls().clear();
        CallEvents().clear();
        TheSetup() = Setup{};
        saved_ = g_spooler;
        g_spooler = {&EnumPrinters, &OpenPrinter, &GetPrinterData, &ClosePrinter};
    }
    ~SpoolerRecorder() { g_spooler = saved_; }
    SpoolerRecorder(const SpoolerRecorder&) = delete;
    SpoolerRecorder& operator=(const SpoolerRecorder&) = delete;

    static Setup& TheSetup() {
        static Setup setup;
        return setup;
    }
    static std::vector<Call>& Calls() {
        static std::vector<Call> calls;
        return calls;
    }
    // The handle that the fake's open hands out.
    static HANDLE PrinterHandle() { return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(0x5150)); }

private:
    static void Add(const Call& call) {
        Calls().push_back(call);
        CallEvents().push_back("spooler " + call.function);
    }

    // Level 2 records followed by the names they point to, like the spooler's.
    static BOOL WINAPI EnumPrinters(DWORD flags, LPSTR name, DWORD level, LPBYTE block,
                                    DWORD size, LPDWORD needed, LPDWORD returned) {
        Call call;
        call.function = "enum";
        call.flags = flags;
        call.nameIsNull = name == nullptr;
        call.name = name != nullptr ? name : "";
        call.level = level;
        call.blockIsNull = block == nullptr;
        call.size = size;
        Add(call);

        const std::vector<const char*>& names = TheSetup().printerNames;
        DWORD total = static_cast<DWORD>(names.size() * sizeof(PRINTER_INFO_2A));
        for (const char* printer : names) {
            if (printer != nullptr) total += static_cast<DWORD>(std::string(printer).size() + 1);
        }
        if (names.empty()) total = 0;
        *needed = total;
        *returned = 0;
        if (block == nullptr || size < total) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        if (TheSetup().secondEnumFails) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        ZeroMemory(block, size);
        auto* records = reinterpret_cast<PRINTER_INFO_2A*>(block);
        char* text = reinterpret_cast<char*>(block + names.size() * sizeof(PRINTER_INFO_2A));
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == nullptr) continue;
            const std::string printer = names[i];
            CopyMemory(text, printer.c_str(), printer.size() + 1);
            records[i].pPrinterName = text;
            text += printer.size() + 1;
        }
        *returned = static_cast<DWORD>(names.size());
        return TRUE;
    }

    static BOOL WINAPI OpenPrinter(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults) {
        Call call;
        call.function = "open";
        call.nameIsNull = name == nullptr;
        call.name = name != nullptr ? name : "";
        call.typeIsNull = defaults == nullptr;  // here: no default settings
        Add(call);
        if (!TheSetup().openSucceeds) return FALSE;
        *printer = PrinterHandle();
        return TRUE;
    }

    static DWORD WINAPI GetPrinterData(HANDLE printer, LPSTR valueName, LPDWORD type, LPBYTE data,
                                       DWORD size, LPDWORD needed) {
        Call call;
        call.function = "get data";
        call.printer = printer;
        call.name = valueName != nullptr ? valueName : "";
        call.typeIsNull = type == nullptr;
        call.blockIsNull = data == nullptr;
        call.size = size;
        Add(call);
        if (needed != nullptr) *needed = 4;
        return ERROR_MORE_DATA;
    }

    static BOOL WINAPI ClosePrinter(HANDLE printer) {
        Call call;
        call.function = "close";
        call.printer = printer;
        Add(call);
        return TRUE;
    }

    SpoolerCalls saved_{};
};

}  // namespace test_support
