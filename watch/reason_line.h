// The one line printwatch writes when it cannot run: it has no window a user
// sees, so the line goes where whoever started it can read it.
#pragma once

#include <string>

// "printwatch: <text>" on the standard error handle the program was given
// (a pipe or a file, or the terminal under Wine), or else on the console of
// the process that started it, if that has one; nowhere otherwise.
void WriteReasonLine(const std::string& text);
