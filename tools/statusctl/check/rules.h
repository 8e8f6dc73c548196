// The rules by which "check" judges keys and status entries: what the
// monitor's own readers make of a text, and where that differs from what the
// profile's author most likely meant.
#pragma once

#include <string>
#include <vector>

// True when key is exactly what "%05d" makes of some 32-bit code ("00012",
// "123456", "-0007"): the only keys the monitor ever asks for. On true, code
// holds the number.
bool IsCodeKey(const std::string& key, int* code);

// Why the monitor can never look key up in a section of codes, or empty when
// it can. what names the codes: "status code" or "message code".
std::string KeyNeverLookedUp(const std::string& key, const std::string& what);

// A language section's suffix ("001" of "Default,001") as the monitor writes
// it with "%03d"; false for any other form ("1", " 001").
bool IsLanguageSuffix(const std::string& suffix, int* language);

// "%03d" of a language number.
std::string LanguageSuffix(int language);

// Everything in a status entry, as the monitor reads it (already cut to 255
// characters), that reads differently from how it looks: one plain sentence
// per problem, none for a sound entry.
std::vector<std::string> EntryProblems(const std::string& value);
