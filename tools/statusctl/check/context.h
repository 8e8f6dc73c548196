// What the checks share: the files as the monitor opens them, the driver, the
// sections the monitor reads status entries from, in its order, and the
// findings they all add to.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One thing the monitor would miss or misread, at a section and key of a
// file (key empty for a whole section, section empty for the whole file).
struct Finding {
    std::string file;  // as the user named it
    std::string section;
    std::string key;
    std::string text;
};

// One profile file: its full path, as the profile functions need it, and the
// name the user gave, for the findings.
struct ProfileFile {
    std::string path;
    std::string shown;
};

// A section of status entries in the monitor's look-up order.
struct EntrySection {
    const ProfileFile* file;
    std::string section;
};

// The chain points into the context itself, so a context is never copied.
struct CheckContext {
    CheckContext() = default;
    CheckContext(const CheckContext&) = delete;
    CheckContext& operator=(const CheckContext&) = delete;

    ProfileFile profile;
    ProfileFile defaultProfile;  // path empty when none was given
    std::string driver;
    // [<driver>] and [Default] of the status profile, then [Default] of the
    // default profile (when given).
    std::vector<EntrySection> entryChain;
};

// The files given, opened as the monitor opens them, and the look-up chain
// for driver. False, with error set, when a profile cannot be read.
bool OpenContext(const std::string& profile, const std::string& defaultProfile, const std::string& driver,
                 CheckContext* context, std::string* error);

// "[Default] of default.ini".
std::string Describe(const EntrySection& where);

// The first section from position next of the chain on that holds a
// non-empty value for key, as the monitor's look-up goes on; null for none.
const EntrySection* NextEntrySectionWith(const CheckContext& context, std::size_t next, const std::string& key);

// The status code keys of the entry sections (each once, in file order) and
// the language numbers the status profile has sections for, gathered by the
// section checks for the text checks.
struct ProfileOutline {
    std::vector<std::string> statusKeys;
    std::vector<int> languages;
};
