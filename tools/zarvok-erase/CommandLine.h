#pragma once
// Arguments of zarvok-erase: [--admin] [--threads N] [--progress] [--report=json] [--help] [--] PATH...

#include <optional>
#include <string>
#include <vector>

namespace zarvok::tool {

struct CommandLine {
    unsigned threads = 0; // 0: the engine chooses
    bool progress = false;
    bool help = false;
    bool admin = false; // as administrator: through pkexec, under the administrator's rules
    bool jsonReport = false; // a JSON record a line on standard output for each path
    std::vector<std::string> paths;
};

struct ParseResult {
    std::optional<CommandLine> commandLine;
    std::string error; // set when commandLine is empty
};

ParseResult parseCommandLine(const std::vector<std::string>& args);

std::string usageText();

// The arguments that run the same erase again (as root, through pkexec): --admin, the options
// given, "--" and the paths.
std::vector<std::string> argumentsOf(const CommandLine& line);

} // namespace zarvok::tool
