// The command line of statusctl, turned into one command. Pure: no platform
// calls, so every rule can be checked on its own.
#pragma once

#include <string>
#include <vector>

enum class CommandKind {
    Help,
    Version,
    Install,
    Uninstall,
    SetLanguage,
    SetBidi,
    Post,
    Quit,
    Stop,
    Status,
    Play,
    Sleep,
    Check,
};

// What "install" writes. Empty profile paths mean the sample files.
struct InstallOptions {
    std::string profile;
    std::string defaultProfile;
    std::string driver = "Kestrel LX 400";
    std::string driverClass = "KLX4";
    int language = 1;
    int bidi = 1;
    std::string code = "1";  // the first code the monitor shows, as stored
    std::string display = "Kestrel LX 400 on LPT1:";
};

// What "check" reads: a status profile, the default profile if given, for one
// driver, in the languages asked for (empty: those the profile has sections for).
struct CheckOptions {
    std::string profile;
    std::string defaultProfile;
    std::string driver;
    std::vector<int> languages;
};

struct Command {
    CommandKind kind = CommandKind::Help;
    InstallOptions install;
    std::vector<int> codes;  // post
    int number = 0;          // set-language, set-bidi, sleep
    std::string file;        // play
    CheckOptions check;
};

struct ParsedCommand {
    bool ok = false;
    Command command;
    std::string error;  // one line, without the program name
};

// A status code as a user types it: an optional sign and decimal digits,
// nothing else, within the signed 32-bit range. Unlike the monitor's own
// lenient conversion, anything else is refused rather than read as 0 or
// wrapped around.
bool ParseStrictCode(const std::string& text, int* value);

// args excludes the program name.
ParsedCommand ParseArguments(const std::vector<std::string>& args);

// The help text shown by --help.
const char* UsageText();
