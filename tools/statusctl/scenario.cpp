#include "tools/statusctl/scenario.h"

#include <fstream>
#include <sstream>

#include "tools/statusctl/check/strict_number.h"

namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    std::string word;
    while (stream >> word) words.push_back(word);
    return words;
}

bool AllowedInScenario(CommandKind kind) {
    switch (kind) {
    case CommandKind::Post:
    case CommandKind::Sleep:
    case CommandKind::SetLanguage:
    case CommandKind::SetBidi:
    case CommandKind::Quit:
    case CommandKind::Stop:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool ParseScenario(const std::string& text, const std::string& fileName, std::vector<Command>* commands,
                   std::string* error) {
    std::istringstream lines(text);
    std::string line;
    std::vector<Command> parsed;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        int code = 0;
        if (ParseStrictCode(words[0], &code)) words.insert(words.begin(), "post");
        const ParsedCommand command = ParseArguments(words);
        const std::string where = fileName + ":" + std::to_string(number) + ": ";
        if (!command.ok) {
            *error = where + command.error;
            return false;
        }
        if (!AllowedInScenario(command.command.kind)) {
            *error = where + words[0] + " cannot be used in a scenario";
            return false;
        }
        parsed.push_back(command.command);
    }
    *commands = parsed;
    return true;
}

bool ReadScenarioFile(const std::string& fileName, std::vector<Command>* commands, std::string* error) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        *error = "cannot open scenario file: " + fileName;
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseScenario(text.str(), fileName, commands, error);
}
