// The checks that go through the profiles section by section and key by key.
#include <windows.h>

#include "config/status_profile.h"
#include "protocol/config_names.h"
#include "tools/statusctl/arguments.h"
#include "tools/statusctl/check_context.h"
#include "tools/statusctl/check_profile_file.h"
#include "tools/statusctl/check_rules.h"

namespace {

// The longest value the monitor reads whole.
constexpr std::size_t kReadLength = kProfileTextSize - 1;

enum class Role {
    DriverEntries,   // [<driver>] of the status profile
    DefaultEntries,  // [Default] of either profile
    DriverTexts,     // [<driver>,NNN]
    DefaultTexts,    // [Default,NNN]
    Unread,
};

struct Section {
    const ProfileFile* file;
    std::string name;
    Role role = Role::Unread;
    int language = 0;              // for the text sections
    std::size_t chainPosition = 0; // for the entry sections
};

class SectionChecker {
public:
    SectionChecker(const CheckContext& context, ProfileOutline* outline, std::vector<Finding>* findings)
        : context_(context), outline_(outline), findings_(findings) {}

    void CheckStatusProfile();
    void CheckDefaultProfile();

private:
    void Add(const Section& section, const std::string& key, const std::string& text) {
        findings_->push_back({section.file->shown, section.name, key, text});
    }
    void CheckLines(const Section& section);
    void CheckLine(const Section& section, const ProfileLine& line);
    void CheckEntry(const Section& section, const std::string& key);
    void CheckText(const Section& section, const std::string& key);
    void CheckScrollMsg(const Section& section, const std::string& key);
    bool CheckLength(const Section& section, const std::string& key, const std::string& what);
    void NoteStatusKey(const std::string& key);
    void NoteLanguage(int language);
    bool NamedWithLanguage(const std::string& name, const std::string& prefix, Section* section);

    const CheckContext& context_;
    ProfileOutline* outline_;
    std::vector<Finding>* findings_;
};

bool IsName(const std::string& key, const char* name) { return SameProfileName(key, name); }

void SectionChecker::NoteStatusKey(const std::string& key) {
    for (const std::string& known : outline_->statusKeys) {
        if (known == key) return;
    }
    outline_->statusKeys.push_back(key);
}

void SectionChecker::NoteLanguage(int language) {
    for (int known : outline_->languages) {
        if (known == language) return;
    }
    outline_->languages.push_back(language);
}

// "<prefix>,NNN": a language section when NNN is as "%03d" writes it; a
// section the monitor never reads, reported as such, when it is anything else.
bool SectionChecker::NamedWithLanguage(const std::string& name, const std::string& prefix, Section* section) {
    const std::string start = prefix + ",";
    if (name.size() < start.size() || !SameProfileName(name.substr(0, start.size()), start)) return false;
    const std::string suffix = name.substr(start.size());
    if (IsLanguageSuffix(suffix, &section->language)) return true;
    int language = 0;
    if (ParseStrictCode(suffix, &language)) {
        Add(*section, "", "never read: the monitor reads language " + std::to_string(language) + " from [" +
                              prefix + "," + LanguageSuffix(language) + "]");
    } else {
        Add(*section, "", "never read: language sections are named with a three-digit number, as [" + prefix +
                              ",001]");
    }
    section->role = Role::Unread;
    return false;
}

void SectionChecker::CheckStatusProfile() {
    const ProfileFile& file = context_.profile;
    bool driverSectionSeen = false;
    for (const std::string& name : ReadSectionNames(file.path)) {
        Section section{&file, name};
        if (SameProfileName(name, context_.driver)) {
            section.role = Role::DriverEntries;
            section.chainPosition = 0;
            driverSectionSeen = true;
        } else if (SameProfileName(name, kDefaultSection)) {
            section.role = Role::DefaultEntries;
            section.chainPosition = 1;
        } else if (NamedWithLanguage(name, context_.driver, &section)) {
            section.role = Role::DriverTexts;
            NoteLanguage(section.language);
        } else if (NamedWithLanguage(name, kDefaultSection, &section)) {
            section.role = Role::DefaultTexts;
            NoteLanguage(section.language);
        }
        // Any other section may belong to another driver sharing the file.
        if (section.role != Role::Unread) CheckLines(section);
    }
    if (!driverSectionSeen) {
        Add(Section{&file, context_.driver}, "",
            "no such section: the monitor finds no entries of this driver and no ScrollMsg "
            "(is the driver name spelled as installed?)");
    }
}

void SectionChecker::CheckDefaultProfile() {
    const ProfileFile& file = context_.defaultProfile;
    if (file.path.empty()) return;
    for (const std::string& name : ReadSectionNames(file.path)) {
        Section section{&file, name};
        if (SameProfileName(name, kDefaultSection)) {
            section.role = Role::DefaultEntries;
            section.chainPosition = context_.entryChain.size() - 1;
            CheckLines(section);
            continue;
        }
        Add(section, "", "never read: the monitor reads only [Default] of the default profile");
        for (const ProfileLine& line : ReadSectionLines(file.path, name)) {
            if (IsName(line.key, kCaptionKey)) {
                Add(section, line.key, "Caption is never read from the default profile: captions come from "
                                       "the language sections of the status profile");
            } else if (IsName(line.key, kScrollMsgKey)) {
                Add(section, line.key, "ScrollMsg is never read from the default profile: it is read only "
                                       "from [" + context_.driver + "] of the status profile");
            }
        }
    }
}

void SectionChecker::CheckLines(const Section& section) {
    std::vector<std::string> seen;
    for (const ProfileLine& line : ReadSectionLines(section.file->path, section.name)) {
        bool again = false;
        for (const std::string& key : seen) again = again || SameProfileName(key, line.key);
        if (again) {
            Add(section, line.key, "appears again in this section: the monitor reads only the first value");
            continue;
        }
        seen.push_back(line.key);
        if (!line.hasEquals) {
            Add(section, line.key, "line without '=': the monitor reads no value from it");
            continue;
        }
        CheckLine(section, line);
    }
}

void SectionChecker::CheckLine(const Section& section, const ProfileLine& line) {
    const std::string& key = line.key;
    const bool entries = section.role == Role::DriverEntries || section.role == Role::DefaultEntries;
    const bool inStatusProfile = section.file == &context_.profile;
    if (IsName(key, kScrollMsgKey)) {
        if (section.role == Role::DriverEntries) {
            CheckScrollMsg(section, key);
        } else {
            Add(section, key, std::string("ScrollMsg is never read here: the monitor reads it only from [") +
                                  context_.driver + "] of the status profile");
        }
        return;
    }
    if (IsName(key, kCaptionKey)) {
        if (entries) {
            Add(section, key, inStatusProfile
                                  ? "Caption is never read here: the monitor reads it only from the language "
                                    "sections [<driver>,NNN] and [Default,NNN]"
                                  : "Caption is never read from the default profile: captions come from the "
                                    "language sections of the status profile");
        } else {
            CheckText(section, key);
        }
        return;
    }
    const std::string never = KeyNeverLookedUp(key, entries ? "status code" : "message code");
    if (!never.empty()) {
        Add(section, key, never);
        return;
    }
    if (entries) {
        NoteStatusKey(key);
        CheckEntry(section, key);
    } else {
        CheckText(section, key);
    }
}

// Reports a value the monitor cuts; true when it is cut.
bool SectionChecker::CheckLength(const Section& section, const std::string& key, const std::string& what) {
    const std::size_t length = ProfileValueLength(section.file->path, section.name, key);
    if (length <= kReadLength) return false;
    Add(section, key, "value is " + std::to_string(length) + " characters long: the monitor " + what +
                          " only the first " + std::to_string(kReadLength));
    return true;
}

void SectionChecker::CheckEntry(const Section& section, const std::string& key) {
    const std::string value = ReadProfileValue(section.file->path, section.name, key, kProfileTextSize);
    if (value.empty()) {
        const EntrySection* next = NextEntrySectionWith(context_, section.chainPosition + 1, key);
        Add(section, key, next != nullptr
                              ? "empty value: counts as no entry; the monitor goes on to the entry in " +
                                    Describe(*next)
                              : "empty value: counts as no entry, and no section after this one has one");
        return;
    }
    (void)CheckLength(section, key, "reads");
    for (const std::string& problem : EntryProblems(value)) Add(section, key, problem);
}

void SectionChecker::CheckText(const Section& section, const std::string& key) {
    const std::string value = ReadProfileValue(section.file->path, section.name, key, kProfileTextSize);
    if (!value.empty()) {
        (void)CheckLength(section, key, "shows");
        return;
    }
    const std::string fallback = std::string(kDefaultSection) + "," + LanguageSuffix(section.language);
    const std::string what = IsName(key, kCaptionKey) ? "caption" : "text";
    if (section.role == Role::DriverTexts &&
        !ReadProfileValue(section.file->path, fallback, key, kProfileTextSize).empty()) {
        Add(section, key, "empty value: counts as no " + what + "; the monitor goes on to the " + what +
                              " in [" + fallback + "]");
        return;
    }
    Add(section, key, "empty value: counts as no " + what + ", and no section after this one has one");
}

// The monitor reads ScrollMsg with GetPrivateProfileIntA: say what it makes
// of anything but a plain decimal number.
void SectionChecker::CheckScrollMsg(const Section& section, const std::string& key) {
    const std::string value = ReadProfileValue(section.file->path, section.name, key, kProfileTextSize);
    int number = 0;
    if (ParseStrictCode(value, &number)) return;
    const UINT read = GetPrivateProfileIntA(section.name.c_str(), key.c_str(), 0, section.file->path.c_str());
    Add(section, key, "ScrollMsg '" + value + "' is not a plain number: the monitor reads it as " +
                          std::to_string(static_cast<int>(read)) +
                          (read != 0 ? " (texts are added below each other)" : " (each text replaces the last)"));
}

}  // namespace

std::string Describe(const EntrySection& where) { return "[" + where.section + "] of " + where.file->shown; }

const EntrySection* NextEntrySectionWith(const CheckContext& context, std::size_t next, const std::string& key) {
    for (std::size_t i = next; i < context.entryChain.size(); ++i) {
        const EntrySection& candidate = context.entryChain[i];
        if (!ReadProfileValue(candidate.file->path, candidate.section, key, kProfileTextSize).empty()) {
            return &candidate;
        }
    }
    return nullptr;
}

void CheckSections(const CheckContext& context, ProfileOutline* outline, std::vector<Finding>* findings) {
    SectionChecker checker(context, outline, findings);
    checker.CheckStatusProfile();
    checker.CheckDefaultProfile();
}
