#pragma once
// Everything the benchmark times at deleting a tree.

#include <functional>
#include <string>
#include <vector>

namespace zarvok::bench {

// What one deletion cost besides time.
struct Usage {
    long peakKiB = 0;         // peak resident memory of a separate process; 0 in process
    double cpuSeconds = 0;    // user + system time, all threads
};

struct Contender {
    std::string name;
    // Deletes the tree; returns false when it reports a failure.
    std::function<bool(const std::string& path, Usage& usage)> erase;
};

// Runs a program and waits; returns its exit status (-1 when it could not run).
int runProgram(const std::vector<std::string>& argv, Usage* usage = nullptr, const std::string& outputFile = {});

// `brief`: rm -rf, the engine and the tool only; `otherTool`, when given, is timed as well.
std::vector<Contender> contenders(const std::vector<unsigned>& engineThreads, const std::string& toolProgram, bool brief = false,
                                  const std::string& otherTool = {});

} // namespace zarvok::bench
