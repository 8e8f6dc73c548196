#include "config/nt_language.h"

#include "text/text.h"

int ParseNtLanguage(const char* value) {
    const char* p = value;
    while (*p == ',') ++p;
    if (*p == '\0') return 1;
    while (*p != '\0' && *p != ',') ++p;  // the first token, not used
    if (*p == '\0') return 1;
    ++p;
    while (*p == ',' || *p == ':') ++p;
    if (*p == '\0') return 1;
    // The decimal conversion stops at the ',' or ':' that ends the token.
    return ParseDecimal(p);
}
