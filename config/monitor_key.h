// Finding the monitor data key through the fixed monitor key.
#pragma once

#include "state/kept_key.h"

// Size of a monitor key value and of the monitor data key path, terminator
// included.
constexpr int kMonitorPathSize = 256;

// Reads the value name of the monitor key as text into value. Returns false,
// leaving value as it was, when the key or the value is missing or the value
// does not fit kMonitorPathSize bytes as text.
// The monitor key is kept open in key between reads.
bool ReadMonitorSetting(KeptKey& key, const char* name, char (&value)[kMonitorPathSize]);

// Reads "Monitor" afresh and forms "<Monitor>\BidiData" into path. When the
// value cannot be read, or the path would not fit, path keeps what it holds:
// the last path that could be formed.
void GetMonitorDataKeyPath(KeptKey& monitorKey, char (&path)[kMonitorPathSize]);
