#include "tools/statusctl/check/section_roles.h"

#include "protocol/config_names.h"
#include "tools/statusctl/check/profile_file.h"
#include "tools/statusctl/check/rules.h"
#include "tools/statusctl/check/strict_number.h"

namespace {

// "<prefix>,NNN": a language section when NNN is as "%03d" writes it, a
// misnamed one when it is anything else. False when name does not start
// with "<prefix>,".
bool TakeLanguageSection(const std::string& prefix, Role role, Section* section) {
    const std::string start = prefix + ",";
    const std::string& name = section->name;
    if (name.size() < start.size() || !SameProfileName(name.substr(0, start.size()), start)) return false;
    const std::string suffix = name.substr(start.size());
    if (IsLanguageSuffix(suffix, &section->language)) {
        section->role = role;
        return true;
    }
    section->role = Role::MisnamedTexts;
    int language = 0;
    section->neverRead = ParseStrictCode(suffix, &language)
        ? "never read: the monitor reads language " + std::to_string(language) + " from [" + prefix + "," +
              LanguageSuffix(language) + "]"
        : "never read: language sections are named with a three-digit number, as [" + prefix + ",001]";
    return true;
}

Section StatusProfileSection(const CheckContext& context, const std::string& name) {
    Section section;
    section.file = &context.profile;
    section.name = name;
    if (SameProfileName(name, context.driver)) {
        section.role = Role::DriverEntries;
        section.chainPosition = 0;
    } else if (SameProfileName(name, kDefaultSection)) {
        section.role = Role::DefaultEntries;
        section.chainPosition = 1;
    } else if (!TakeLanguageSection(context.driver, Role::DriverTexts, &section)) {
        // A section that is not [Default,...] either stays Role::Other.
        (void)TakeLanguageSection(kDefaultSection, Role::DefaultTexts, &section);
    }
    return section;
}

Section DefaultProfileSection(const CheckContext& context, const std::string& name) {
    Section section;
    section.file = &context.defaultProfile;
    section.name = name;
    if (SameProfileName(name, kDefaultSection)) {
        section.role = Role::DefaultEntries;
        section.chainPosition = context.entryChain.size() - 1;
    } else {
        section.role = Role::OutsideDefault;
        section.neverRead = "never read: the monitor reads only [Default] of the default profile";
    }
    return section;
}

}  // namespace

std::vector<Section> StatusProfileSections(const CheckContext& context) {
    std::vector<Section> sections;
    for (const std::string& name : ReadSectionNames(context.profile.path)) {
        sections.push_back(StatusProfileSection(context, name));
    }
    return sections;
}

std::vector<Section> DefaultProfileSections(const CheckContext& context) {
    std::vector<Section> sections;
    if (context.defaultProfile.path.empty()) return sections;
    for (const std::string& name : ReadSectionNames(context.defaultProfile.path)) {
        sections.push_back(DefaultProfileSection(context, name));
    }
    return sections;
}

bool IsEntrySection(const Section& section) {
    return section.role == Role::DriverEntries || section.role == Role::DefaultEntries;
}

bool IsTextSection(const Section& section) {
    return section.role == Role::DriverTexts || section.role == Role::DefaultTexts;
}

void AddFinding(const Section& section, const std::string& key, const std::string& text,
                std::vector<Finding>* findings) {
    findings->push_back({section.file->shown, section.name, key, text});
}
