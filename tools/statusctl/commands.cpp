#include "tools/statusctl/commands.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "ipp/printer_uri.h"
#include "ipp/status_choice.h"
#include "release/version.h"
#include "tools/statusctl/check/check.h"
#include "tools/statusctl/driver_setup.h"
#include "tools/statusctl/monitor_link.h"
#include "tools/statusctl/sample_paths.h"
#include "tools/statusctl/scenario.h"
#include "watch/ipp_client.h"
#include "watch/winhttp_api.h"

namespace {

int Failed(const std::string& error) {
    PrintError(error);
    return error == kNoMonitorError ? kExitNoMonitor : kExitFailed;
}

int Install(InstallOptions options) {
    if (options.network) {
        const std::string folder = FindNetworkProfileDirectory();
        if (folder.empty()) {
            return Failed("the network printer's profiles (network\\profile.ini) are not beside statusctl");
        }
        SetNetworkPrinter(&options, folder);
    } else if (options.profile.empty() || options.defaultProfile.empty()) {
        const std::string sample = FindSampleDirectory();
        if (sample.empty()) return Failed("sample folder with profile.ini not found; give --profile and --default");
        if (options.profile.empty()) options.profile = sample + "\\profile.ini";
        if (options.defaultProfile.empty()) options.defaultProfile = sample + "\\default.ini";
    }
    std::string error;
    if (!InstallDriver(options, &error)) return Failed(error);
    const std::string alert = options.alert.empty() ? "" : ", alert " + options.alert;
    if (options.network) {
        std::printf("installed the network printer %s (every %s s, language %d%s)\n", options.printerUri.c_str(),
                    options.interval.c_str(), options.language, alert.c_str());
        return kExitDone;
    }
    std::printf("installed \"%s\" (class %s, language %d, bidi %d%s)\n", options.driver.c_str(),
                options.driverClass.c_str(), options.language, options.bidi, alert.c_str());
    return kExitDone;
}

int Uninstall() {
    std::string error;
    std::string notes;
    const bool done = UninstallDriver(&error, &notes);
    if (!notes.empty()) std::fputs(notes.c_str(), stderr);
    if (!done) return Failed(error);
    std::printf("uninstalled\n");
    return kExitDone;
}

int Status() {
    MonitorView view;
    std::string error;
    if (!ReadMonitorView(&view, &error)) return Failed(error);
    std::printf("caption: %s\nstatus: %s\nvisible: %s\nwindow: %dx%d%+d%+d\n", view.caption.c_str(),
                view.statusText.c_str(), view.visible ? "yes" : "no", view.width, view.height, view.left,
                view.top);
    return kExitDone;
}

int Play(const std::string& file) {
    std::vector<Command> commands;
    std::string error;
    if (!ReadScenarioFile(file, &commands, &error)) return Failed(error);
    for (const Command& command : commands) {
        const int result = RunCommand(command);
        if (result != kExitDone) return result;
    }
    return kExitDone;
}

// Prints the findings and a summary on stdout: kExitDone without findings,
// kExitFailed with some; a file that cannot be read is a one-line error on
// stderr and kExitUsage.
int Check(const CheckOptions& options) {
    CheckResult result;
    std::string error;
    if (!CheckProfiles(options, &result, &error)) {
        PrintError(error);
        return kExitUsage;
    }
    for (const Finding& finding : result.findings) std::printf("%s\n", FormatFinding(finding).c_str());
    std::printf("%s\n", CheckSummary(result).c_str());
    return result.findings.empty() ? kExitDone : kExitFailed;
}

// Asks the printer once. Its state, reasons and message (control
// characters shown as '?'), and the code printwatch would post for them.
int AskPrinter(const std::string& text) {
    const PrinterUri uri = ParsePrinterUri(text).uri;  // checked with the command line
    WinHttpApi api;
    std::string error;
    if (!LoadWinHttp(&api, &error)) return Failed(error);
    IppClient client(api);
    const PollOutcome outcome = client.Poll(uri);
    const std::string failure = DescribeFailure(outcome);
    if (!failure.empty()) return Failed(Printable(text) + ": " + failure);
    std::string reasons;
    for (const std::string& reason : outcome.answer.reasons) reasons += (reasons.empty() ? "" : " ") + reason;
    const WatchCode code = CodeForOutcome(outcome);
    static const char* const kSeverities[] = {"normal", "error", "warning"};
    std::printf("printer: %s\nstate: %s\nreasons: %s\nmessage: %s\ncode: %d (%s) %s\n", uri.Text().c_str(),
                PrinterStateName(outcome.answer.printerState), reasons.empty() ? "(none)" : reasons.c_str(),
                Printable(outcome.answer.message).c_str(), code.code, kSeverities[code.severity], code.english);
    return kExitDone;
}

int Done(bool ok, const std::string& error) { return ok ? kExitDone : Failed(error); }

}  // namespace

int RunCommand(const Command& command) {
    std::string error;
    switch (command.kind) {
    case CommandKind::Help:
        std::fputs(UsageText(), stdout);
        return kExitDone;
    case CommandKind::Version:
        std::puts("statusctl (" STATUSMON_PRODUCT_NAME ") " STATUSMON_VERSION_TEXT);
        return kExitDone;
    case CommandKind::Install:
        return Install(command.install);
    case CommandKind::Uninstall:
        return Uninstall();
    case CommandKind::SetLanguage:
        return Done(SetDriverLanguage(command.number, &error), error);
    case CommandKind::SetBidi:
        return Done(SetDriverBidi(command.number, &error), error);
    case CommandKind::Post:
        return Done(PostStatusCodes(command.codes, &error), error);
    case CommandKind::Quit:
        return Done(PostQuitRequest(&error), error);
    case CommandKind::Stop:
        return Done(BroadcastStop(&error), error);
    case CommandKind::Status:
        return Status();
    case CommandKind::Sleep:
        Sleep(static_cast<DWORD>(command.number));
        return kExitDone;
    case CommandKind::Play:
        return Play(command.file);
    case CommandKind::Check:
        return Check(command.check);
    case CommandKind::Ipp:
        return AskPrinter(command.uri);
    }
    return kExitFailed;
}

int RunStatusctl(const std::vector<std::string>& args) {
    const ParsedCommand parsed = ParseArguments(args);
    if (!parsed.ok) {
        PrintError(parsed.error);
        return kExitUsage;
    }
    return RunCommand(parsed.command);
}
