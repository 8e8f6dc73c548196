#include "tools/statusctl/check/context.h"

#include <windows.h>

#include "config/file_path.h"
#include "config/status_profile.h"
#include "protocol/config_names.h"
#include "state/profile_set.h"
#include "tools/statusctl/check/profile_file.h"

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

}  // namespace

bool OpenContext(const std::string& profile, const std::string& defaultProfile, const std::string& driver,
                 CheckContext* context, std::string* error) {
    if (!OpenProfile(profile, "status profile", &context->profile, error)) return false;
    if (!defaultProfile.empty() &&
        !OpenProfile(defaultProfile, "default profile", &context->defaultProfile, error)) {
        return false;
    }
    context->driver = driver;
    context->entryChain.push_back({&context->profile, context->driver});
    context->entryChain.push_back({&context->profile, kDefaultSection});
    if (!context->defaultProfile.path.empty()) {
        context->entryChain.push_back({&context->defaultProfile, kDefaultSection});
    }
    return true;
}

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
