#include "tools/statusctl/check.h"

#include <windows.h>

#include <cstdio>

#include "config/file_path.h"
#include "protocol/config_names.h"
#include "state/profile_set.h"
#include "tools/statusctl/check_context.h"
#include "tools/statusctl/check_profile_file.h"
#include "tools/statusctl/report.h"

namespace {

// The monitor keeps each profile path in 260 characters.
constexpr std::size_t kMaxProfilePath = sizeof(ProfileSet{}.profilePath) - 1;

// The profile functions look a bare file name up in the Windows folder, so
// the file is handed to them with its full path, as an installation stores it.
bool OpenProfile(const std::string& given, const std::string& what, ProfileFile* file, std::string* error) {
    char full[MAX_PATH * 2] = "";
    const DWORD length = GetFullPathNameA(given.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) {
        *error = what + " has no usable full path: " + given;
        return false;
    }
    if (length > kMaxProfilePath) {
        *error = what + " path is longer than the monitor's 259 characters: " + full;
        return false;
    }
    if (!IsPlainFilePath(full)) {
        *error = what + " names a device or a network share, which the monitor never opens: " + given;
        return false;
    }
    if (!CheckProfileReadable(full, given, what, error)) return false;
    file->path = full;
    file->shown = given;
    return true;
}

std::string LanguageList(const std::vector<int>& languages) {
    if (languages.empty()) return "no languages";
    std::string text = languages.size() == 1 ? "language " : "languages ";
    for (std::size_t i = 0; i < languages.size(); ++i) {
        if (i > 0) text += ", ";
        text += std::to_string(languages[i]);
    }
    return text;
}

std::string Summary(const CheckContext& context, const std::vector<int>& languages, std::size_t findings) {
    std::string text = "checked " + context.profile.shown;
    text += context.defaultProfile.path.empty() ? " (no default profile)" : " with " + context.defaultProfile.shown;
    text += " for \"" + context.driver + "\", " + LanguageList(languages) + ": ";
    if (findings == 0) return text + "no findings";
    return text + std::to_string(findings) + (findings == 1 ? " finding" : " findings");
}

}  // namespace

std::string FormatFinding(const Finding& finding) {
    std::string line = finding.file;
    if (!finding.section.empty()) line += " [" + finding.section + "]";
    if (!finding.key.empty()) line += " " + finding.key;
    return line + ": " + finding.text;
}

bool CheckProfiles(const CheckOptions& options, CheckResult* result, std::string* error) {
    CheckContext& context = result->context;
    if (!OpenProfile(options.profile, "status profile", &context.profile, error)) return false;
    if (!options.defaultProfile.empty() &&
        !OpenProfile(options.defaultProfile, "default profile", &context.defaultProfile, error)) {
        return false;
    }
    context.driver = options.driver;
    context.entryChain.push_back({&context.profile, context.driver});
    context.entryChain.push_back({&context.profile, kDefaultSection});
    if (!context.defaultProfile.path.empty()) {
        context.entryChain.push_back({&context.defaultProfile, kDefaultSection});
    }

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

int RunCheck(const CheckOptions& options) {
    CheckResult result;
    std::string error;
    if (!CheckProfiles(options, &result, &error)) {
        PrintError(error);
        return kExitUsage;
    }
    for (const Finding& finding : result.findings) std::printf("%s\n", FormatFinding(finding).c_str());
    std::printf("%s\n", Summary(result.context, result.languages, result.findings.size()).c_str());
    return result.findings.empty() ? kExitDone : kExitFailed;
}
