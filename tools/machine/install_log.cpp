#include "tools/machine/install_log.h"

#include <cstdlib>
#include <cstring>

namespace {

// One letter per kind keeps the stored log readable in a registry editor.
constexpr char kKindLetters[] = "KVRFSEICW";

std::string ToHex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool FromHex(const std::string& hex, std::string* bytes) {
    if (hex.size() % 2 != 0) return false;
    bytes->clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return false;
        *bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

// How many fields after the kind letter each kind carries.
std::size_t FieldCount(InstallChange::Kind kind) {
    switch (kind) {
    case InstallChange::Kind::KeyCreated: return 1;
    case InstallChange::Kind::ValueCreated: return 2;
    case InstallChange::Kind::ValueReplaced: return 4;
    case InstallChange::Kind::IniFileCreated: return 1;
    case InstallChange::Kind::IniSectionCreated: return 2;
    case InstallChange::Kind::IniEntryCreated: return 3;
    case InstallChange::Kind::IniEntryReplaced: return 4;
    case InstallChange::Kind::FileCreated: return 1;
    case InstallChange::Kind::FileReplaced: return 2;
    }
    return 0;
}

bool ParseLine(const std::string& line, InstallChange* change) {
    const std::vector<std::string> fields = SplitFields(line);
    if (fields[0].size() != 1) return false;
    const char* letter = std::strchr(kKindLetters, fields[0][0]);
    if (letter == nullptr || *letter == '\0') return false;
    change->kind = static_cast<InstallChange::Kind>(letter - kKindLetters);
    if (fields.size() != FieldCount(change->kind) + 1) return false;
    change->path = fields[1];
    switch (change->kind) {
    case InstallChange::Kind::KeyCreated:
    case InstallChange::Kind::IniFileCreated:
    case InstallChange::Kind::FileCreated:
        return true;
    case InstallChange::Kind::FileReplaced:
        return FromHex(fields[2], &change->oldData);
    case InstallChange::Kind::ValueCreated:
        change->name = fields[2];
        return true;
    case InstallChange::Kind::ValueReplaced: {
        change->name = fields[2];
        char* end = nullptr;
        change->type = std::strtoul(fields[3].c_str(), &end, 10);
        if (fields[3].empty() || *end != '\0') return false;
        return FromHex(fields[4], &change->oldData);
    }
    case InstallChange::Kind::IniSectionCreated:
        change->section = fields[2];
        return true;
    case InstallChange::Kind::IniEntryCreated:
        change->section = fields[2];
        change->name = fields[3];
        return true;
    case InstallChange::Kind::IniEntryReplaced:
        change->section = fields[2];
        change->name = fields[3];
        return FromHex(fields[4], &change->oldData);
    }
    return false;
}

}  // namespace

std::string InstallLog::ToText() const {
    std::string text;
    for (const InstallChange& change : changes_) {
        text += kKindLetters[static_cast<int>(change.kind)];
        text += '\t';
        text += change.path;
        switch (change.kind) {
        case InstallChange::Kind::KeyCreated:
        case InstallChange::Kind::IniFileCreated:
        case InstallChange::Kind::FileCreated:
            break;
        case InstallChange::Kind::FileReplaced:
            text += '\t' + ToHex(change.oldData);
            break;
        case InstallChange::Kind::ValueCreated:
            text += '\t' + change.name;
            break;
        case InstallChange::Kind::ValueReplaced:
            text += '\t' + change.name + '\t' + std::to_string(change.type) + '\t' + ToHex(change.oldData);
            break;
        case InstallChange::Kind::IniSectionCreated:
            text += '\t' + change.section;
            break;
        case InstallChange::Kind::IniEntryCreated:
            text += '\t' + change.section + '\t' + change.name;
            break;
        case InstallChange::Kind::IniEntryReplaced:
            text += '\t' + change.section + '\t' + change.name + '\t' + ToHex(change.oldData);
            break;
        }
        text += '\n';
    }
    return text;
}

bool InstallLog::FromText(const std::string& text, InstallLog* log) {
    InstallLog parsed;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        InstallChange change;
        if (!ParseLine(text.substr(start, end - start), &change)) return false;
        parsed.Add(change);
        start = end + 1;
    }
    *log = parsed;
    return true;
}
