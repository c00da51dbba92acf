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

// The value of `--name VALUE` or `--name=VALUE` at args[i] (moving i past it); nothing when
// args[i] is another option. A missing VALUE reads as empty.
std::optional<std::string> valueOf(const std::string& name, const std::vector<std::string>& args, std::size_t& i)
{
    const std::string& arg = args[i];
    if (arg.starts_with(name + "="))
        return arg.substr(name.size() + 1);
    if (arg != name)
        return std::nullopt;
    return i + 1 < args.size() ? args[++i] : std::string();
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
        } else if (arg == "--admin") {
            line.admin = true;
        } else if (arg == "--progress") {
            line.progress = true;
        } else if (std::optional<std::string> value = valueOf("--threads", args, i)) {
            if (value->empty())
                return error("--threads needs a number");
            const std::optional<unsigned> threads = parseThreads(*value);
            if (!threads)
                return error("--threads takes a whole number from 1 to " + std::to_string(kMaxThreads) + ", not '" + *value + "'");
            line.threads = *threads;
        } else if (std::optional<std::string> format = valueOf("--report", args, i)) {
            if (*format != "json")
                return error("--report takes json, not '" + *format + "'");
            line.jsonReport = true;
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
    return "Usage: zarvok-erase [--admin] [--threads N] [--progress] [--report=json] PATH...\n"
           "Erase each folder tree, with everything below it, read-only entries included.\n"
           "\n"
           "  --admin       erase as administrator, for folders whose entries you may not\n"
           "                remove: asks polkit (pkexec) for administrator rights first.\n"
           "                Each PATH must be absolute. Refused as administrator besides:\n"
           "                /, a top-level folder, anything in /usr, /etc, /boot, /proc,\n"
           "                /sys, /dev or /run, any user's home folder and every folder\n"
           "                that holds one\n"
           "  --threads N   erase with N workers (1-256); by default the engine chooses, and\n"
           "                adds workers while it runs when the file system waits on round\n"
           "                trips (network shares, FUSE)\n"
           "  --progress    show a live count of removed entries on standard error, and a\n"
           "                summary line (\"272,450 entries removed in 3.4 s\") at the end\n"
           "  --report=json also write one JSON object a line on standard output for each\n"
           "                PATH, for programs to read (see zarvok-erase(1))\n"
           "  --help        show this help and exit\n"
           "  --            end of options: what follows are paths\n"
           "\n"
           "A relative PATH is taken from the current folder, also when that folder was deleted\n"
           "or lies deeper than PATH_MAX. Symbolic links are never followed: a PATH that is a\n"
           "link is not a folder, and links inside a tree are removed as links. Mount points\n"
           "inside a tree are left in place; btrfs subvolumes are erased like folders. The\n"
           "file-system root, the home folder and every folder that holds it, mount points,\n"
           "paths longer than the system accepts and paths ending in . or .. are refused. A\n"
           "folder moved out of a tree while it is erased is left alone from then on.\n"
           "\n"
           "Prints nothing when every folder is erased. Otherwise, on standard error, one line\n"
           "per PATH, with control characters, bidirectional marks and bytes that are not\n"
           "UTF-8 escaped in names (\\n, \\x1b, \\u009b, \\u202e, \\xff, \\\\):\n"
           "  zarvok-erase: empty path\n"
           "  zarvok-erase: PATH: no folder at this path\n"
           "  zarvok-erase: PATH: is a file, not a folder\n"
           "  zarvok-erase: PATH: is a symbolic link, not a folder\n"
           "  zarvok-erase: PATH: refused: REASON; nothing was erased\n"
           "  zarvok-erase: PATH: could not be fully erased: REASON (at ENTRY)\n"
           "  zarvok-erase: PATH: stopped before it was fully erased: N entries were removed\n"
           "  zarvok-erase: PATH: stopped before it was begun; nothing was erased\n"
           "\n"
           "  zarvok-erase: administrator rights were not granted: REASON; nothing was erased\n"
           "\n"
           "SIGINT, SIGTERM and SIGHUP stop the erase under way (with --admin, the\n"
           "administrator's erase too); a second signal ends it at once.\n"
           "\n"
           "Exit status: 0 when every PATH was erased, 1 when one was not, 2 for a usage error,\n"
           "3 when --admin was not granted administrator rights (nothing was erased), 4 when\n"
           "it was stopped.\n";
}

std::vector<std::string> argumentsOf(const CommandLine& line)
{
    std::vector<std::string> args{"--admin"};
    if (line.threads != 0)
        args.push_back("--threads=" + std::to_string(line.threads));
    if (line.progress)
        args.push_back("--progress");
    if (line.jsonReport)
        args.push_back("--report=json");
    args.push_back("--");
    args.insert(args.end(), line.paths.begin(), line.paths.end());
    return args;
}

} // namespace zarvok::tool
