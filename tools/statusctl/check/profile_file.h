// Reading an INI profile through the system's profile functions, the way the
// monitor does, plus listing what those functions hold: the checker must see
// sections and keys that the monitor never asks for.
#pragma once

#include <string>
#include <vector>

// One "key=value" line of a section as the profile functions list it.
struct ProfileLine {
    std::string key;
    std::string value;
    bool hasEquals = true;  // false for a line that is only a name
};

// True when path names a file that can be opened for reading; otherwise
// false with a one-line reason naming the file as shown.
bool CheckProfileReadable(const std::string& path, const std::string& shown, const std::string& what,
                          std::string* error);

// The section names in file order, each once (the profile functions match
// names without regard to case, so only the first spelling is kept).
std::vector<std::string> ReadSectionNames(const std::string& file);

// The lines of a section, comments left out.
std::vector<ProfileLine> ReadSectionLines(const std::string& file, const std::string& section);

// key's value as GetPrivateProfileStringA returns it into a buffer of size
// characters (terminator included): the same call the monitor makes.
std::string ReadProfileValue(const std::string& file, const std::string& section, const std::string& key,
                             std::size_t size);

// The full length of key's value, without the cut of a small buffer.
std::size_t ProfileValueLength(const std::string& file, const std::string& section, const std::string& key);

// Case-insensitive equality, as the profile functions compare names.
bool SameProfileName(const std::string& a, const std::string& b);
