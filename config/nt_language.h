// Reading the language number out of the NT family's language value. Pure
// text handling: it also builds natively for the sanitizer and fuzzing runs.
#pragma once

// The language number in an NT family language value: a first token, a
// comma, then the number, which may be followed by ':' or ',' and more text.
// Runs of delimiters count as one; 1 when there is no second token.
int ParseNtLanguage(const char* value);
