#include "tools/statusctl/check/text_checks.h"

#include "config/status_profile.h"
#include "protocol/config_names.h"
#include "state/profile_set.h"
#include "text/field_list.h"
#include "text/text.h"
#include "tools/statusctl/check/rules.h"

namespace {

// A message code with the first status entry that leads to it.
struct MessageUse {
    int messageCode = 0;
    std::string statusKey;
    std::string where;  // the section the entry came from
    int users = 0;
};

// The files and driver, as the monitor takes them from the driver's registry
// values.
ProfileSet ProfilesOf(const CheckContext& context) {
    ProfileSet profile;
    CopyBounded(profile.profilePath, context.profile.path.c_str());
    CopyBounded(profile.defaultProfilePath, context.defaultProfile.path.c_str());
    CopyBounded(profile.driverName, context.driver.c_str());
    return profile;
}

// The message codes the entries lead to, in order of first use, with the
// entry as the monitor's plain look-up finds it.
std::vector<MessageUse> MessageUses(const CheckContext& context, const ProfileSet& profile,
                                    const std::vector<std::string>& statusKeys) {
    std::vector<MessageUse> uses;
    for (const std::string& key : statusKeys) {
        char entry[kProfileTextSize];
        if (!LookupProfileString(profile, key.c_str(), entry, sizeof entry, false)) continue;
        FieldList fields;
        fields.Split(entry, ',', FieldList::kNoLimit);
        const int messageCode = fields.FieldInt(2);
        bool known = false;
        for (MessageUse& use : uses) {
            if (use.messageCode != messageCode) continue;
            ++use.users;
            known = true;
        }
        if (known) continue;
        const EntrySection* origin = NextEntrySectionWith(context, 0, key);
        uses.push_back({messageCode, key, origin != nullptr ? Describe(*origin) : std::string("?"), 1});
    }
    return uses;
}

bool HasSections(const ProfileOutline& outline, int language) {
    for (int known : outline.languages) {
        if (known == language) return true;
    }
    return false;
}

std::string UsedBy(const MessageUse& use) {
    std::string text = "status " + use.statusKey + " (" + use.where + ")";
    if (use.users > 1) text += " and " + std::to_string(use.users - 1) + " more";
    return text;
}

}  // namespace

void CheckTexts(const CheckContext& context, const ProfileOutline& outline, const std::vector<int>& languages,
                std::vector<Finding>* findings) {
    ProfileSet profile = ProfilesOf(context);
    const std::vector<MessageUse> uses = MessageUses(context, profile, outline.statusKeys);
    for (int language : languages) {
        profile.language = language;
        const std::string suffix = LanguageSuffix(language);
        const std::string section = context.driver + "," + suffix;
        const std::string fallback = std::string("[") + kDefaultSection + "," + suffix + "]";
        if (!HasSections(outline, language)) {
            findings->push_back({context.profile.shown, section, "",
                                 "language " + std::to_string(language) + " has no section, neither here nor " +
                                     fallback + ": the dialog's title reads \"Caption\" not found! and no "
                                     "status shows a text"});
            continue;
        }
        char text[kProfileTextSize];
        if (!LookupProfileString(profile, kCaptionKey, text, sizeof text, true)) {
            findings->push_back({context.profile.shown, section, kCaptionKey,
                                 "language " + std::to_string(language) + " has no caption, neither here nor in " +
                                     fallback + ": the dialog's title reads \"Caption\" not found!"});
        }
        for (const MessageUse& use : uses) {
            const CodeKey key = FormatCodeKey(use.messageCode);
            if (LookupProfileString(profile, key.text, text, sizeof text, true)) continue;
            findings->push_back({context.profile.shown, section, key.text,
                                 "message code " + std::to_string(use.messageCode) + " has no text in language " +
                                     std::to_string(language) + ", neither here nor in " + fallback + ": " +
                                     UsedBy(use) + " changes the icon but leaves the old text"});
        }
    }
}
