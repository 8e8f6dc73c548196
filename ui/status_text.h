// Writing into the dialog's status area.
#pragma once

#include <windows.h>

// In append mode the status area keeps at most this many characters of older
// lines; the oldest whole lines give way to new ones. A multi-line edit
// control of the 95 family holds at most 65,535 bytes, whatever EM_LIMITTEXT
// asks for, and counts in bytes: the limit with the newest line added (a
// diagnostic line at most 511 characters and its line end) stays below that.
constexpr int kStatusHistoryLimit = 60000;
// Once beyond the limit, the area drops its oldest lines down to this many
// characters: the copy of the whole text and its new layout that dropping
// takes then come once in many lines, not with every line.
constexpr int kStatusHistoryKept = kStatusHistoryLimit / 4 * 3;

// With append set, adds text and a line end after the last character and
// scrolls the end into view; once the area holds more than
// kStatusHistoryLimit characters, the oldest whole lines are dropped down to
// kStatusHistoryKept, never the newest text. Otherwise replaces the whole
// text (unless the area shows that text already).
void ShowStatusText(HWND control, const char* text, bool append);
