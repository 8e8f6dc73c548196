// Runs statusctl.exe (beside the test executable) as a child process, the
// way a user or a script runs it, and collects what it reports.
#pragma once

#include <string>
#include <vector>

namespace tool {

// Output with its CR LF line ends turned into LF.
struct RunResult {
    unsigned long exitCode = 0;
    std::string out;
    std::string err;
};

// Each argument is quoted for the child's command line.
RunResult RunStatusctl(const std::vector<std::string>& args);

// A scratch folder under the temporary directory, removed with its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes text to a file in the folder and returns its full path.
    std::string Write(const std::string& name, const std::string& text);
    std::string Path(const std::string& name) const { return path_ + name; }

private:
    std::string path_;  // with a trailing backslash
    std::vector<std::string> files_;
};

}  // namespace tool
