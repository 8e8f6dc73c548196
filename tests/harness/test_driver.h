// A printer driver's configuration as its installation leaves it, for one
// test (or benchmark, or soak run): the monitor key naming a data key of its
// own, that key's values, the printer's driver data, the status profiles and,
// for the 95 family, the driver INI file and WIN.INI entry. Every write is
// recorded and undone when the object goes, so the machine is left as found.
#pragma once

#include <windows.h>

#include <string>

#include "tools/machine/system_changes.h"

namespace harness {

class TestDriver {
public:
    // name: the driver (printer) name; scratch: the data key's name under
    // HKLM\SOFTWARE\StatusMonTest. Names the data key in the monitor key.
    TestDriver(const std::string& name, const std::string& scratch, const std::string& driverClass = "HALL");
    ~TestDriver();
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

    // A value of the monitor data key ("Profile", "Code"...), as text or as
    // raw bytes of any type.
    void SetData(const char* name, const std::string& text);
    void SetRawData(const char* name, DWORD type, const std::string& bytes);
    // NT family: "<driver>=BidiMode" and "DrvlibIntl=<class>U.DLL".
    void SetBidiMode(const std::string& text);
    void SetLanguage(const std::string& text);
    // 95 family: [Settings] UseBidi of "<class>.INI", WIN.INI's "<class>W.DRV".
    void SetUseBidi(const std::string& text);
    void SetWinIniLanguage(const std::string& text);
    // Writes the status profile and the default profile into the test's
    // folder and names them in the data key.
    void SetProfiles(const std::string& profile, const std::string& defaultProfile = "");
    // Writes a file into the test's folder; its full path.
    std::string WriteFile(const std::string& name, const std::string& content);
    // Another value of the monitor key's "Monitor".
    void SetMonitor(const std::string& path);
    // As an installation may leave the monitor key: users may query its
    // values and nothing else (but change this again, so that it is undone).
    void LimitMonitorKeyToQueryValue();

    const std::string& DataKeyPath() const { return dataKey_; }
    // Empty while every write succeeded; else what failed.
    const std::string& Errors() const { return errors_; }

private:
    void Check(bool written);

    std::string name_;
    std::string driverClass_;
    std::string dataKey_;
    std::string folder_;  // with a trailing backslash
    SystemChanges changes_;
    std::string monitorKeySecurity_;  // its permissions before the limit, if limited
    std::string error_;   // of the last write
    std::string errors_;
};

// Makes Wine report the Windows 95 family to statusmon.exe while it lives
// (Wine's own per-program version setting).
class Windows95Family {
public:
    Windows95Family();
    ~Windows95Family();
    Windows95Family(const Windows95Family&) = delete;
    Windows95Family& operator=(const Windows95Family&) = delete;
};

}  // namespace harness
