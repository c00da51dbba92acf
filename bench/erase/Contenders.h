#pragma once
// Everything the benchmark times at deleting a tree.

#include <functional>
#include <string>
#include <vector>

namespace zarvok::bench {

struct Contender {
    std::string name;
    // Deletes the tree; returns false when it reports a failure. `peakKiB` is set by contenders
    // that run a separate process (its peak resident memory), else left alone.
    std::function<bool(const std::string& path, long& peakKiB)> erase;
};

// Runs a program and waits; returns its exit status (-1 when it could not run).
int runProgram(const std::vector<std::string>& argv, long* peakKiB = nullptr, const std::string& outputFile = {});

std::vector<Contender> contenders(const std::vector<unsigned>& engineThreads, const std::string& toolProgram);

} // namespace zarvok::bench
