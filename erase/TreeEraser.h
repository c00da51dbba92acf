#pragma once
// Empties and removes one opened directory tree with a pool of workers. The caller has already
// checked that the tree may be erased; see EraseEngine.cpp.

#include "DirHandle.h"
#include "EraseEngine.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace zarvok::erase {

// A directory being emptied. It is removed once its own listing is done and every
// subdirectory below it is gone, by whichever worker gets there last.
struct Node {
    Node(std::shared_ptr<Node> parentNode, std::string entryName, dev_t device, ino_t inode)
        : parent(std::move(parentNode)), name(std::move(entryName)), dev(device), ino(inode)
    {
    }

    const std::shared_ptr<Node> parent; // null for the root of the tree
    const std::string name;             // name inside the parent
    const dev_t dev;
    const ino_t ino;
    std::atomic<int> pending{1}; // own listing + subdirectories not yet removed
    std::atomic<bool> failed{false}; // something below could not be removed
};

struct Failure {
    std::error_code error;
    std::string path;
    std::string reason;
};

// Remembers the first failure among all workers.
class FailureLog {
public:
    void record(int err, std::string path, std::string reason = {});
    std::optional<Failure> first() const;

private:
    mutable std::mutex mutex_;
    std::optional<Failure> first_;
};

struct TreeRoot {
    std::string path; // as given, without trailing separators
    int parentFd;     // handle on the folder that holds the root
    std::string name; // the root's name in it
    Fd fd;            // open handle on the root
    struct stat st;
};

struct RunLimits {
    unsigned workers = 1;
    unsigned handlesPerWorker = 2; // directory handles a worker may keep open on its way down
};

// Erases everything below the root and then the root itself; fills the outcome.
Outcome eraseOpenedTree(TreeRoot root, Progress& progress, const RunLimits& limits);

} // namespace zarvok::erase
