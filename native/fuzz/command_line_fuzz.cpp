// CommandLineArguments and IsStartRequest on any command line: the arguments
// are a tail of the command line itself, found as a reference reader finds
// them, and nothing past the terminator is read.
#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "fuzz_support.h"

namespace {

inline bool Blank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Past the program's name (quoted up to the closing quote, else up to the
// first blank or control character), then past the blanks after it.
std::size_t ReferenceArguments(const std::string& line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t quote = line.find('"', 1);
        i = quote == std::string::npos ? line.size() : quote + 1;
    } else {
        while (i < line.size() && !Blank(line[i])) ++i;
    }
    while (i < line.size() && Blank(line[i])) ++i;
    return i;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::string line = input.RestAsText();
    fuzz::HeapText heap(line);
    const char* arguments = CommandLineArguments(heap.get());
    FUZZ_CHECK(arguments >= heap.get() && arguments <= heap.get() + heap.length());
    FUZZ_CHECK(static_cast<std::size_t>(arguments - heap.get()) == ReferenceArguments(line));
    FUZZ_CHECK(arguments[0] == '\0' || !Blank(arguments[0]));

    const std::string rest(arguments);
    const bool start = rest == "/S" || rest == "/s";
    FUZZ_CHECK(IsStartRequest(arguments) == start);
    // Any text on its own, exactly terminated, for the short ones.
    FUZZ_CHECK(IsStartRequest(fuzz::HeapText(line).get()) == (line == "/S" || line == "/s"));
    return 0;
}
