#pragma once
// Erases one folder tree. Called by the window's erase loop from a worker thread, and by
// zarvok-erase. Plain C++ (no Qt) so that both can use it.

#include "CancelFlag.h"

#include <sys/stat.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

namespace zarvok::erase {

enum class Status {
    Erased,   // the folder and everything below it are gone
    NoFolder, // nothing that is a folder at the path; `found` says what is there instead
    Refused,  // the rules forbid erasing this path; nothing was touched; see reason
    Failed,   // something could not be removed; see error and failedPath
};

// What stands at a path that is not a folder.
enum class Found {
    Nothing,
    File, // a regular file, or a fifo, socket or device
    SymbolicLink,
};

struct Outcome {
    Status status = Status::Erased;
    Found found = Found::Nothing; // meaningful when status is NoFolder
    std::error_code error;  // system error of the first failure
    std::string failedPath; // first entry that could not be removed
    std::string reason;     // human-readable reason, e.g. "Permission denied"
    bool untouched = false; // Failed before anything in the folder was removed: nothing was erased

    bool ok() const { return status == Status::Erased; }
};

// Running count of removed entries (the folder itself included; entries someone else removed
// meanwhile count too); another thread may read it at any time.
struct Progress {
    std::atomic<std::uint64_t> removed{0};
    // Requested: the erase ends Failed with ECANCELED (the folder stands, partly emptied).
    CancelFlag cancel;
};

struct Options {
    Options() = default;
    Options(unsigned workers) : threads(workers) {} // NOLINT: Options{2} reads as "two workers"

    unsigned threads = 0; // 0: the engine chooses and adapts; else exactly this many, throughout
    // More refusals of the caller (zarvok-erase --admin): asked with a handle of the folder
    // (opened without following a link) and its identity, once before anything is done and
    // again on the handle the erase works through; a reason refuses it, empty lets it go.
    std::function<std::string(int folderFd, const struct stat& folder)> refusal;
    // The path is resolved without /proc's per-process links (/proc/PID/root, /proc/PID/cwd,
    // /proc/PID/fd/N), refused when it passes one: they name what another process sees, which
    // for root may be a user's mount namespace or root's own working folder.
    bool refuseProcLinks = false;
};

// Workers an erase starts with when Options::threads is 0; chosen by measurement, see
// bench/erase: two per core, one per core on XFS. On btrfs it starts with one, and on XFS and
// btrfs one folder's files are never unlinked by several workers at once: there they only
// queue on the file system's locks. Where each operation turns out to wait on a round trip
// (network shares, FUSE) the engine adds workers while it runs, up to 64.
unsigned defaultThreads(unsigned workersPerCore = 2);

// Erases the folder tree at an absolute path. Never throws. Never follows a symbolic link and
// never leaves the folder's mount: a mount point inside (a bind mount of the same file system
// included) is left in place with nothing below it touched, Failed with EXDEV (EBUSY for a file
// mounted there). Keeps going after a failure and reports the first. A folder moved out of the
// tree meanwhile is left alone from the moment the engine sees it elsewhere, and is no failure.
// The folder itself moved away from its path is left alone as well: Failed (ESTALE), saying so,
// with its new place as failedPath where /proc tells it (else the path as given), whatever
// failed in it before.
// Refuses, before touching anything (Refused, with a reason saying so): the file-system root,
// the home folder and every folder that holds it, an empty or relative path, a path longer than
// the system accepts, paths ending in . or .., paths holding a NUL character, a folder that is
// itself a mount point, and any folder where neither openat2 nor mount IDs can keep it on its
// mount. Memory stays bounded by the workers and one listing batch, whatever the tree's shape.
Outcome eraseTree(const std::string& path, Progress* progress = nullptr, const Options& options = {});

// What an erase of `path` would answer before touching anything: no folder there, or a refusal
// by the rules above (the same outcome and words); nothing when the erase would go on to the
// walk and find out the rest there. Opens and changes nothing but a look at the path.
// `refuseProcLinks` as in Options.
std::optional<Outcome> checkBeforeErase(const std::string& path, bool refuseProcLinks = false);

// Why the folder behind `folder` is never erased (the file-system root, the home folder and
// every folder that holds it); empty when no such rule applies.
std::string neverErasedReason(const struct stat& folder);

// The same for a terminal, which has a working folder: a relative path is resolved from the
// directory handle `baseFd` (a deleted folder, or one deeper than PATH_MAX, included), and
// reported as given.
Outcome eraseTreeAt(int baseFd, const std::string& path, Progress* progress = nullptr, const Options& options = {});

} // namespace zarvok::erase
