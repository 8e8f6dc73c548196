// Registry and status profile set-up for the end-to-end tests: what the
// spooler side and the driver's installation would have left on the machine.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Deletes the monitor key, so that a monitor started now finds no data key.
void DeleteMonitorKey();

// A monitor data key under a scratch key, named by the monitor key, and the
// driver data of one printer; INI files in a directory of the test's own.
// Everything is deleted before (leftovers of a failed run) and afterwards.
class MonitorSetup {
public:
    // scratchName names the test's key under HKLM\SOFTWARE\StatusMonTest.
    MonitorSetup(const std::string& scratchName, const std::string& driverName);
    ~MonitorSetup();
    MonitorSetup(const MonitorSetup&) = delete;
    MonitorSetup& operator=(const MonitorSetup&) = delete;

    // A text value of the monitor data key ("Code", "Profile", "Display"...).
    void SetData(const char* name, const std::string& value) const;
    // A text value of the printer's driver data key.
    void SetDriverData(const std::string& name, const std::string& value) const;
    // "<driver>=BidiMode" and "DrvlibIntl=<class>U.DLL" of the driver data.
    void SetBidiMode(const std::string& value) const;
    void SetLanguage(const std::string& value) const;

    // Writes (or rewrites) an INI file in the test's directory; its full path.
    std::string WriteIni(const std::string& fileName, const std::string& content);
    // Writes the status profile and the default profile and names them in
    // the monitor data key.
    void UseProfiles(const std::string& profile, const std::string& defaultProfile);

    const std::string& DriverName() const { return driverName_; }
    const std::string& DriverClass() const { return driverClass_; }

private:
    void DeleteAll() const;

    std::string scratchPath_;  // HKLM path of the key that holds "BidiData"
    std::string driverName_;
    std::string driverClass_ = "HALL";
    std::string directory_;  // with a trailing backslash
};

}  // namespace e2e
