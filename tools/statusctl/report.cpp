#include "tools/statusctl/report.h"

#include <cstdio>

void PrintError(const std::string& text) { std::fprintf(stderr, "statusctl: %s\n", text.c_str()); }
