#include "tools/statusctl/sample_paths.h"

#include <windows.h>

namespace {

std::string ProgramDirectory() {
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return std::string();
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of('\\') + 1);
}

// The build runs on the host, so the source tree's path is a host path. A
// Unix path ("/work/main/sample") is reached under Wine through drive Z:.
std::string HostPathToWindows(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

bool HoldsProfile(const std::string& directory) {
    const std::string file = directory + "\\profile.ini";
    const DWORD attributes = GetFileAttributesA(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH] = "";
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) return path;
    return buffer;
}

}  // namespace

std::string FindSampleDirectory() {
    const std::string program = ProgramDirectory();
    const std::string candidates[] = {
        program + "sample",
        program + "..\\..\\sample",
#ifdef STATUSCTL_SOURCE_SAMPLE_DIR
        HostPathToWindows(STATUSCTL_SOURCE_SAMPLE_DIR),
#endif
    };
    for (const std::string& candidate : candidates) {
        if (HoldsProfile(candidate)) return FullPath(candidate);
    }
    return std::string();
}

std::string FindNetworkProfileDirectory() {
    const std::string folder = ProgramDirectory() + "network";
    return HoldsProfile(folder) ? FullPath(folder) : std::string();
}
