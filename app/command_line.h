// Reading the monitor's command line.
#pragma once

// The arguments in a whole command line: the text after the program's name
// (up to its closing double quote when it starts with one, else up to the
// first blank), with the blanks and control characters after it skipped.
const char* CommandLineArguments(const char* commandLine);

// True when the arguments are exactly "/S", in either letter case.
bool IsStartRequest(const char* arguments);
