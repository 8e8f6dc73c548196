#include "tools/statusctl/check/section_checks.h"

#include <string>

#include "tools/statusctl/check/profile_file.h"
#include "tools/statusctl/check/section_roles.h"
#include "tools/statusctl/check/value_checks.h"

namespace {

void NoteLanguage(const Section& section, ProfileOutline* outline) {
    if (!IsTextSection(section)) return;
    for (int known : outline->languages) {
        if (known == section.language) return;
    }
    outline->languages.push_back(section.language);
}

// True when the monitor reads a value from this line: the first line of its
// key in the section (seen holds the keys before it), with an '='. Any other
// line is a finding.
bool ValueIsRead(const Section& section, const ProfileLine& line, std::vector<std::string>* seen,
                 std::vector<Finding>* findings) {
    for (const std::string& key : *seen) {
        if (!SameProfileName(key, line.key)) continue;
        AddFinding(section, line.key, "appears again in this section: the monitor reads only the first value",
                   findings);
        return false;
    }
    seen->push_back(line.key);
    if (!line.hasEquals) {
        AddFinding(section, line.key, "line without '=': the monitor reads no value from it", findings);
        return false;
    }
    return true;
}

// A section the monitor reads entries or texts from: every value it reads.
void CheckValuesRead(const CheckContext& context, const Section& section, ProfileOutline* outline,
                     std::vector<Finding>* findings) {
    std::vector<std::string> seen;
    for (const ProfileLine& line : ReadSectionLines(section.file->path, section.name)) {
        if (ValueIsRead(section, line, &seen, findings)) CheckValue(context, section, line.key, outline, findings);
    }
}

// A section of the default profile that the monitor never reads, and the
// keys in it that were surely meant to count.
void CheckDefaultSectionNeverRead(const CheckContext& context, const Section& section,
                                  std::vector<Finding>* findings) {
    AddFinding(section, "", section.neverRead, findings);
    for (const ProfileLine& line : ReadSectionLines(section.file->path, section.name)) {
        CheckKeyNeverRead(context, section, line.key, findings);
    }
}

void CheckSection(const CheckContext& context, const Section& section, ProfileOutline* outline,
                  std::vector<Finding>* findings) {
    switch (section.role) {
    case Role::DriverEntries:
    case Role::DefaultEntries:
    case Role::DriverTexts:
    case Role::DefaultTexts:
        CheckValuesRead(context, section, outline, findings);
        return;
    case Role::MisnamedTexts:
        AddFinding(section, "", section.neverRead, findings);
        return;
    case Role::OutsideDefault:
        CheckDefaultSectionNeverRead(context, section, findings);
        return;
    case Role::Other:
        // May belong to another driver sharing the file.
        return;
    }
}

bool HasDriverSection(const std::vector<Section>& sections) {
    for (const Section& section : sections) {
        if (section.role == Role::DriverEntries) return true;
    }
    return false;
}

}  // namespace

void CheckSections(const CheckContext& context, ProfileOutline* outline, std::vector<Finding>* findings) {
    const std::vector<Section> sections = StatusProfileSections(context);
    for (const Section& section : sections) {
        NoteLanguage(section, outline);
        CheckSection(context, section, outline, findings);
    }
    if (!HasDriverSection(sections)) {
        findings->push_back({context.profile.shown, context.driver, "",
                             "no such section: the monitor finds no entries of this driver and no ScrollMsg "
                             "(is the driver name spelled as installed?)"});
    }
    for (const Section& section : DefaultProfileSections(context)) {
        CheckSection(context, section, outline, findings);
    }
}
