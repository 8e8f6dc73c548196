#include "tools/machine/system_changes.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// An open key under HKLM, closed on every way out.
class OpenKey {
public:
    OpenKey(const std::string& path, REGSAM access) {
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~OpenKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::string ErrorText(LONG code) {
    char text[256] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ' ||
                               result.back() == '.')) {
        result.pop_back();
    }
    if (result.empty()) result = "error " + std::to_string(code);
    return result;
}

bool QueryValue(HKEY key, const std::string& name, DWORD* type, std::string* data) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    std::vector<BYTE> buffer(size + 1);
    if (RegQueryValueExA(key, name.c_str(), nullptr, type, buffer.data(), &size) != ERROR_SUCCESS) {
        return false;
    }
    data->assign(reinterpret_cast<const char*>(buffer.data()), size);
    return true;
}

LONG WriteValue(HKEY key, const std::string& name, DWORD type, const std::string& data) {
    return RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}

// The terminator is stored with the text, as the monitor expects.
std::string TextData(const std::string& text) { return std::string(text.c_str(), text.size() + 1); }

LONG WriteText(HKEY key, const std::string& name, const std::string& text) {
    return WriteValue(key, name, REG_SZ, TextData(text));
}

bool ReadWholeFile(const std::string& path, std::string* content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    content->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content->append(buffer, got);
    CloseHandle(file);
    return true;
}

bool PutWholeFile(const std::string& path, const std::string& content) {
    // The profile functions cache files: let them write theirs out first, so
    // that nothing older is written over this content later.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == content.size();
}

// Where the profile functions find an INI file: a bare name ("KLX4.INI") in
// the Windows directory, a full path where it says.
std::string IniFilePath(const std::string& file) {
    if (file.find_first_of("\\:") != std::string::npos) return file;
    char directory[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory) return file;
    std::string path(directory, length);
    if (path.back() != '\\') path += '\\';
    return path + file;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The key names of a section, or of all sections when section is null.
std::vector<std::string> IniNames(const char* section, const std::string& file) {
    std::vector<char> buffer(32768);
    const DWORD length = section == nullptr
        ? GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str())
        : GetPrivateProfileStringA(section, nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()),
                                   file.c_str());
    std::vector<std::string> names;
    for (DWORD i = 0; i < length && buffer[i] != '\0'; i += static_cast<DWORD>(names.back().size()) + 1) {
        names.emplace_back(&buffer[i]);
    }
    return names;
}

bool ContainsNoCase(const std::vector<std::string>& names, const std::string& wanted) {
    for (const std::string& name : names) {
        if (lstrcmpiA(name.c_str(), wanted.c_str()) == 0) return true;
    }
    return false;
}

bool ReadIniText(const std::string& file, const std::string& section, const std::string& name,
                 std::string* text) {
    if (!ContainsNoCase(IniNames(section.c_str(), file), name)) return false;
    std::vector<char> buffer(32768);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), name.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), file.c_str());
    text->assign(buffer.data(), length);
    return true;
}

bool WriteIni(const std::string& file, const char* section, const char* name, const char* text) {
    return WritePrivateProfileStringA(section, name, text, file.c_str()) != FALSE;
}

bool KeyIsEmpty(HKEY key) {
    DWORD subkeys = 0;
    DWORD values = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    return subkeys == 0 && values == 0;
}

bool UndoOne(const InstallChange& change, std::string* notes) {
    using Kind = InstallChange::Kind;
    switch (change.kind) {
    case Kind::KeyCreated: {
        bool empty = false;
        {
            OpenKey key(change.path, KEY_READ);
            if (key.Get() == nullptr) return true;  // already gone
            empty = KeyIsEmpty(key.Get());
        }
        if (!empty) {
            *notes += "left HKLM\\" + change.path + ": it holds entries statusctl did not write\n";
            return true;
        }
        return RegDeleteKeyA(HKEY_LOCAL_MACHINE, change.path.c_str()) == ERROR_SUCCESS;
    }
    case Kind::ValueCreated:
        return DeleteRegistryValue(change.path, change.name);
    case Kind::ValueReplaced: {
        OpenKey key(change.path, KEY_SET_VALUE);
        return key.Get() != nullptr &&
               RegSetValueExA(key.Get(), change.name.c_str(), 0, change.type,
                              reinterpret_cast<const BYTE*>(change.oldData.data()),
                              static_cast<DWORD>(change.oldData.size())) == ERROR_SUCCESS;
    }
    case Kind::IniFileCreated: {
        const std::string path = IniFilePath(change.path);
        if (!IniNames(nullptr, change.path).empty()) {
            *notes += "left " + path + ": it holds entries statusctl did not write\n";
            return true;
        }
        // The profile functions cache files; flush before the file goes.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, change.path.c_str());
        return DeleteFileA(path.c_str()) != FALSE || !FileExists(path);
    }
    case Kind::IniSectionCreated:
        if (!IniNames(change.section.c_str(), change.path).empty()) {
            *notes += "left [" + change.section + "] in " + change.path +
                      ": it holds entries statusctl did not write\n";
            return true;
        }
        return WriteIni(change.path, change.section.c_str(), nullptr, nullptr);
    case Kind::IniEntryCreated:
        return WriteIni(change.path, change.section.c_str(), change.name.c_str(), nullptr);
    case Kind::IniEntryReplaced:
        return WriteIni(change.path, change.section.c_str(), change.name.c_str(), change.oldData.c_str());
    case Kind::FileCreated:
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, change.path.c_str());
        return DeleteFileA(change.path.c_str()) != FALSE || !FileExists(change.path);
    case Kind::FileReplaced:
        return PutWholeFile(change.path, change.oldData);
    }
    return false;
}

}  // namespace

bool SystemChanges::CreateKeyPath(const std::string& path, std::string* error) {
    std::size_t end = 0;
    while (end != std::string::npos) {
        end = path.find('\\', end + 1);
        const std::string prefix = path.substr(0, end);
        HKEY key = nullptr;
        DWORD disposition = 0;
        const LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, prefix.c_str(), 0, nullptr, 0, KEY_WRITE,
                                            nullptr, &key, &disposition);
        if (result != ERROR_SUCCESS) {
            *error = "cannot create HKLM\\" + prefix + ": " + ErrorText(result);
            return false;
        }
        RegCloseKey(key);
        if (disposition == REG_CREATED_NEW_KEY) {
            InstallChange change;
            change.kind = InstallChange::Kind::KeyCreated;
            change.path = prefix;
            log_.Add(change);
        }
    }
    return true;
}

bool SystemChanges::SetRegistryText(const std::string& path, const std::string& name,
                                    const std::string& text, std::string* error) {
    return SetRegistryValue(path, name, REG_SZ, TextData(text), error);
}

bool SystemChanges::SetRegistryValue(const std::string& path, const std::string& name, unsigned long type,
                                     const std::string& data, std::string* error) {
    OpenKey key(path, KEY_QUERY_VALUE | KEY_SET_VALUE);
    if (key.Get() == nullptr) {
        *error = "cannot open HKLM\\" + path + " for writing";
        return false;
    }
    InstallChange change;
    change.path = path;
    change.name = name;
    change.kind = QueryValue(key.Get(), name, &change.type, &change.oldData)
        ? InstallChange::Kind::ValueReplaced
        : InstallChange::Kind::ValueCreated;
    const LONG result = WriteValue(key.Get(), name, type, data);
    if (result != ERROR_SUCCESS) {
        *error = "cannot write \"" + name + "\" in HKLM\\" + path + ": " + ErrorText(result);
        return false;
    }
    log_.Add(change);
    return true;
}

bool SystemChanges::WriteWholeFile(const std::string& path, const std::string& content, std::string* error) {
    InstallChange change;
    change.path = path;
    change.kind = ReadWholeFile(path, &change.oldData) ? InstallChange::Kind::FileReplaced
                                                        : InstallChange::Kind::FileCreated;
    if (!PutWholeFile(path, content)) {
        *error = "cannot write " + path;
        return false;
    }
    log_.Add(change);
    return true;
}

bool SystemChanges::RecordWholeFile(const std::string& path, std::string* error) {
    InstallChange change;
    change.kind = InstallChange::Kind::FileReplaced;
    change.path = path;
    if (!ReadWholeFile(path, &change.oldData)) {
        *error = "cannot read " + path;
        return false;
    }
    log_.Add(change);
    return true;
}

bool SystemChanges::SetIniText(const std::string& file, const std::string& section, const std::string& name,
                               const std::string& text, std::string* error) {
    const bool fileExisted = FileExists(IniFilePath(file));
    const bool sectionExisted = fileExisted && ContainsNoCase(IniNames(nullptr, file), section);
    InstallChange change;
    change.path = file;
    change.section = section;
    change.name = name;
    change.kind = sectionExisted && ReadIniText(file, section, name, &change.oldData)
        ? InstallChange::Kind::IniEntryReplaced
        : InstallChange::Kind::IniEntryCreated;
    if (!WriteIni(file, section.c_str(), name.c_str(), text.c_str())) {
        *error = "cannot write [" + section + "] " + name + " in " + IniFilePath(file);
        return false;
    }
    if (!fileExisted) {
        InstallChange created;
        created.kind = InstallChange::Kind::IniFileCreated;
        created.path = file;
        log_.Add(created);
    }
    if (!sectionExisted) {
        InstallChange created;
        created.kind = InstallChange::Kind::IniSectionCreated;
        created.path = file;
        created.section = section;
        log_.Add(created);
    }
    log_.Add(change);
    return true;
}

std::string Formatted(const char* format, const std::string& first, const std::string& second) {
    char name[512];
    const int length = std::snprintf(name, sizeof name, format, first.c_str(), second.c_str());
    return length > 0 ? std::string(name, std::min<std::size_t>(length, sizeof name - 1)) : std::string();
}

bool UpdateRegistryText(const std::string& path, const std::string& name, const std::string& text,
                        std::string* error) {
    OpenKey key(path, KEY_SET_VALUE);
    const LONG result = key.Get() == nullptr ? ERROR_FILE_NOT_FOUND : WriteText(key.Get(), name, text);
    if (result != ERROR_SUCCESS) {
        *error = "cannot write \"" + name + "\" in HKLM\\" + path + ": " + ErrorText(result);
        return false;
    }
    return true;
}

bool UpdateIniText(const std::string& file, const std::string& section, const std::string& name,
                   const std::string& text, std::string* error) {
    if (!WriteIni(file, section.c_str(), name.c_str(), text.c_str())) {
        *error = "cannot write [" + section + "] " + name + " in " + IniFilePath(file);
        return false;
    }
    return true;
}

bool ReadRegistryText(const std::string& path, const std::string& name, std::string* text) {
    OpenKey key(path, KEY_QUERY_VALUE);
    DWORD type = 0;
    if (key.Get() == nullptr || !QueryValue(key.Get(), name, &type, text)) return false;
    // Stored with its terminator; the text ends at the first one.
    const std::size_t terminator = text->find('\0');
    if (terminator != std::string::npos) text->resize(terminator);
    return true;
}

bool DeleteRegistryValue(const std::string& path, const std::string& name) {
    OpenKey key(path, KEY_SET_VALUE);
    if (key.Get() == nullptr) return true;  // the key went, and the value with it
    const LONG result = RegDeleteValueA(key.Get(), name.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

int UndoChanges(const InstallLog& log, std::string* notes) {
    int failures = 0;
    const std::vector<InstallChange>& changes = log.Changes();
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        if (!UndoOne(*change, notes)) ++failures;
    }
    // Write the cached INI files out now, not whenever the process ends.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "WIN.INI");
    return failures;
}
