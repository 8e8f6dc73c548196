// The native builds' stand-in for the platform's CharNextA, for tests and
// fuzzing only: code page 932, where a lead byte (0x81 to 0x9F, 0xE0 to 0xFC)
// and the byte after it are one character, unless the byte after it ends the
// text. The fuzz target clears g_doubleByteMode to step byte by byte, as in a
// single-byte code page. As the platform's, it never steps over the terminator.
#include "text/char_next.h"

bool g_doubleByteMode = true;

char* CharNextA(const char* p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return const_cast<char*>(*p == '\0' ? p : p + (g_doubleByteMode && lead && p[1] != '\0' ? 2 : 1));
}
