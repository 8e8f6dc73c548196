// printwatch's address and interval as statusctl install --ipp (or the
// package) stored them: "PrinterUri" and "PollInterval" in the key that the
// monitor key's "Monitor" names, read afresh for every poll.
#pragma once

#include <string>

#include "ipp/printer_uri.h"
#include "state/kept_key.h"

struct StoredSettings {
    bool ok = false;
    PrinterUri uri;
    int interval = 0;   // 0: none stored
    std::string error;  // one line, when not ok
};

StoredSettings ReadStoredSettings(KeptKey& monitorKey);
