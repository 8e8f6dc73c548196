// The names under which the driver's installation leaves the monitor its
// configuration: registry keys and values, INI files, sections and keys, and
// the printer data value of the start request. Everything that reads or
// writes them (the monitor, printwatch, statusctl, the tests, bench and
// soak) uses these.
#pragma once

// Registry, all under HKEY_LOCAL_MACHINE.

// The monitor key; its value "Monitor" names the language monitor's own key,
// whose subkey "BidiData" is the monitor data key.
constexpr const char* kMonitorKeyPath = "SOFTWARE\\Kor\\Bidi Monitor";
constexpr const char* kMonitorValue = "Monitor";
constexpr const char* kMonitorDataKeyFormat = "%s\\BidiData";  // from "Monitor"

// printwatch's own values, in the key that "Monitor" names (the parent of
// the monitor data key), both REG_SZ: the printer's address
// (ipp://host[:port][/path] or ipps://...) and the seconds between polls as
// a decimal number, 1 to 3600.
constexpr const char* kPrinterUriValue = "PrinterUri";
constexpr const char* kPollIntervalValue = "PollInterval";

// Values of the monitor data key.
constexpr const char* kCodeValue = "Code";
constexpr const char* kProfileValue = "Profile";
constexpr const char* kProfileDefaultValue = "ProfileDefault";
constexpr const char* kDriverValue = "Driver";
constexpr const char* kDriverClassValue = "DriverClass";
constexpr const char* kDisplayValue = "Display";

// NT family: the printer's driver data key and its two values.
constexpr const char* kPrintersKeyPath = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";
constexpr const char* kDriverDataKeyFormat = "%s\\%s\\PrinterDriverData";  // printers key, driver
constexpr const char* kBidiModeValueFormat = "%s=BidiMode";          // driver name
constexpr const char* kLanguageValueFormat = "DrvlibIntl=%sU.DLL";   // driver class

// Windows 95 family: the driver INI file and WIN.INI, in the Windows folder.
constexpr const char* kDriverIniFileFormat = "%s.INI";  // driver class
constexpr const char* kDriverIniSection = "Settings";
constexpr const char* kUseBidiKey = "UseBidi";
constexpr const char* kWinIniFile = "WIN.INI";
constexpr const char* kLanguageSection = "DRVLIBINTL";
constexpr const char* kLanguageKeyFormat = "%sW.DRV";  // driver class

// Status profile and default profile.
constexpr const char* kDefaultSection = "Default";
constexpr const char* kDriverLanguageSectionFormat = "%s,%03d";       // driver, language
constexpr const char* kDefaultLanguageSectionFormat = "Default,%03d";  // language
constexpr const char* kCaptionKey = "Caption";
constexpr const char* kScrollMsgKey = "ScrollMsg";
constexpr const char* kAlertKey = "Alert";

// Printer data value whose query on the first printer asks the spooler to
// start the language monitor.
constexpr const char* kStartRequestValueName = "StartBrantelLanguageMonitor";
