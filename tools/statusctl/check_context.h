// What the checks share: the files as the monitor opens them, the driver, and
// the sections the monitor reads status entries from, in its order.
#pragma once

#include <string>
#include <vector>

#include "tools/statusctl/check.h"

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

struct CheckContext {
    ProfileFile profile;
    ProfileFile defaultProfile;  // path empty when none was given
    std::string driver;
    // [<driver>] and [Default] of the status profile, then [Default] of the
    // default profile (when given).
    std::vector<EntrySection> entryChain;
};

// What a check found, and what it was about.
struct CheckResult {
    CheckContext context;
    std::vector<int> languages;  // the languages checked
    std::vector<Finding> findings;
};

// Reads the profiles as the monitor reads them and collects the findings.
// False, with error set, when a profile cannot be read.
bool CheckProfiles(const CheckOptions& options, CheckResult* result, std::string* error);

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

// Kinds of findings read from the sections one by one: entries that read
// differently from how they look, keys never looked up, empty and overlong
// values, ScrollMsg and Caption out of place, sections never read.
void CheckSections(const CheckContext& context, ProfileOutline* outline, std::vector<Finding>* findings);

// Findings that take the monitor's look-up chains: message codes without a
// text and languages without a caption, for each of languages; a language
// without any section of its own is one finding.
void CheckTexts(const CheckContext& context, const ProfileOutline& outline, const std::vector<int>& languages,
                std::vector<Finding>* findings);
