// What the registry and the INI files hold at one moment, in the places a
// driver installation touches, so that two moments can be compared.
#pragma once

#include <map>
#include <string>

namespace tool {

// Key paths, value names with type and data, and INI entries, each one line
// of "where -> what". Two equal snapshots mean nothing changed there.
using Snapshot = std::map<std::string, std::string>;

// Every key and value under HKLM\path, recursively; "(missing)" when absent.
Snapshot RegistrySnapshot(const std::string& path);
// Every section and entry of an INI file in the Windows directory, and
// whether the file exists.
Snapshot IniSnapshot(const std::string& file);

// Recursive delete under HKLM; a missing key is fine.
void DeleteRegistryTree(const std::string& path);
void SetRegistryText(const std::string& path, const std::string& name, const std::string& text);
std::string ReadRegistryText(const std::string& path, const std::string& name);
std::string ReadIniText(const std::string& file, const std::string& section, const std::string& name);
std::string WindowsDirectoryFile(const std::string& file);

}  // namespace tool
