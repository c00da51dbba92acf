// What Stop and the survey cost, against the figures they must meet:
//   stop:   milliseconds from Stop to the erase's end, and entries removed after Stop, on a flat
//           folder (1,000,000 entries at --scale 1);
//   survey: a survey of the wide tree (200,000 entries at --scale 1) against rm -rf erasing it,
//           with a warm cache and (as root) a cold one;
//   beside: the engine erasing the wide tree alone, and with a survey of another one running
//           beside it at idle priority, as the window does with the rest of the queue;
//   memory: the peak resident size of a process that only surveys the flat folder, one that
//           surveys a 10,000-level chain, and one that surveys a folder of 1,000,000 empty
//           subfolders with a 60-level chain below some of them (at --scale 1), against the
//           20 MB a survey may take whatever the tree's shape.
// Each figure is the median of --reps runs, printed with the ratio it is judged by.
//
//   stop_survey_bench [--scale F] [--reps N] [--dir D]
//
// Point --dir at a file system of its own (a loop-mounted ext4 image with enough inodes, as for
// erase_bench): on the system's own disk the write-back of other programs swamps the figures
// (an erase beside a survey measured 0.97x there on an image and anywhere from 1.0x to 2.9x on /).

#include "TreeBuilder.h"

#include "EraseEngine.h"
#include "Survey.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace zarvok;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Empties the page cache when allowed (root); false otherwise.
bool dropCaches()
{
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    drop << "3\n";
    return bool(drop.flush());
}

struct StopFigures {
    double latencyMs;
    std::uint64_t removedAfterStop;
};

StopFigures timeStop(const std::string& root, std::size_t entries)
{
    erase::Progress progress;
    std::thread worker([&] { erase::eraseTree(root, &progress); });
    while (progress.removed.load() < entries / 10)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const std::uint64_t atStop = progress.removed.load();
    const auto stop = Clock::now();
    progress.cancel.request();
    worker.join();
    return {msSince(stop), progress.removed.load() - atStop};
}

double timeSurvey(const std::string& root)
{
    const auto start = Clock::now();
    const erase::Survey survey = erase::surveyTree(root);
    const double ms = msSince(start);
    if (survey.status != erase::Survey::Status::Done) {
        std::fprintf(stderr, "the survey did not finish\n");
        std::exit(1);
    }
    return ms;
}

double timeRm(const std::string& root)
{
    const auto start = Clock::now();
    if (std::system(("rm -rf '" + root + "'").c_str()) != 0) {
        std::fprintf(stderr, "rm -rf failed\n");
        std::exit(1);
    }
    return msSince(start);
}

double timeErase(const std::string& root)
{
    const auto start = Clock::now();
    if (!erase::eraseTree(root).ok()) {
        std::fprintf(stderr, "the engine failed\n");
        std::exit(1);
    }
    return msSince(start);
}

// The survey as the window runs it: one thread at idle processor and disk priority.
double timeEraseBesideSurvey(const std::string& erased, const std::string& surveyed)
{
    erase::SurveyProgress progress;
    std::thread survey([&] {
        erase::runThisThreadAtIdlePriority();
        while (!progress.cancel.requested())
            erase::surveyTree(surveyed, &progress);
    });
    const double ms = timeErase(erased);
    progress.cancel.request();
    survey.join();
    return ms;
}

// Peak resident megabytes of a child process that surveys root and nothing else.
// A 60-level chain below every 1,000th subfolder: the survey goes deep while the folder above
// still has most of its listing ahead.
void addChains(const std::string& root, int subfolders)
{
    for (int i = 0; i < subfolders; i += 1000) {
        std::string path = root + "/folder" + std::to_string(i);
        for (int level = 0; level < 60; ++level)
            path += "/level";
        std::system(("mkdir -p '" + path + "'").c_str());
    }
}

double surveyPeakMegabytes(const std::string& root)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(erase::surveyTree(root).status == erase::Survey::Status::Done ? 0 : 1);
    int status = 0;
    struct rusage usage {};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the survey of %s did not finish\n", root.c_str());
        std::exit(1);
    }
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char** argv)
{
    double scale = 1.0;
    int reps = 3;
    std::string dir = "/tmp";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--scale"))
            scale = std::atof(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--reps"))
            reps = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--dir"))
            dir = argv[i + 1];
    }
    const std::string base = dir + "/zarvok-stop-survey-" + std::to_string(::getpid());
    const bench::Shape flat{"flat", 0, int(1'000'000 * scale), false};
    const bench::Shape wide = bench::wideShape(scale);
    auto fresh = [&](const bench::Shape& shape, const std::string& name) {
        const std::string root = base + "/" + name;
        std::system(("mkdir -p '" + base + "'").c_str());
        return std::make_pair(root, bench::buildTree(root, shape));
    };

    std::vector<double> latencies, after;
    for (int r = 0; r < reps; ++r) {
        const auto [root, entries] = fresh(flat, "flat");
        const StopFigures figures = timeStop(root, entries);
        latencies.push_back(figures.latencyMs);
        after.push_back(double(figures.removedAfterStop));
        timeRm(root);
    }
    std::printf("stop, flat folder of %d: %.1f ms from Stop to the end (target <= 100 ms), %.0f entries removed after Stop\n",
                flat.filesEach, median(latencies), median(after));

    const bench::Shape chain{"chain", int(10'000 * scale), 1, true};
    const bench::Shape subfolders{"subfolders-with-chains", int(1'000'000 * scale), 0, false};
    for (const bench::Shape& shape : {flat, chain, subfolders}) {
        const std::string root = fresh(shape, shape.name).first;
        if (&shape == &subfolders)
            addChains(root, shape.folders);
        std::printf("memory, survey of the %s tree: %.1f MB at its peak (target <= 20 MB)\n", shape.name.c_str(),
                    surveyPeakMegabytes(root));
        timeRm(root);
    }

    for (const bool cold : {false, true}) {
        if (cold && !dropCaches()) {
            std::printf("survey, cold cache: skipped (needs root)\n");
            continue;
        }
        std::vector<double> surveys, rms;
        for (int r = 0; r < reps; ++r) {
            const std::string root = fresh(wide, "wide").first;
            if (cold)
                dropCaches();
            surveys.push_back(timeSurvey(root));
            if (cold)
                dropCaches();
            rms.push_back(timeRm(root));
        }
        std::printf("survey, %s cache, wide tree: %.0f ms against rm -rf %.0f ms: %.2fx (target <= 0.5x)\n",
                    cold ? "cold" : "warm", median(surveys), median(rms), median(surveys) / median(rms));
    }

    std::vector<double> alone, beside;
    const std::string other = fresh(wide, "surveyed").first;
    for (int r = 0; r < reps; ++r) {
        alone.push_back(timeErase(fresh(wide, "wide").first));
        beside.push_back(timeEraseBesideSurvey(fresh(wide, "wide").first, other));
    }
    std::printf("erase beside a survey, wide tree: %.0f ms against %.0f ms alone: %.2fx (target <= 1.05x)\n", median(beside),
                median(alone), median(beside) / median(alone));
    timeRm(base);
    return 0;
}
