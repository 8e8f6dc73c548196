// The native builds' stand-in for the platform's CharNextA, for tests and
// fuzzing only. By default every byte is a character, as in a single-byte
// code page. The double-byte mode takes the lead bytes of code page 932
// (0x81 to 0x9F and 0xE0 to 0xFC): such a byte and the byte after it are one
// character, unless the byte after it ends the text.
#pragma once

#include "text/char_next.h"

void SetDoubleByteMode(bool on);
bool DoubleByteMode();

// True for the bytes that start a two-byte character in double-byte mode.
bool IsLeadByte932(unsigned char c);

// Switches the double-byte mode on for as long as it lives.
class ScopedDoubleByteMode {
public:
    ScopedDoubleByteMode() : previous_(DoubleByteMode()) { SetDoubleByteMode(true); }
    ~ScopedDoubleByteMode() { SetDoubleByteMode(previous_); }
    ScopedDoubleByteMode(const ScopedDoubleByteMode&) = delete;
    ScopedDoubleByteMode& operator=(const ScopedDoubleByteMode&) = delete;

private:
    bool previous_;
};
