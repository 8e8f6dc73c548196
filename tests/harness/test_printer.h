// A real IPP printer for a test: OpenPrinting's ippeveprinter on this
// machine (localhost), private to the object, started, changed and ended
// through tools/printer/printer.sh on the host. Its folder under /tmp holds
// the printer's files and the results of the calls to the script.
//
// The printer gives each reason the suffix of its own state: "-report"
// while idle, "-warning" while a job prints, never "-error".
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

class TestPrinter {
public:
    // Starts the printer on a free port and waits until it answers; Ready()
    // tells whether it did, Error() why not.
    TestPrinter();
    // Ends the printer, a job it prints and its bus, then removes its folder.
    ~TestPrinter();
    TestPrinter(const TestPrinter&) = delete;
    TestPrinter& operator=(const TestPrinter&) = delete;

    bool Ready() const { return port_ != 0; }
    // The output of the last call that failed: the script's reason, or that
    // no result came in time.
    const std::string& Error() const { return error_; }
    int Port() const { return port_; }
    std::string IppUri() const;   // ipp://127.0.0.1:PORT/ipp/print
    std::string IppsUri() const;  // ipps://..., a self-signed certificate

    // Ends the printer (and a job it prints): connections are refused.
    bool Stop();
    // Starts it again on the same port, as new: idle, no reasons.
    bool Start();
    // Toner and waste in percent (75 and 25 at start): toner below 10 is
    // toner-low, 0 toner-empty; waste above 90 marker-waste-almost-full,
    // 100 marker-waste-full.
    bool SetSupplies(int tonerPercent, int wastePercent);
    // Sheets in the main tray (250 at start): below 25 media-low, 0
    // media-empty (a job then waits for paper).
    bool SetMedia(int sheets);
    // A print job whose command writes each line to the printer, such as
    // "STATE: +media-jam-error,cover-open-error" (reasons added) or
    // "STATE: -media-jam-error" (taken away), then goes on printing for
    // holdMs or until EndJob. Returns once the lines are written; the
    // printer takes them in a moment later (WaitFor). Reasons stay after the
    // job. One job at a time.
    bool PrintJob(const std::vector<std::string>& lines, DWORD holdMs);
    // The job's command stops printing now; returns once it has ended (the
    // printer is idle a moment later).
    bool EndJob();
    // Waits until a line of State() is the line given, such as
    // "printer-state-reasons=media-jam-warning" or "printer-state=idle".
    bool WaitFor(const std::string& line, DWORD timeoutMs);
    // "printer-state=idle\nprinter-state-reasons=none\nprinter-state-message=Idle.\n"
    // as ipptool reads them (a list of reasons comma-separated), for
    // diagnostics; empty when the printer does not answer.
    std::string State();

private:
    bool Call(const std::vector<std::string>& arguments, DWORD timeoutMs, std::string* output = nullptr);

    std::string folder_;      // host path; empty when it could not be made
    std::string printerDir_;  // the printer's own files, within the folder
    int port_ = 0;
    int calls_ = 0;           // numbers the result files
    std::string error_;
};

}  // namespace harness
