// What the monitor reads each section of the two profiles for, by the names
// it forms: the driver's entries, the default entries, the texts of one
// language; and the sections it never reads.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "tools/statusctl/check/context.h"

enum class Role {
    DriverEntries,    // [<driver>] of the status profile
    DefaultEntries,   // [Default] of either profile
    DriverTexts,      // [<driver>,NNN] of the status profile
    DefaultTexts,     // [Default,NNN] of the status profile
    MisnamedTexts,    // named like a language section, but never read: [Default,1]
    OutsideDefault,   // any section of the default profile but [Default]: never read
    Other,            // any other section of the status profile, maybe another driver's
};

struct Section {
    const ProfileFile* file = nullptr;
    std::string name;
    Role role = Role::Other;
    int language = 0;               // of a language section
    std::size_t chainPosition = 0;  // of an entry section, in the context's entry chain
    std::string neverRead;          // why, for a section the monitor never reads
};

// The sections of the status profile, in file order.
std::vector<Section> StatusProfileSections(const CheckContext& context);
// The sections of the default profile, in file order; none without one.
std::vector<Section> DefaultProfileSections(const CheckContext& context);

bool IsEntrySection(const Section& section);
bool IsTextSection(const Section& section);

// A finding at key of section (key empty for the whole section).
void AddFinding(const Section& section, const std::string& key, const std::string& text,
                std::vector<Finding>* findings);
