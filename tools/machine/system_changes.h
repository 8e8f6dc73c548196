// Registry, INI and file writes, each recorded in an InstallLog so that it
// can be undone: registry values under HKEY_LOCAL_MACHINE, INI entries in the
// Windows directory and in status profiles, and whole files. statusctl installs the sample driver
// with it; the tests, the benchmark and the soak run set up theirs with it.
#pragma once

#include <string>

#include "tools/machine/install_log.h"

class SystemChanges {
public:
    SystemChanges() = default;
    // Goes on with the log of an earlier install: later changes are undone
    // with it, before its own.
    explicit SystemChanges(const InstallLog& log) : log_(log) {}

    // Creates each missing key along path (relative to HKLM), one level at a
    // time, so that every key created here is recorded, not only the last.
    bool CreateKeyPath(const std::string& path, std::string* error);
    // Sets a REG_SZ value in an existing key, recording the old value if any.
    bool SetRegistryText(const std::string& path, const std::string& name, const std::string& text,
                         std::string* error);
    // Sets a value of any type to the given bytes, as they are.
    bool SetRegistryValue(const std::string& path, const std::string& name, unsigned long type,
                          const std::string& data, std::string* error);
    // Sets key=text in section of an INI file: one in the Windows directory,
    // given by its bare name the way the driver's readers name it
    // ("KLX4.INI"), or any other by its full path (a status profile).
    bool SetIniText(const std::string& file, const std::string& section, const std::string& name,
                    const std::string& text, std::string* error);

    // Writes a whole file (full path), recording what it held before.
    bool WriteWholeFile(const std::string& path, const std::string& content, std::string* error);
    // Records what an existing file (full path) holds now, so that the undo
    // puts back these bytes whatever is changed in it later: the profile
    // functions may write a whole INI file anew for one entry.
    bool RecordWholeFile(const std::string& path, std::string* error);

    const InstallLog& Log() const { return log_; }

private:
    InstallLog log_;
};

// Changes a value or entry that an install created or replaced, without
// recording anything: the install's log already covers the name.
bool UpdateRegistryText(const std::string& path, const std::string& name, const std::string& text,
                        std::string* error);
bool UpdateIniText(const std::string& file, const std::string& section, const std::string& name,
                   const std::string& text, std::string* error);

// One of the monitor's configuration name formats ("%s=BidiMode"), filled in
// with one or two texts.
std::string Formatted(const char* format, const std::string& first, const std::string& second = "");

// Reads a REG_SZ value; false when the key or value is missing.
bool ReadRegistryText(const std::string& path, const std::string& name, std::string* text);
bool DeleteRegistryValue(const std::string& path, const std::string& name);

// Undoes the changes of a log, last first. What others added meanwhile stays:
// a created key that is no longer empty is left, and so is a created INI file
// or section that holds more than the install put there; notes says so.
// Returns the number of changes that could not be undone.
int UndoChanges(const InstallLog& log, std::string* notes);
