#include "tools/statusctl/check/profile_file.h"

#include <windows.h>

namespace {

// Large enough for any value a profile can reasonably hold; the profile
// functions cut at the buffer, and the checker only wants to know the length.
constexpr std::size_t kLongValueSize = 65536;
// The section and name lists grow to at most this size.
constexpr DWORD kMaxListSize = 16u * 1024u * 1024u;

// A double-null-terminated list into strings. The functions return size - 2
// when the list did not fit; then the buffer is doubled and the call repeated.
template <typename Reader>
std::vector<std::string> ReadList(Reader read) {
    std::vector<char> buffer(8192);
    DWORD length = 0;
    while (true) {
        length = read(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length + 2 < buffer.size() || buffer.size() >= kMaxListSize) break;
        buffer.assign(buffer.size() * 2, '\0');
    }
    std::vector<std::string> items;
    for (const char* p = buffer.data(); p < buffer.data() + length && *p != '\0';) {
        const std::string item(p);
        items.push_back(item);
        p += item.size() + 1;
    }
    return items;
}

}  // namespace

bool CheckProfileReadable(const std::string& path, const std::string& shown, const std::string& what,
                          std::string* error) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        *error = what + " not found: " + shown;
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        *error = what + " is a folder, not a file: " + shown;
        return false;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = what + " cannot be read: " + shown;
        return false;
    }
    CloseHandle(file);
    return true;
}

std::vector<std::string> ReadSectionNames(const std::string& file) {
    const std::vector<std::string> all = ReadList([&](char* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesA(buffer, size, file.c_str());
    });
    std::vector<std::string> names;
    for (const std::string& name : all) {
        bool known = false;
        for (const std::string& kept : names) known = known || SameProfileName(kept, name);
        if (!known) names.push_back(name);
    }
    return names;
}

std::vector<ProfileLine> ReadSectionLines(const std::string& file, const std::string& section) {
    const std::vector<std::string> raw = ReadList([&](char* buffer, DWORD size) {
        return GetPrivateProfileSectionA(section.c_str(), buffer, size, file.c_str());
    });
    std::vector<ProfileLine> lines;
    for (const std::string& text : raw) {
        if (text.empty() || text[0] == ';') continue;
        ProfileLine line;
        const std::size_t equals = text.find('=');
        line.hasEquals = equals != std::string::npos;
        line.key = text.substr(0, equals);
        if (line.hasEquals) line.value = text.substr(equals + 1);
        lines.push_back(line);
    }
    return lines;
}

std::string ReadProfileValue(const std::string& file, const std::string& section, const std::string& key,
                             std::size_t size) {
    std::vector<char> buffer(size + 1, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                  static_cast<DWORD>(size), file.c_str());
    return std::string(buffer.data(), length);
}

std::size_t ProfileValueLength(const std::string& file, const std::string& section, const std::string& key) {
    return ReadProfileValue(file, section, key, kLongValueSize).size();
}

bool SameProfileName(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}
