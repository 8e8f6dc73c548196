#include "config/monitor_key.h"

#include <windows.h>

#include <cstring>

#include "config/reg_key.h"
#include "protocol/config_names.h"
#include "text/text.h"

bool ReadMonitorSetting(KeptKey& monitorKey, const char* name, char (&value)[kMonitorPathSize]) {
    // Only values are read here, so only Query Value is asked for: an
    // installation may grant users no more on this key.
    RegKey key(monitorKey, HKEY_LOCAL_MACHINE, kMonitorKeyPath, KEY_QUERY_VALUE);
    if (!key.ReadValue(name)) return false;
    // A value that would be cut names something else: it is refused. So is
    // one that fills every byte without a terminator.
    if (key.ValueSize() > sizeof value || std::strlen(key.Text()) >= sizeof value) return false;
    CopyBounded(value, key.Text());
    return true;
}

void GetMonitorDataKeyPath(KeptKey& monitorKey, char (&path)[kMonitorPathSize]) {
    char monitor[kMonitorPathSize];
    if (!ReadMonitorSetting(monitorKey, kMonitorValue, monitor)) return;
    char formed[kMonitorPathSize];
    if (FormatText(formed, sizeof formed, kMonitorDataKeyFormat, monitor)) CopyBounded(path, formed);
}
