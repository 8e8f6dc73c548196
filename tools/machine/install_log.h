// The record of what one install changed, in order, so that uninstall can
// undo exactly that: remove what it created, put back what it replaced.
// Pure data with a text form; applying it is system_changes' job.
#pragma once

#include <string>
#include <vector>

struct InstallChange {
    enum class Kind {
        KeyCreated,       // path
        ValueCreated,     // path, name
        ValueReplaced,    // path, name, type, old data
        IniFileCreated,   // file (full path)
        IniSectionCreated,// file, section
        IniEntryCreated,  // file, section, name
        IniEntryReplaced, // file, section, name, old data
        FileCreated,      // path (full)
        FileReplaced,     // path (full), old content
    };
    Kind kind = Kind::KeyCreated;
    std::string path;     // registry path under HKLM, INI file name, or file path
    std::string section;  // INI only
    std::string name;     // value or INI key name
    unsigned long type = 0;  // registry type of the replaced value
    std::string oldData;  // raw bytes of the replaced value
};

class InstallLog {
public:
    void Add(const InstallChange& change) { changes_.push_back(change); }
    const std::vector<InstallChange>& Changes() const { return changes_; }
    bool Empty() const { return changes_.empty(); }

    // One line per change, fields separated by tabs; names are stored as they
    // are (install refuses tabs and line breaks in them), data in hex.
    std::string ToText() const;
    // False when the text is not a log written by ToText.
    static bool FromText(const std::string& text, InstallLog* log);

private:
    std::vector<InstallChange> changes_;
};
