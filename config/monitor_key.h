// Finding the monitor data key through the fixed monitor key.
#pragma once

// HKEY_LOCAL_MACHINE key whose value "Monitor" names the language monitor's key.
constexpr const char* kMonitorKeyPath = "SOFTWARE\\Kor\\Bidi Monitor";

// Reads a value of the monitor key into a process-wide 256-byte buffer and
// returns the buffer. Any failure, including a value that does not fit the
// buffer, leaves what the last successful read put there.
const char* ReadMonitorSetting(const char* name);

// The "Monitor" value followed by "\BidiData", in a process-wide buffer of 256
// bytes. A "Monitor" value too long to form the path keeps the path of the
// last value that fitted ("\BidiData" before any did).
const char* GetMonitorDataKeyPath();
