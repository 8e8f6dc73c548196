// Reading texts from the driver's status profile and default profile.
#pragma once

#include <windows.h>

#include <cstddef>

// Size, terminator included, of every buffer that profile texts are read into.
constexpr std::size_t kProfileTextSize = 256;

// Whether path can name an ordinary file that the profile functions may
// open. Refused: paths that start with two slashes or backslashes (network
// shares, and the "\\.\" and "\\?\" namespaces), and paths whose last
// part is a device name (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9,
// CONIN$, CONOUT$, CLOCK$), with or without an extension. Opening those can
// wait for a remote host or a port indefinitely, on the monitor's only thread.
bool IsPlainFilePath(const char* path);

// Looks key up along a fixed chain and stops at the first non-empty value.
// Plain mode (status entries): the driver section, then "Default", of the
// status profile; then "Default" of the default profile. Localized mode
// (message texts, captions): "<driver>,<language %03d>", then
// "Default,<language %03d>", both of the status profile only. Files, driver
// name and language come from the monitor state as they are now.
// Returns true with the value in out, cut to size - 1 characters; otherwise
// false with out empty.
bool LookupProfileString(const char* key, char* out, std::size_t size, bool localized);

// Sets the window's caption to key's text in localized mode, or to
// "\"<key>\" not found!".
void SetCaptionFromProfile(HWND window, const char* key);
