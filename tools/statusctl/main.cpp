// statusctl: sets the status monitor up as a printer driver's installation
// would, and feeds it status codes as the spooler-side language monitor would.
#include <string>
#include <vector>

#include "tools/statusctl/arguments.h"
#include "tools/statusctl/commands.h"
#include "tools/statusctl/report.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const ParsedCommand parsed = ParseArguments(args);
    if (!parsed.ok) {
        PrintError(parsed.error);
        return kExitUsage;
    }
    return RunCommand(parsed.command);
}
