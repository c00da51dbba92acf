#pragma once
// Arguments of zarvok-erase: [--threads N] [--progress] [--help] [--] PATH...

#include <optional>
#include <string>
#include <vector>

namespace zarvok::tool {

struct CommandLine {
    unsigned threads = 0; // 0: the engine chooses
    bool progress = false;
    bool help = false;
    std::vector<std::string> paths;
};

struct ParseResult {
    std::optional<CommandLine> commandLine;
    std::string error; // set when commandLine is empty
};

ParseResult parseCommandLine(const std::vector<std::string>& args);

std::string usageText();

} // namespace zarvok::tool
