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

// ScrollMsg and Alert: numbers the monitor reads with GetPrivateProfileIntA,
// from [<driver>] of the status profile and nowhere else.
bool IsDriverSetting(const std::string& key) { return IsName(key, kScrollMsgKey) || IsName(key, kAlertKey); }

std::string SettingName(const std::string& key) { return IsName(key, kScrollMsgKey) ? kScrollMsgKey : kAlertKey; }

// What the monitor does with the number it read.
std::string ScrollMsgMeaning(int read) {
    return read != 0 ? "texts are added below each other" : "each text replaces the last";
}

bool IsAlertLevel(int number) { return number == 0 || number == 1 || number == 2; }

std::string AlertMeaning(int read) {
    switch (read) {
    case 0:
        return "no alerts";
    case 1:
        return "alerts for errors";
    case 2:
        return "alerts for errors and warnings";
    default:
        return "counts as 0: no alerts";
    }
}

// Says what the monitor makes of a setting written as anything but a plain
// decimal number, and of an Alert other than 0, 1 and 2.
void CheckDriverSetting(const CheckContext& context, const Section& section, const std::string& key,
                        std::vector<Finding>* findings) {
    const std::string name = SettingName(key);
    if (section.role != Role::DriverEntries) {
        AddFinding(section, key,
                   name + " is never read here: the monitor reads it only from [" + context.driver +
                       "] of the status profile",
                   findings);
        return;
    }
    const std::string value = ReadValue(section, key);
    int number = 0;
    if (ParseStrictCode(value, &number)) {
        if (name == kAlertKey && !IsAlertLevel(number)) {
            AddFinding(section, key,
                       "Alert '" + value +
                           "' is neither 0, 1 (errors) nor 2 (errors and warnings): counts as 0 (no alerts)",
                       findings);
        }
        return;
    }
    const int read =
        static_cast<int>(GetPrivateProfileIntA(section.name.c_str(), key.c_str(), 0, section.file->path.c_str()));
    AddFinding(section, key,
               name + " '" + value + "' is not a plain number: the monitor reads it as " + std::to_string(read) +
                   " (" + (name == kScrollMsgKey ? ScrollMsgMeaning(read) : AlertMeaning(read)) + ")",
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

// The named keys first (the driver's settings, the caption); any other key
// must be a code as the monitor writes it; then its value as an entry or a
// text.
void CheckValue(const CheckContext& context, const Section& section, const std::string& key,
                ProfileOutline* outline, std::vector<Finding>* findings) {
    const bool entries = IsEntrySection(section);
    if (IsDriverSetting(key)) {
        CheckDriverSetting(context, section, key, findings);
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
    } else if (IsDriverSetting(key)) {
        AddFinding(section, key,
                   SettingName(key) + " is never read from the default profile: it is read only from [" +
                       context.driver + "] of the status profile",
                   findings);
    }
}
