// What a printer driver's installation writes for the status monitor, and
// the driver's two settings that the monitor follows, on both families:
// - HKLM "SOFTWARE\Kor\Bidi Monitor", value "Monitor": our own key, whose
//   subkey "BidiData" holds Code, Profile, ProfileDefault, Driver,
//   DriverClass and Display;
// - NT family: the printer's PrinterDriverData values "<driver>=BidiMode"
//   and "DrvlibIntl=<class>U.DLL";
// - 95 family: "<class>.INI" [Settings] UseBidi, and WIN.INI [DRVLIBINTL]
//   "<class>W.DRV";
// - when asked for, "Alert" in [<driver>] of the status profile itself.
// For a network printer that printwatch watches (install --ipp) the same,
// with the network printer's own key, which also holds printwatch's address
// and interval; on the NT family nothing under the spooler's "Printers" key
// unless a language other than 1 is asked for (without that key the monitor
// takes the switch as on and the language as 1).
#pragma once

#include <string>

#include "tools/statusctl/arguments.h"

// The key that "Monitor" names, for the sample driver and for the network
// printer; the install's log is kept in it.
extern const std::string kOwnKeyPath;
extern const std::string kNetworkKeyPath;

// The network printer's driver name (its sections in the profiles) and class.
extern const char kNetworkDriver[];
extern const char kNetworkDriverClass[];

// Fills in what install --ipp writes beside printwatch's address: the
// network printer's driver, class and first code, its profiles in folder,
// and the address as the text of the monitor's test mode.
void SetNetworkPrinter(InstallOptions* options, const std::string& folder);

// Removes an earlier install by statusctl first. The profile paths must name
// existing files; they are stored as full paths.
bool InstallDriver(const InstallOptions& options, std::string* error);
// Undoes the last install. notes receives what was deliberately left.
bool UninstallDriver(std::string* error, std::string* notes);
bool IsDriverInstalled();

// Change the installed driver's settings in both families' places.
bool SetDriverLanguage(int language, std::string* error);
bool SetDriverBidi(int bidi, std::string* error);
