// statusctl: sets the status monitor up as a printer driver's installation
// would, and feeds it status codes as the spooler-side language monitor would.
#include <string>
#include <vector>

#include "tools/statusctl/commands.h"

int main(int argc, char** argv) { return RunStatusctl(std::vector<std::string>(argv + 1, argv + argc)); }
