// The command line of statusctl, turned into one command. Pure: no platform
// calls, so every rule can be checked on its own.
#pragma once

#include <string>
#include <vector>

#include "tools/statusctl/check/check.h"

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
    Ipp,
};

// What "install" writes. Empty profile paths mean the sample files, or with
// --ipp the network printer's profiles.
struct InstallOptions {
    // --ipp: the network printer that printwatch watches, instead of the
    // sample driver; its address as stored (ipp://host:port/path) and the
    // interval in seconds as stored.
    bool network = false;
    std::string printerUri;
    std::string interval;
    std::string profile;
    std::string defaultProfile;
    std::string driver = "Kestrel LX 400";
    std::string driverClass = "KLX4";
    int language = 1;
    int bidi = 1;
    std::string code = "1";  // the first code the monitor shows, as stored
    std::string display = "Kestrel LX 400 on LPT1:";
    // "Alert" for [<driver>] of the status profile, as stored; empty: the
    // profile is left as it is.
    std::string alert;
};

struct Command {
    CommandKind kind = CommandKind::Help;
    InstallOptions install;
    std::vector<int> codes;  // post
    int number = 0;          // set-language, set-bidi, sleep
    std::string file;        // play
    std::string uri;         // ipp: as given
    CheckOptions check;
};

struct ParsedCommand {
    bool ok = false;
    Command command;
    std::string error;  // one line, without the program name
};

// args excludes the program name.
ParsedCommand ParseArguments(const std::vector<std::string>& args);

// The help text shown by --help.
const char* UsageText();
