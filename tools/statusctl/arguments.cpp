#include "tools/statusctl/arguments.h"

#include "ipp/printer_uri.h"
#include "ipp/watch_options.h"
#include "tools/statusctl/check/strict_number.h"

namespace {

// Longest driver name for which the monitor can still form the printer's
// driver data key path in its 256-character buffer.
constexpr std::size_t kMaxDriverName = 189;
// The monitor keeps the class in 5 bytes; a longer one would be cut there.
constexpr std::size_t kMaxDriverClass = 4;
// The monitor's path and display buffers hold 259 characters.
constexpr std::size_t kMaxPath = 259;
// Longest pause a scenario may ask for: ten minutes.
constexpr int kMaxSleepMs = 600000;

ParsedCommand Fail(const std::string& error) {
    ParsedCommand result;
    result.error = error;
    return result;
}

ParsedCommand Succeed(const Command& command) {
    ParsedCommand result;
    result.ok = true;
    result.command = command;
    return result;
}

bool HasControlCharacter(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 32) return true;
    }
    return false;
}

// A driver name becomes a registry key name and part of INI section names.
bool CheckDriverName(const std::string& name, std::string* error) {
    if (name.empty() || name.size() > kMaxDriverName || name.find('\\') != std::string::npos ||
        name.find_first_of("[]") != std::string::npos || HasControlCharacter(name)) {
        *error = "driver name must be 1 to 189 characters without \\, [, ] or control characters";
        return false;
    }
    return true;
}

// The class becomes part of file names (KLX4.INI) and value names.
bool CheckDriverClass(const std::string& name, std::string* error) {
    bool ok = !name.empty() && name.size() <= kMaxDriverClass;
    for (char c : name) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        ok = ok && alnum;
    }
    if (!ok) *error = "driver class must be 1 to 4 letters or digits";
    return ok;
}

bool CheckText(const std::string& option, const std::string& text, std::string* error) {
    if (text.size() > kMaxPath || HasControlCharacter(text)) {
        *error = option + " must be at most 259 characters without control characters";
        return false;
    }
    return true;
}

bool ParseNumberArgument(const std::string& what, const std::string& text, int* value,
                         std::string* error) {
    if (!ParseStrictCode(text, value)) {
        *error = what + " is not a 32-bit decimal number: \"" + text + "\"";
        return false;
    }
    return true;
}

// With --ipp, install takes only --interval, --alert and --language; the
// rest is the network printer's own. --interval needs --ipp.
bool IsNetworkOption(const std::string& option) {
    return option == "--ipp" || option == "--interval" || option == "--alert" || option == "--language";
}

std::string NetworkOptionsError(const std::vector<std::string>& given, const InstallOptions& options) {
    for (const std::string& option : given) {
        if (options.network && !IsNetworkOption(option)) return "option " + option + " does not go with --ipp";
        if (!options.network && option == "--interval") return "--interval goes with --ipp only";
    }
    return std::string();
}

ParsedCommand ParseInstall(const std::vector<std::string>& args) {
    std::vector<std::string> given;
    Command command;
    command.kind = CommandKind::Install;
    InstallOptions& options = command.install;
    std::string error;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) return Fail("option " + option + " needs a value");
        const std::string& value = args[i + 1];
        int number = 0;
        if (option == "--profile") {
            if (!CheckText(option, value, &error)) return Fail(error);
            options.profile = value;
        } else if (option == "--default") {
            if (!CheckText(option, value, &error)) return Fail(error);
            options.defaultProfile = value;
        } else if (option == "--driver") {
            if (!CheckDriverName(value, &error)) return Fail(error);
            options.driver = value;
        } else if (option == "--class") {
            if (!CheckDriverClass(value, &error)) return Fail(error);
            options.driverClass = value;
        } else if (option == "--language") {
            if (!ParseNumberArgument("language", value, &options.language, &error)) return Fail(error);
        } else if (option == "--bidi") {
            if (!ParseNumberArgument("bidi", value, &options.bidi, &error)) return Fail(error);
        } else if (option == "--code") {
            if (!ParseNumberArgument("code", value, &number, &error)) return Fail(error);
            options.code = std::to_string(number);
        } else if (option == "--alert") {
            if (!ParseNumberArgument("alert", value, &number, &error)) return Fail(error);
            options.alert = std::to_string(number);
        } else if (option == "--display") {
            if (!CheckText(option, value, &error)) return Fail(error);
            options.display = value;
        } else if (option == "--ipp") {
            const ParsedUri parsed = ParsePrinterUri(value);
            if (!parsed.ok) return Fail(Printable(value) + ": " + parsed.error);
            options.network = true;
            options.printerUri = parsed.uri.Text();
        } else if (option == "--interval") {
            if (!ParseInterval(value, &number)) {
                return Fail("--interval takes 1 to 3600 seconds: \"" + Printable(value) + "\"");
            }
            options.interval = std::to_string(number);
        } else {
            return Fail("unknown option for install: " + option);
        }
        given.push_back(option);
    }
    const std::string mismatch = NetworkOptionsError(given, options);
    if (!mismatch.empty()) return Fail(mismatch);
    if (options.network && options.interval.empty()) options.interval = std::to_string(kDefaultInterval);
    return Succeed(command);
}

// "1,2,7": decimal language numbers separated by commas, each kept once in
// the order given.
bool ParseLanguageList(const std::string& text, std::vector<int>* languages, std::string* error) {
    std::vector<int> list;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int number = 0;
        if (!ParseStrictCode(item, &number)) {
            *error = "--languages takes decimal numbers separated by commas: \"" + text + "\"";
            return false;
        }
        bool known = false;
        for (int seen : list) known = known || seen == number;
        if (!known) list.push_back(number);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    *languages = list;
    return true;
}

ParsedCommand ParseCheck(const std::vector<std::string>& args) {
    Command command;
    command.kind = CommandKind::Check;
    CheckOptions& options = command.check;
    bool haveProfile = false;
    bool haveDriver = false;
    std::string error;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (haveProfile) return Fail("check takes one status profile; unexpected: " + arg);
            if (!CheckText("status profile", arg, &error)) return Fail(error);
            options.profile = arg;
            haveProfile = true;
            continue;
        }
        if (i + 1 >= args.size()) return Fail("option " + arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--default") {
            if (!CheckText(arg, value, &error)) return Fail(error);
            options.defaultProfile = value;
        } else if (arg == "--driver") {
            if (!CheckDriverName(value, &error)) return Fail(error);
            options.driver = value;
            haveDriver = true;
        } else if (arg == "--languages") {
            if (!ParseLanguageList(value, &options.languages, &error)) return Fail(error);
        } else {
            return Fail("unknown option for check: " + arg);
        }
    }
    if (!haveProfile) return Fail("check needs a status profile (check PROFILE --driver NAME)");
    if (!haveDriver) return Fail("check needs --driver NAME, the driver's section in the profile");
    return Succeed(command);
}

// Commands that take exactly one number.
ParsedCommand ParseOneNumber(CommandKind kind, const std::vector<std::string>& args,
                             const std::string& what) {
    if (args.size() != 2) return Fail(args[0] + " needs exactly one " + what);
    Command command;
    command.kind = kind;
    std::string error;
    if (!ParseNumberArgument(what, args[1], &command.number, &error)) return Fail(error);
    if (kind == CommandKind::Sleep && (command.number < 0 || command.number > kMaxSleepMs)) {
        return Fail("sleep takes 0 to 600000 milliseconds");
    }
    return Succeed(command);
}

ParsedCommand ParseNoArguments(CommandKind kind, const std::vector<std::string>& args) {
    if (args.size() != 1) return Fail(args[0] + " takes no arguments");
    Command command;
    command.kind = kind;
    return Succeed(command);
}

}  // namespace

ParsedCommand ParseArguments(const std::vector<std::string>& args) {
    if (args.empty()) return Fail("no command given (try statusctl --help)");
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "/?" || name == "help") {
        return ParseNoArguments(CommandKind::Help, {name});
    }
    if (name == "--version") return ParseNoArguments(CommandKind::Version, args);
    if (name == "install") return ParseInstall(args);
    if (name == "uninstall") return ParseNoArguments(CommandKind::Uninstall, args);
    if (name == "set-language") return ParseOneNumber(CommandKind::SetLanguage, args, "language");
    if (name == "set-bidi") return ParseOneNumber(CommandKind::SetBidi, args, "bidi");
    if (name == "sleep") return ParseOneNumber(CommandKind::Sleep, args, "duration");
    if (name == "quit") return ParseNoArguments(CommandKind::Quit, args);
    if (name == "stop") return ParseNoArguments(CommandKind::Stop, args);
    if (name == "status") return ParseNoArguments(CommandKind::Status, args);
    if (name == "check") return ParseCheck(args);
    if (name == "ipp") {
        if (args.size() != 2) return Fail("ipp needs exactly one printer address (ipp://host[:port][/path])");
        const ParsedUri parsed = ParsePrinterUri(args[1]);
        if (!parsed.ok) return Fail(Printable(args[1]) + ": " + parsed.error);
        Command command;
        command.kind = CommandKind::Ipp;
        command.uri = args[1];
        return Succeed(command);
    }
    if (name == "play") {
        if (args.size() != 2) return Fail("play needs exactly one scenario file");
        Command command;
        command.kind = CommandKind::Play;
        command.file = args[1];
        return Succeed(command);
    }
    if (name == "post") {
        if (args.size() < 2) return Fail("post needs at least one status code");
        Command command;
        command.kind = CommandKind::Post;
        for (std::size_t i = 1; i < args.size(); ++i) {
            int code = 0;
            std::string error;
            if (!ParseNumberArgument("status code", args[i], &code, &error)) return Fail(error);
            command.codes.push_back(code);
        }
        return Succeed(command);
    }
    return Fail("unknown command: " + name + " (try statusctl --help)");
}

const char* UsageText() {
    return "Usage: statusctl COMMAND [ARGUMENTS]\n"
           "Sets the status monitor up as a printer driver's installation would, and\n"
           "posts it status codes as the spooler-side language monitor would.\n"
           "\n"
           "  install [--profile FILE] [--default FILE] [--driver NAME] [--class CLS]\n"
           "          [--language N] [--bidi N] [--code CODE] [--display TEXT]\n"
           "          [--alert N]\n"
           "                      write the registry values and INI entries the monitor\n"
           "                      reads (profiles default to the sample folder); --alert\n"
           "                      writes Alert=N into the driver's section of the status\n"
           "                      profile (0 none, 1 errors, 2 errors and warnings); an\n"
           "                      earlier install by statusctl is removed first\n"
           "  install --ipp URI [--interval S] [--alert N] [--language N]\n"
           "                      the same for a network printer that printwatch\n"
           "                      watches at URI (ipp://host[:port][/path] or ipps://)\n"
           "                      every S seconds (1 to 3600, default 5), with the\n"
           "                      profiles in the network folder beside statusctl\n"
           "  uninstall           remove exactly what install wrote, restore what it\n"
           "                      replaced\n"
           "  set-language N      set the driver's language number (both families)\n"
           "  set-bidi N          set the driver's bidirectional switch (0 = off)\n"
           "  post CODE...        post status codes to the running monitor\n"
           "  quit                ask the running monitor to end (WM_STATUSQUIT)\n"
           "  stop                broadcast the registered stop message and wait up to\n"
           "                      10 seconds for a running monitor and printwatch to end\n"
           "  status              print the monitor's caption, status text and position\n"
           "  sleep MS            wait MS milliseconds (for scenarios)\n"
           "  play FILE           run a scenario: one command of this list per line\n"
           "                      (a line of bare codes posts them), # starts a comment\n"
           "  ipp URI             ask the printer at URI once and print its state, its\n"
           "                      reasons and the code printwatch would post\n"
           "  check PROFILE [--default FILE] --driver NAME [--languages N,N...]\n"
           "                      read a status profile as the monitor reads it and\n"
           "                      list what it would miss or misread: one finding a\n"
           "                      line, then a summary (languages default to those\n"
           "                      the profile has sections for)\n"
           "  --help              show this text\n"
           "  --version           show the version\n"
           "\n"
           "Exit codes: 0 done, 1 failed, 2 bad command line, 3 no monitor running.\n"
           "ipp: 0 the printer told its state, 1 no state (the reason on stderr).\n"
           "check: 0 no findings, 1 findings, 2 bad command line or unreadable file.\n";
}
