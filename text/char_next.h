// The platform's multibyte stepping function, which the text code needs.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
// Native (non-Windows) builds of the text code link a stand-in for it.
char* CharNextA(const char* p);
#endif
