// The driver's profile set: which status profiles to read, for which driver,
// in which language. The configuration readers take it as a parameter.
#pragma once

struct ProfileSet {
    char profilePath[260] = {};         // the status profile
    char defaultProfilePath[260] = {};  // the default profile
    char driverName[256] = {};
    char driverClass[5] = {};           // at most four characters
    int language = -1;  // -1 until the first code, so that it sets the caption
};

// The platform family decides where the driver keeps its settings.
enum class PlatformFamily { kOther, kWin95, kWinNt };
