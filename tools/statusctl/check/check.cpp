#include "tools/statusctl/check/check.h"

#include "tools/statusctl/check/section_checks.h"
#include "tools/statusctl/check/text_checks.h"

namespace {

std::string LanguageList(const std::vector<int>& languages) {
    if (languages.empty()) return "no languages";
    std::string text = languages.size() == 1 ? "language " : "languages ";
    for (std::size_t i = 0; i < languages.size(); ++i) {
        if (i > 0) text += ", ";
        text += std::to_string(languages[i]);
    }
    return text;
}

}  // namespace

bool CheckProfiles(const CheckOptions& options, CheckResult* result, std::string* error) {
    CheckContext& context = result->context;
    if (!OpenContext(options.profile, options.defaultProfile, options.driver, &context, error)) return false;

    // First the profiles section by section and key by key, which also tells
    // what the profile holds; then the monitor's look-ups over all of it.
    ProfileOutline outline;
    CheckSections(context, &outline, &result->findings);
    result->languages = options.languages.empty() ? outline.languages : options.languages;
    if (result->languages.empty()) {
        result->findings.push_back({context.profile.shown, "", "",
                                    "no language sections [" + context.driver +
                                        ",NNN] or [Default,NNN]: the monitor finds no caption and no message texts"});
    }
    CheckTexts(context, outline, result->languages, &result->findings);
    return true;
}

std::string FormatFinding(const Finding& finding) {
    std::string line = finding.file;
    if (!finding.section.empty()) line += " [" + finding.section + "]";
    if (!finding.key.empty()) line += " " + finding.key;
    return line + ": " + finding.text;
}

std::string CheckSummary(const CheckResult& result) {
    const CheckContext& context = result.context;
    const std::size_t findings = result.findings.size();
    std::string text = "checked " + context.profile.shown;
    text += context.defaultProfile.path.empty() ? " (no default profile)" : " with " + context.defaultProfile.shown;
    text += " for \"" + context.driver + "\", " + LanguageList(result.languages) + ": ";
    if (findings == 0) return text + "no findings";
    return text + std::to_string(findings) + (findings == 1 ? " finding" : " findings");
}
