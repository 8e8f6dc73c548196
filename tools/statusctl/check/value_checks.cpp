#include "tools/statusctl/check/value_checks.h"

#include <windows.h>

#include "config/status_profile.h"
#include "protocol/config_names.h"
#include "tools/statusctl/check/profile_file.h"
#include "tools/statusctl/check/rules.h"
#include "tools/statusctl/check/strict_number.h"

namespace {

// The longest value the monitor reads whole.
constexpr std::size_t kReadLength = kProfileTextSize - 1;

constexpr const char* kCaptionNotInDefaultProfile =
    "Caption is never read from the default profile: captions come from the language sections of the status "
    "profile";

bool IsName(const std::string& key, const char* name) { return SameProfileName(key, name); }

std::string ReadValue(const Section& section, const std::string& key) {
    return ReadProfileValue(section.file->path, section.name, key, kProfileTextSize);
}

void NoteStatusKey(const std::string& key, ProfileOutline* outline) {
    for (const std::string& known : outline->statusKeys) {
        if (known == key) return;
    }
    outline->statusKeys.push_back(key);
}

std::string OnlyInDriverSection(const CheckContext& context) {
    return "the monitor reads it only from [" + context.driver + "] of the status profile";
}

// The monitor reads ScrollMsg with GetPrivateProfileIntA: say what it makes
// of anything but a plain decimal number.
void CheckScrollMsg(const CheckContext& context, const Section& section, const std::string& key,
                    std::vector<Finding>* findings) {
    if (section.role != Role::DriverEntries) {
        AddFinding(section, key, "ScrollMsg is never read here: " + OnlyInDriverSection(context), findings);
        return;
    }
    const std::string value = ReadValue(section, key);
    int number = 0;
    if (ParseStrictCode(value, &number)) return;
    const UINT read = GetPrivateProfileIntA(section.name.c_str(), key.c_str(), 0, section.file->path.c_str());
    AddFinding(section, key,
               "ScrollMsg '" + value + "' is not a plain number: the monitor reads it as " +
                   std::to_string(static_cast<int>(read)) +
                   (read != 0 ? " (texts are added below each other)" : " (each text replaces the last)"),
               findings);
}

// Reports a value the monitor cuts.
void CheckLength(const Section& section, const std::string& key, const std::string& what,
                 std::vector<Finding>* findings) {
    const std::size_t length = ProfileValueLength(section.file->path, section.name, key);
    if (length <= kReadLength) return;
    AddFinding(section, key,
               "value is " + std::to_string(length) + " characters long: the monitor " + what + " only the first " +
                   std::to_string(kReadLength),
               findings);
}

void CheckEntry(const CheckContext& context, const Section& section, const std::string& key,
                std::vector<Finding>* findings) {
    const std::string value = ReadValue(section, key);
    if (value.empty()) {
        const EntrySection* next = NextEntrySectionWith(context, section.chainPosition + 1, key);
        AddFinding(section, key,
                   next != nullptr
                       ? "empty value: counts as no entry; the monitor goes on to the entry in " + Describe(*next)
                       : "empty value: counts as no entry, and no section after this one has one",
                   findings);
        return;
    }
    CheckLength(section, key, "reads", findings);
    for (const std::string& problem : EntryProblems(value)) AddFinding(section, key, problem, findings);
}

void CheckText(const Section& section, const std::string& key, std::vector<Finding>* findings) {
    if (!ReadValue(section, key).empty()) {
        CheckLength(section, key, "shows", findings);
        return;
    }
    const std::string fallback = std::string(kDefaultSection) + "," + LanguageSuffix(section.language);
    const std::string what = IsName(key, kCaptionKey) ? "caption" : "text";
    if (section.role == Role::DriverTexts &&
        !ReadProfileValue(section.file->path, fallback, key, kProfileTextSize).empty()) {
        AddFinding(section, key,
                   "empty value: counts as no " + what + "; the monitor goes on to the " + what + " in [" +
                       fallback + "]",
                   findings);
        return;
    }
    AddFinding(section, key, "empty value: counts as no " + what + ", and no section after this one has one",
               findings);
}

void CheckCaption(const CheckContext& context, const Section& section, const std::string& key,
                  std::vector<Finding>* findings) {
    if (IsTextSection(section)) {
        CheckText(section, key, findings);
        return;
    }
    AddFinding(section, key,
               section.file == &context.profile
                   ? "Caption is never read here: the monitor reads it only from the language sections "
                     "[<driver>,NNN] and [Default,NNN]"
                   : kCaptionNotInDefaultProfile,
               findings);
}

}  // namespace

void CheckValue(const CheckContext& context, const Section& section, const std::string& key,
                ProfileOutline* outline, std::vector<Finding>* findings) {
    const bool entries = IsEntrySection(section);
    if (IsName(key, kScrollMsgKey)) {
        CheckScrollMsg(context, section, key, findings);
        return;
    }
    if (IsName(key, kCaptionKey)) {
        CheckCaption(context, section, key, findings);
        return;
    }
    const std::string never = KeyNeverLookedUp(key, entries ? "status code" : "message code");
    if (!never.empty()) {
        AddFinding(section, key, never, findings);
        return;
    }
    if (entries) {
        NoteStatusKey(key, outline);
        CheckEntry(context, section, key, findings);
    } else {
        CheckText(section, key, findings);
    }
}

void CheckKeyNeverRead(const CheckContext& context, const Section& section, const std::string& key,
                       std::vector<Finding>* findings) {
    if (IsName(key, kCaptionKey)) {
        AddFinding(section, key, kCaptionNotInDefaultProfile, findings);
    } else if (IsName(key, kScrollMsgKey)) {
        AddFinding(section, key,
                   "ScrollMsg is never read from the default profile: it is read only from [" + context.driver +
                       "] of the status profile",
                   findings);
    }
}
