#include "app/command_line.h"

const char* CommandLineArguments(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ') ++p;
    }
    while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
    return p;
}

bool IsStartRequest(const char* arguments) {
    return arguments[0] == '/' && (arguments[1] == 'S' || arguments[1] == 's') &&
           arguments[2] == '\0';
}
