// Reading texts from the driver's status profile and default profile.
#pragma once

#include <cstddef>

#include "state/profile_set.h"

// Size, terminator included, of every buffer that profile texts are read into.
constexpr std::size_t kProfileTextSize = 256;

// Looks key up along a fixed chain and stops at the first non-empty value.
// Plain mode (status entries): the driver section, then "Default", of the
// status profile; then "Default" of the default profile. Localized mode
// (message texts, captions): "<driver>,<language %03d>", then
// "Default,<language %03d>", both of the status profile only.
// Returns true with the value in out, cut to size - 1 characters; otherwise
// false with out empty.
bool LookupProfileString(const ProfileSet& profile, const char* key, char* out, std::size_t size,
                         bool localized);

// The dialog's caption in the profile set's language: key's text in localized
// mode, or "\"<key>\" not found!".
void LookupCaption(const ProfileSet& profile, const char* key, char (&caption)[kProfileTextSize]);

// The status profile's "ScrollMsg" of the driver section: non-zero for scroll
// mode; 0 when it is missing.
int ReadScrollMode(const ProfileSet& profile);

// The status profile's "Alert" of the driver section, read as "ScrollMsg" is:
// which severities the shell's balloon announces (see status/alert.h); 0 when
// it is missing.
int ReadAlertSetting(const ProfileSet& profile);
