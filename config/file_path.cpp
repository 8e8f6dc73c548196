#include "config/file_path.h"

#include <windows.h>

#include <cstddef>

namespace {

bool IsSlash(char c) { return c == '\\' || c == '/'; }

// The last part of a path: after the drive and the last separator. Stepped
// with CharNextA, since a double-byte character's second byte may be '\\'.
const char* LastPathPart(const char* path) {
    const char* part = path;
    if (path[0] != '\0' && path[1] == ':') part = path + 2;
    for (const char* p = part; *p != '\0'; p = CharNextA(p)) {
        if (IsSlash(*p)) part = p + 1;
    }
    return part;
}

// The system treats these names as devices in every directory, whatever
// extension follows ("nul.ini") and with blanks or a colon after them.
bool IsDeviceName(const char* part) {
    static const char* const kDevices[] = {"CON",  "PRN",  "AUX",  "NUL",  "COM1",   "COM2",
                                           "COM3", "COM4", "COM5", "COM6", "COM7",   "COM8",
                                           "COM9", "LPT1", "LPT2", "LPT3", "LPT4",   "LPT5",
                                           "LPT6", "LPT7", "LPT8", "LPT9", "CONIN$", "CONOUT$",
                                           "CLOCK$"};
    // The name runs to the first dot or colon; the blanks before them, however
    // many, are ignored ("COM1    .ini" is the port). Dots, colons and blanks
    // are never the second byte of a double-byte character, so bytes will do.
    std::size_t length = 0;
    while (part[length] != '\0' && part[length] != '.' && part[length] != ':') ++length;
    while (length > 0 && part[length - 1] == ' ') --length;
    char name[8];
    if (length >= sizeof name) return false;  // longer than any device name
    for (std::size_t i = 0; i < length; ++i) name[i] = part[i];
    name[length] = '\0';
    for (const char* device : kDevices) {
        if (lstrcmpiA(name, device) == 0) return true;
    }
    return false;
}

}  // namespace

bool IsPlainFilePath(const char* path) {
    if (path[0] == '\0') return false;
    if (IsSlash(path[0]) && IsSlash(path[1])) return false;
    return !IsDeviceName(LastPathPart(path));
}
