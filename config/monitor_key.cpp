#include "config/monitor_key.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "support/text.h"

namespace {
char g_setting[256];
char g_path[256] = "\\BidiData";
}  // namespace

const char* ReadMonitorSetting(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMonitorKeyPath, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return g_setting;
    }
    // Read beside the buffer first: a failed or oversized read may leave
    // partial bytes behind, and those must not replace the last good value.
    char value[sizeof g_setting];
    DWORD type = 0;
    DWORD size = sizeof value;
    const LONG result =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);

    if (result != ERROR_SUCCESS || size > sizeof value) return g_setting;
    // Values stored without a terminator still end as text. One that fills
    // all 256 bytes without one does not fit: it is refused.
    if (size < sizeof value) {
        value[size] = '\0';
    } else if (std::memchr(value, '\0', size) == nullptr) {
        return g_setting;
    }
    CopyBounded(g_setting, value);
    return g_setting;
}

const char* GetMonitorDataKeyPath() {
    const char* monitor = ReadMonitorSetting("Monitor");
    // A path that would be cut names some other key: refuse it and keep the
    // path built from the last value that fitted.
    char path[sizeof g_path];
    const int length = std::snprintf(path, sizeof path, "%s\\BidiData", monitor);
    if (length > 0 && static_cast<std::size_t>(length) < sizeof path) CopyBounded(g_path, path);
    return g_path;
}
