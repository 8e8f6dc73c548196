// Telling plain files from the names that the profile functions must not open.
#pragma once

// Whether path can name an ordinary file that the profile functions may
// open. Refused: the empty path, paths that start with two slashes or
// backslashes (network shares, and the "\\.\" and "\\?\" namespaces), and
// paths whose last part is a device name (CON, PRN, AUX, NUL, COM1 to COM9,
// LPT1 to LPT9, CONIN$, CONOUT$, CLOCK$), with or without an extension.
// Opening those can wait for a remote host or a port indefinitely, on the
// monitor's only thread.
bool IsPlainFilePath(const char* path);
