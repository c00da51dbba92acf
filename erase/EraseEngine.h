#pragma once
// Erases one folder tree. Called by the window's erase loop from a worker thread, and by
// zarvok-erase. Plain C++ (no Qt) so that both can use it.

#include <atomic>
#include <cstdint>
#include <string>
#include <system_error>

namespace zarvok::erase {

enum class Status {
    Erased,   // the folder and everything below it are gone
    NoFolder, // nothing that is a folder at the path (missing, a file, or a symbolic link)
    Failed,   // something could not be removed; see error and failedPath
};

struct Outcome {
    Status status = Status::Erased;
    std::error_code error;  // system error of the first failure
    std::string failedPath; // first entry that could not be removed
    std::string reason;     // human-readable reason, e.g. "Permission denied"

    bool ok() const { return status == Status::Erased; }
};

// Running count of removed entries (the folder itself included; entries someone else removed
// meanwhile count too); another thread may read it at any time.
struct Progress {
    std::atomic<std::uint64_t> removed{0};
};

struct Options {
    unsigned threads = 0; // 0: the engine chooses (defaultThreads())
};

// Workers used when Options::threads is 0; chosen by measurement, see bench/erase.
unsigned defaultThreads();

// Erases the folder tree at an absolute path. Never throws. Never follows a symbolic link, stays
// on the folder's file system (a mount point inside is left in place: Failed with EXDEV), and
// keeps going after a failure, reporting the first. Refuses the file-system root, the home
// folder itself, relative paths and paths ending in . or .. (Failed, with a reason saying so).
Outcome eraseTree(const std::string& path, Progress* progress = nullptr, const Options& options = {});

} // namespace zarvok::erase
