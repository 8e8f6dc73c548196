// Reading texts from the driver's status profile and default profile.
#pragma once

#include <windows.h>

#include <cstddef>

// Size, terminator included, of every buffer that profile texts are read into.
constexpr std::size_t kProfileTextSize = 256;

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
