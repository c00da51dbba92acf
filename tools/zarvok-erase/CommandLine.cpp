#include "CommandLine.h"

#include <charconv>

namespace zarvok::tool {

namespace {

constexpr unsigned kMaxThreads = 256;

std::optional<unsigned> parseThreads(const std::string& text)
{
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value == 0 || value > kMaxThreads)
        return std::nullopt;
    return value;
}

ParseResult error(std::string message)
{
    return ParseResult{std::nullopt, std::move(message)};
}

} // namespace

ParseResult parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            line.paths.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--progress") {
            line.progress = true;
        } else if (arg == "--threads" || arg.starts_with("--threads=")) {
            std::string value;
            if (arg == "--threads") {
                if (i + 1 == args.size())
                    return error("--threads needs a number");
                value = args[++i];
            } else {
                value = arg.substr(std::string("--threads=").size());
            }
            const std::optional<unsigned> threads = parseThreads(value);
            if (!threads)
                return error("--threads takes a whole number from 1 to " + std::to_string(kMaxThreads) + ", not '" + value + "'");
            line.threads = *threads;
        } else {
            return error("unknown option '" + arg + "'");
        }
    }
    if (!line.help && line.paths.empty())
        return error("no folder given");
    return ParseResult{std::move(line), {}};
}

std::string usageText()
{
    return "Usage: zarvok-erase [--threads N] [--progress] PATH...\n"
           "Erase each folder tree, with everything below it, read-only entries included.\n"
           "\n"
           "  --threads N   erase with N workers (1-256); by default the engine chooses\n"
           "  --progress    show a live count of removed entries on standard error\n"
           "  --help        show this help and exit\n"
           "  --            end of options: what follows are paths\n"
           "\n"
           "A relative PATH is taken from the current folder. Symbolic links are never followed:\n"
           "a PATH that is a link is not a folder, and links inside a tree are removed as links.\n"
           "Mount points inside a tree are left in place. The file-system root and the home\n"
           "folder itself are refused.\n"
           "\n"
           "Prints nothing when every folder is erased. Otherwise, on standard error:\n"
           "  zarvok-erase: PATH: no folder at this path\n"
           "  zarvok-erase: PATH: could not be fully erased: REASON (at ENTRY)\n"
           "\n"
           "Exit status: 0 when every PATH was erased, 1 otherwise.\n";
}

} // namespace zarvok::tool
