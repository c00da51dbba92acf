// Times the erase engine against rm -rf, std::filesystem::remove_all and
// QDir::removeRecursively on a wide, a flat, a deep tree and a folder of subfolders, all in one
// run, with the processor time and peak memory of each; counts the engine's system calls per
// removed entry with strace, and measures what the mount-ID check costs per directory.
//
//   erase_bench [--scale F] [--reps N] [--dir D] [--threads 1,2,4] [--shapes wide,flat,deep,subfolders]
//               [--brief 1] [--compare PATH]
//
// --brief 1 times only rm -rf, the engine and zarvok-erase, without the system-call counts and
// the mount-ID cost: what fs-bench runs on every file system. --compare PATH times another
// build of zarvok-erase (an older commit's, say) beside this one, in the same run.
//
// For steady figures point --dir at a file system of its own (a loop-mounted ext4 image made
// with enough inodes, e.g. mkfs.ext4 -N 600000 on 4 GB), so that the write-back of other
// programs does not land in the timings.

#include "Contenders.h"
#include "MountIdCost.h"
#include "TreeBuilder.h"

#include "EraseEngine.h"

#include <QCoreApplication>

#include <fcntl.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace zarvok::bench;

struct Settings {
    double scale = 1.0;
    int reps = 5;
    std::string dir = "/tmp";
    std::vector<unsigned> threads = {1, 2, 4, 8, 0};
    std::vector<std::string> shapes = {"wide", "flat", "deep", "subfolders"};
    bool brief = false;
    std::string compare; // another zarvok-erase, timed beside this build's
};

std::vector<std::string> split(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        parts.push_back(part);
    return parts;
}

constexpr char kUsage[] =
    "usage: erase_bench [--scale F] [--reps N] [--dir D] [--threads 1,2,4] [--shapes wide,flat,deep,subfolders]\n"
    "                   [--brief 1] [--compare OTHER-ZARVOK-ERASE]\n"
    "  shapes: wide, flat, deep, subfolders, chainwide (deep and wide), share (small, for network shares)\n"
    "  --threads 0 stands for the engine's default number of workers\n";

[[noreturn]] void refuse(const std::string& what)
{
    std::fprintf(stderr, "erase_bench: %s\n%s", what.c_str(), kUsage);
    std::exit(2);
}

void setOption(Settings& s, const std::string& key, const std::string& value)
{
    if (key == "--scale")
        s.scale = std::stod(value);
    else if (key == "--reps")
        s.reps = std::max(1, std::stoi(value));
    else if (key == "--dir")
        s.dir = value;
    else if (key == "--brief")
        s.brief = std::stoi(value) != 0;
    else if (key == "--compare")
        s.compare = value;
    else if (key == "--shapes") {
        s.shapes = split(value);
        for (const std::string& name : s.shapes)
            if (!shapeNamed(name, 1.0))
                refuse("unknown shape " + name);
    } else if (key == "--threads") {
        s.threads.clear();
        for (const std::string& t : split(value))
            s.threads.push_back(static_cast<unsigned>(std::stoul(t)));
    } else {
        refuse("unknown option " + key);
    }
}

// Exits with the usage on anything it does not know, rather than running the whole benchmark.
Settings parse(int argc, char** argv)
{
    Settings s;
    for (int i = 1; i < argc; i += 2) {
        const std::string key = argv[i];
        if (i + 1 >= argc || key == "--help" || !key.starts_with("--")) {
            std::fputs(kUsage, key == "--help" ? stdout : stderr);
            std::exit(key == "--help" ? 0 : 2);
        }
        try {
            setOption(s, key, argv[i + 1]);
        } catch (const std::logic_error&) { // what std::stod and its kin throw on a bad number
            refuse("not a number for " + key + ": " + argv[i + 1]);
        }
    }
    return s;
}

std::string fileSystemOf(const std::string& dir)
{
    struct statfs info{};
    if (::statfs(dir.c_str(), &info) != 0)
        return "unknown";
    switch (info.f_type) {
    case 0xEF53: return "ext4 (or ext2/3)";
    case 0x01021994: return "tmpfs";
    case 0x9123683E: return "btrfs";
    case 0x58465342: return "xfs";
    case 0x794c7630: return "overlayfs";
    default: {
        char hex[32];
        std::snprintf(hex, sizeof hex, "0x%lx", static_cast<unsigned long>(info.f_type));
        return hex;
    }
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Result {
    std::vector<double> seconds;
    std::vector<double> cpuSeconds;
    int failures = 0;
    long peakKiB = 0;
};

// Flushes only the benchmark's own file system, not the whole machine's.
void flush(const std::string& dir)
{
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

bool isEngine(const Contender& contender)
{
    return contender.name.starts_with("engine") || contender.name.starts_with("zarvok-erase");
}

void removeLeftovers(const std::string& path)
{
    if (access(path.c_str(), F_OK) == 0)
        runProgram({"rm", "-rf", path});
}

void printRow(const std::string& name, const Result& r, double rmMedian, double rmCpu)
{
    const double m = median(r.seconds);
    const double cpu = median(r.cpuSeconds);
    const auto [lo, hi] = std::minmax_element(r.seconds.begin(), r.seconds.end());
    std::printf("  %-30s %9.1f ms  (%.1f-%.1f)  ratio %5.2fx  cpu %8.1f ms (%4.2fx rm)", name.c_str(), m * 1e3, *lo * 1e3,
                *hi * 1e3, rmMedian > 0 ? rmMedian / m : 0.0, cpu * 1e3, rmCpu > 0 ? cpu / rmCpu : 0.0);
    if (r.peakKiB)
        std::printf("  peak RSS %ld KiB", r.peakKiB); // of the process, libraries included
}

// Returns false when the engine (in process or as zarvok-erase) failed to erase the tree.
bool timeShape(const Settings& settings, const Shape& shape, const std::vector<Contender>& list)
{
    bool engineFine = true;
    std::map<std::string, Result> results;
    std::size_t entries = 0;
    for (int rep = 0; rep < settings.reps; ++rep) {
        for (std::size_t k = 0; k < list.size(); ++k) {
            const Contender& contender = list[(k + static_cast<std::size_t>(rep)) % list.size()]; // rotate the order
            const std::string path = settings.dir + "/zarvok-bench-" + shape.name + "-" + std::to_string(::getpid());
            removeLeftovers(path);
            entries = buildTree(path, shape);
            flush(settings.dir); // time the deletion, not the write-back of the tree just made
            Usage usage;
            const auto start = std::chrono::steady_clock::now();
            const bool reportedOk = contender.erase(path, usage);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            Result& r = results[contender.name];
            const bool gone = access(path.c_str(), F_OK) != 0;
            if (!reportedOk || !gone) {
                ++r.failures;
                removeLeftovers(path);
            } else {
                r.seconds.push_back(took.count());
                r.cpuSeconds.push_back(usage.cpuSeconds);
            }
            r.peakKiB = std::max(r.peakKiB, usage.peakKiB);
            flush(settings.dir);
        }
    }

    std::printf("\n%s tree: %zu entries, %d runs each (median, min-max; ratio = rm -rf median / this median;\n"
                "  cpu = user + system time, all threads, and its ratio to rm -rf's)\n",
                shape.name.c_str(), entries, settings.reps);
    const Result& rm = results["rm -rf"];
    const double rmMedian = rm.seconds.empty() ? 0 : median(rm.seconds);
    const double rmCpu = rm.cpuSeconds.empty() ? 0 : median(rm.cpuSeconds);
    for (const Contender& contender : list) {
        const Result& r = results[contender.name];
        if (r.seconds.empty()) {
            std::printf("  %-30s failed in every run\n", contender.name.c_str());
            engineFine = engineFine && !isEngine(contender);
            continue;
        }
        printRow(contender.name, r, rmMedian, rmCpu);
        if (r.failures)
            std::printf("  [failed %d of %d runs]", r.failures, settings.reps);
        if (r.failures && isEngine(contender))
            engineFine = false;
        std::printf("\n");
    }
    return engineFine;
}

// System calls of one process run, from strace -c -f's total line; -1 when not available.
long countSyscalls(const std::vector<std::string>& command, const std::string& scratch)
{
    const std::string report = scratch + "/strace.txt";
    std::vector<std::string> traced = {"strace", "-c", "-f", "-o", report};
    traced.insert(traced.end(), command.begin(), command.end());
    if (runProgram(traced, nullptr, scratch + "/strace.err") < 0)
        return -1;
    std::ifstream in(report);
    long calls = -1;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), {}};
        if (w.size() >= 5 && w.back() == "total")
            calls = std::stol(w[3]);
    }
    return calls;
}

// Calls per removed entry, with the program's own start-up calls (measured on a path that does
// not exist) taken off.
void syscallsPerEntry(const Settings& settings, const std::string& label, const std::vector<std::string>& command, const Shape& shape)
{
    const std::string path = settings.dir + "/zarvok-bench-strace-" + std::to_string(::getpid());
    removeLeftovers(path);
    std::vector<std::string> idle = command;
    idle.push_back(path + "-missing");
    const long baseline = countSyscalls(idle, settings.dir);
    const std::size_t entries = buildTree(path, shape);
    std::vector<std::string> full = command;
    full.push_back(path);
    const long calls = countSyscalls(full, settings.dir);
    removeLeftovers(path);
    std::remove((settings.dir + "/strace.txt").c_str());
    std::remove((settings.dir + "/strace.err").c_str());
    if (calls < 0 || baseline < 0) {
        std::printf("  %-34s strace not available\n", label.c_str());
        return;
    }
    std::printf("  %-34s %6ld calls, start-up %4ld, %.3f per removed entry (%zu entries)\n", label.c_str(), calls, baseline,
                static_cast<double>(calls - baseline) / static_cast<double>(entries), entries);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const Settings settings = parse(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each shape's table as soon as it is done, also into a file
    std::printf("erase benchmark: %u cores, %s at %s, scale %.3f\n", std::thread::hardware_concurrency(),
                fileSystemOf(settings.dir).c_str(), settings.dir.c_str(), settings.scale);
    std::printf("(timings of one run share the machine alike; compare ratios within the run)\n");

    const std::string tool = ZARVOK_ERASE_PROGRAM;
    const std::vector<Contender> list = contenders(settings.threads, tool, settings.brief, settings.compare);
    bool engineFine = true;
    for (const std::string& name : settings.shapes)
        engineFine = timeShape(settings, *shapeNamed(name, settings.scale), list) && engineFine;
    if (settings.brief)
        return engineFine ? 0 : 1;

    // Small enough for strace in full runs, tiny in smoke runs.
    const bool smoke = settings.scale < 0.05;
    const Shape smallWide{"wide", smoke ? 4 : 20, smoke ? 10 : 100, false};
    const Shape smallDeep{"deep", smoke ? 20 : 200, 2, true};
    std::printf("\nsystem calls (strace -c -f), small trees:\n");
    syscallsPerEntry(settings, "zarvok-erase, wide", {tool}, smallWide);
    syscallsPerEntry(settings, "zarvok-erase --threads 1, wide", {tool, "--threads", "1"}, smallWide);
    syscallsPerEntry(settings, "rm -rf, wide", {"rm", "-rf"}, smallWide);
    syscallsPerEntry(settings, "zarvok-erase, deep", {tool}, smallDeep);
    syscallsPerEntry(settings, "rm -rf, deep", {"rm", "-rf"}, smallDeep);

    const MountIdCost cost = measureMountIdCost(settings.dir, smoke ? 200 : 20000);
    std::printf("\nstaying on the mount, per directory (%zu folders, mean of 3 interleaved passes):\n"
                "  openat2 + close %.0f ns; openat + close %.0f ns; openat + mount-ID check + close %.0f ns\n"
                "  mount-ID check alone: %.0f ns; fallback against openat2: %+.0f ns\n",
                cost.folders, cost.openat2Ns, cost.openatNs, cost.openatCheckedNs, cost.openatCheckedNs - cost.openatNs,
                cost.openatCheckedNs - cost.openat2Ns);
    return engineFine ? 0 : 1;
}
