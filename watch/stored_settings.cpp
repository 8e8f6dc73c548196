#include "watch/stored_settings.h"

#include "config/monitor_key.h"
#include "config/reg_key.h"
#include "ipp/watch_options.h"
#include "protocol/config_names.h"

StoredSettings ReadStoredSettings(KeptKey& monitorKey) {
    StoredSettings settings;
    char ownKey[kMonitorPathSize];
    if (!ReadMonitorSetting(monitorKey, kMonitorValue, ownKey)) {
        settings.error = "no printer address given nor stored (statusctl install --ipp URI stores one)";
        return settings;
    }
    RegKey key(HKEY_LOCAL_MACHINE, ownKey, KEY_QUERY_VALUE);
    if (!key.ReadValue(kPrinterUriValue)) {
        settings.error = "no printer address given nor stored (statusctl install --ipp URI stores one)";
        return settings;
    }
    const ParsedUri parsed = ParsePrinterUri(key.Text());
    if (!parsed.ok) {
        settings.error = "the stored printer address " + Printable(key.Text()) + " is not valid: " + parsed.error;
        return settings;
    }
    settings.uri = parsed.uri;
    if (key.ReadValue(kPollIntervalValue) && !ParseInterval(key.Text(), &settings.interval)) {
        settings.error = "the stored interval \"" + Printable(key.Text()) + "\" is not 1 to 3600 seconds";
        return settings;
    }
    settings.ok = true;
    return settings;
}
