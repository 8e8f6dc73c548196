#include "tool/system_snapshot.h"

#include <windows.h>

#include <vector>

namespace tool {

namespace {

void AddKey(HKEY root, const std::string& path, Snapshot* snapshot) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    (*snapshot)[path] = "(key)";
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameSize = sizeof name;
        BYTE data[16384];
        DWORD dataSize = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        (*snapshot)[path + " | " + name] =
            std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& subkey : subkeys) AddKey(root, path + "\\" + subkey, snapshot);
}

std::vector<std::string> NameList(const std::vector<char>& buffer, DWORD length) {
    std::vector<std::string> names;
    for (DWORD i = 0; i < length && buffer[i] != '\0'; i += static_cast<DWORD>(names.back().size()) + 1) {
        names.emplace_back(&buffer[i]);
    }
    return names;
}

}  // namespace

Snapshot RegistrySnapshot(const std::string& path) {
    Snapshot snapshot;
    AddKey(HKEY_LOCAL_MACHINE, path, &snapshot);
    if (snapshot.empty()) snapshot[path] = "(missing)";
    return snapshot;
}

Snapshot IniSnapshot(const std::string& file) {
    Snapshot snapshot;
    const std::string path = WindowsDirectoryFile(file);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        snapshot[file] = "(missing)";
        return snapshot;
    }
    snapshot[file] = "(file)";
    std::vector<char> buffer(65536);
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()),
                                                        file.c_str());
    for (const std::string& section : NameList(buffer, length)) {
        snapshot[file + " [" + section + "]"] = "(section)";
        std::vector<char> keys(65536);
        const DWORD keysLength = GetPrivateProfileStringA(section.c_str(), nullptr, "", keys.data(),
                                                          static_cast<DWORD>(keys.size()), file.c_str());
        for (const std::string& key : NameList(keys, keysLength)) {
            snapshot[file + " [" + section + "] " + key] = ReadIniText(file, section, key);
        }
    }
    return snapshot;
}

void DeleteRegistryTree(const std::string& path) {
    (void)RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    (void)RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

void SetRegistryText(const std::string& path, const std::string& name, const std::string& text) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

std::string ReadRegistryText(const std::string& path, const std::string& name) {
    char text[1024] = "";
    DWORD size = sizeof text - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return "(missing)";
    }
    const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string(text) : "(missing)";
}

std::string ReadIniText(const std::string& file, const std::string& section, const std::string& name) {
    char text[1024] = "";
    GetPrivateProfileStringA(section.c_str(), name.c_str(), "(missing)", text, sizeof text, file.c_str());
    return text;
}

std::string WindowsDirectoryFile(const std::string& file) {
    char directory[MAX_PATH] = "";
    GetWindowsDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\" + file;
}

}  // namespace tool
