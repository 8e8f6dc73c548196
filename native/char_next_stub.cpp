#include "char_next_stub.h"

namespace {

bool g_doubleByte = false;

}  // namespace

void SetDoubleByteMode(bool on) { g_doubleByte = on; }

bool DoubleByteMode() { return g_doubleByte; }

bool IsLeadByte932(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// As the platform does it: the terminator is never stepped over, and a lead
// byte just before the terminator is a character of its own.
char* CharNextA(const char* p) {
    char* const q = const_cast<char*>(p);
    if (*p == '\0') return q;
    if (g_doubleByte && IsLeadByte932(static_cast<unsigned char>(p[0])) && p[1] != '\0') return q + 2;
    return q + 1;
}
