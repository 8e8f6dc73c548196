// The printer driver's settings that steer the monitor.
#pragma once

#include "config/nt_language.h"
#include "state/kept_key.h"
#include "state/profile_set.h"

struct DriverSettings {
    int bidi = 1;      // 0 switches the monitor off
    int language = 1;  // selects the language sections of the status profile
};

// Reads both settings afresh for the platform family, for the driver name
// and class of the profile set: from the driver INI file and WIN.INI on the
// 95 family, from the printer's driver data in the registry on the NT family
// ("<driver>=BidiMode", and the second token of "DrvlibIntl=<class>U.DLL",
// each 1 when absent); 1 and 1 on neither.
// On the NT family the driver data key is kept open in driverKey between reads.
DriverSettings ReadDriverSettings(PlatformFamily platform, const ProfileSet& profile, KeptKey& driverKey);

