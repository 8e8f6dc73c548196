// The checks that follow the monitor's own look-ups: each status entry as the
// monitor finds it, and its message text and the caption in every language.
#include "app/monitor_state.h"
#include "config/status_profile.h"
#include "support/field_list.h"
#include "support/text.h"
#include "tools/statusctl/check_context.h"
#include "tools/statusctl/check_rules.h"

namespace {

// A message code with the first status entry that leads to it.
struct MessageUse {
    int messageCode = 0;
    std::string statusKey;
    std::string where;  // the section the entry came from
    int users = 0;
};

// Points the monitor state at the files and driver, as the monitor sets it
// from the driver's registry values.
void UseProfiles(const CheckContext& context) {
    g_monitor = MonitorState{};
    CopyBounded(g_monitor.profilePath, context.profile.path.c_str());
    CopyBounded(g_monitor.defaultProfilePath, context.defaultProfile.path.c_str());
    CopyBounded(g_monitor.driverName, context.driver.c_str());
}

// The message codes the entries lead to, in order of first use, with the
// entry as the monitor's plain look-up finds it.
std::vector<MessageUse> MessageUses(const CheckContext& context, const std::vector<std::string>& statusKeys) {
    std::vector<MessageUse> uses;
    for (const std::string& key : statusKeys) {
        char entry[kProfileTextSize];
        if (!LookupProfileString(key.c_str(), entry, sizeof entry, false)) continue;
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
    UseProfiles(context);
    const std::vector<MessageUse> uses = MessageUses(context, outline.statusKeys);
    for (int language : languages) {
        g_monitor.currentLanguage = language;
        const std::string suffix = LanguageSuffix(language);
        const std::string section = context.driver + "," + suffix;
        const std::string fallback = "[Default," + suffix + "]";
        if (!HasSections(outline, language)) {
            findings->push_back({context.profile.shown, section, "",
                                 "language " + std::to_string(language) + " has no section, neither here nor " +
                                     fallback + ": the dialog's title reads \"Caption\" not found! and no "
                                     "status shows a text"});
            continue;
        }
        char text[kProfileTextSize];
        if (!LookupProfileString("Caption", text, sizeof text, true)) {
            findings->push_back({context.profile.shown, section, "Caption",
                                 "language " + std::to_string(language) + " has no caption, neither here nor in " +
                                     fallback + ": the dialog's title reads \"Caption\" not found!"});
        }
        for (const MessageUse& use : uses) {
            const CodeKey key = FormatCodeKey(use.messageCode);
            if (LookupProfileString(key.text, text, sizeof text, true)) continue;
            findings->push_back({context.profile.shown, section, key.text,
                                 "message code " + std::to_string(use.messageCode) + " has no text in language " +
                                     std::to_string(language) + ", neither here nor in " + fallback + ": " +
                                     UsedBy(use) + " changes the icon but leaves the old text"});
        }
    }
    g_monitor = MonitorState{};
}
