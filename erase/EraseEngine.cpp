#include "EraseEngine.h"

#include "Containment.h"
#include "DirHandle.h"
#include "ProtectedFolders.h"
#include "SystemCalls.h"
#include "TreeEraser.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <new>
#include <optional>
#include <thread>
#include <variant>
#include <vector>

namespace zarvok::erase {

namespace {

constexpr int kNoBase = -1; // relative paths are refused

Outcome noFolder(Found found = Found::Nothing)
{
    Outcome outcome;
    outcome.status = Status::NoFolder;
    outcome.found = found;
    outcome.error = std::make_error_code(std::errc::no_such_file_or_directory);
    outcome.reason = "no folder at this path";
    return outcome;
}

Outcome failed(int err, const std::string& path, std::string reason = {})
{
    Outcome outcome;
    outcome.status = Status::Failed;
    outcome.error = std::error_code(err, std::system_category());
    outcome.failedPath = path;
    outcome.reason = reason.empty() ? outcome.error.message() : std::move(reason);
    return outcome;
}

Outcome refused(int err, const std::string& path, std::string reason)
{
    Outcome outcome = failed(err, path, std::move(reason));
    outcome.status = Status::Refused;
    return outcome;
}

Found foundFrom(mode_t mode)
{
    return S_ISLNK(mode) ? Found::SymbolicLink : Found::File;
}

bool meansNoFolder(int err)
{
    return err == ENOENT || err == ENOTDIR || err == ELOOP;
}

rlim_t openFileLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return limit.rlim_cur;
    return 1024;
}

// Directory handles each worker may keep open on its way down: generous under a normal
// open-file limit, at least two under a limit as low as 32.
unsigned handlesPerWorker(unsigned workers, rlim_t openFiles)
{
    const rlim_t reserve = std::min<rlim_t>(64, openFiles / 2) + workers; // other users + queued handles
    const rlim_t spare = openFiles > reserve ? openFiles - reserve : 0;
    return static_cast<unsigned>(std::clamp<rlim_t>(spare / workers, 2, 256));
}

// Workers the pool may widen to when the file system waits on round trips: measured on sshfs
// with a 1 ms round trip, 64 came within a few per cent of the best fixed count.
constexpr unsigned kMostWorkersOnShares = 64;

constexpr long kExt4Magic = 0xef53; // also ext2 and ext3, which the ext4 driver serves
constexpr long kXfsMagic = 0x58465342;
constexpr long kBtrfsMagic = 0x9123683e;
// Shares whose server takes each removal as a path: FUSE (sshfs), SMB 1, 2 and 3. NFS names
// entries by handle, so a link swapped in on the server is not followed there.
constexpr long kPathBasedShares[] = {0x65735546, 0x517b, 0xff534d42, 0xfe534d42};
// Removals (about this many; a small listing is read with a small buffer) between two looks at
// a folder on such a share: what a swap on the server can reach before it is seen. Measured on
// sshfs, a folder swapped for a link 50-100 ms into the erase: of 200 files behind the link,
// 178-199 were removed without the looks, 0-95 with a look every 64 removals, 8-18 every 16.
constexpr std::size_t kShareBatchEntries = 16;

// Where workers side by side only queue on the file system's locks, measured against rm -rf on
// 50,000 files in one folder and in 500 folders: XFS serializes the unlinks of one folder on its
// lock (2 or 4 workers in one folder: 0.7x rm at 1.6-1.7x its processor time; 1 worker: 1.0x),
// though separate folders gain (2 workers: 1.6x); btrfs serializes the changes of a subvolume's
// tree (2 or 4 workers: 0.7-0.85x at up to 2x processor time; 1 worker: 1.0-1.05x).
// Nor does the pool widen there: workers asleep on those locks look to the gauge like workers
// waiting on round trips (on XFS it widened 4 -> 64 in 2 of 5 runs on 500 folders of 100 files,
// at 1.3-1.4x rm's processor time).
// XFS frees an unlinked inode later, on a worker of the core that unlinked it, and makes the
// unlinkers wait when those fall behind: with two workers per core they starve (on 2 cores,
// 500 folders of 100 files: 2,400-2,550 throttled unlinks and 0.85-1.0x rm -rf with 4 workers,
// 20-290 and 1.5x with 2), so there it runs one worker per core.
struct LocalConcurrency {
    bool oneWorker = false;
    unsigned workersPerCore = 2;
    bool shareFolders = true;
    bool freeFoldersAside = false; // see DeferredRelease.h
    bool mayWiden = true;
    bool askServer = false;
};

LocalConcurrency concurrencyOf(int rootFd)
{
    long type = 0;
    if (!sys().fileSystemType(rootFd, type).ok())
        return {};
    if (type == kBtrfsMagic)
        return {.oneWorker = true, .shareFolders = false, .freeFoldersAside = false, .mayWiden = false};
    if (type == kXfsMagic)
        return {.oneWorker = false, .workersPerCore = 1, .shareFolders = false, .freeFoldersAside = false, .mayWiden = false};
    if (type == kExt4Magic)
        return {.oneWorker = false, .shareFolders = true, .freeFoldersAside = true, .mayWiden = true};
    if (std::find(std::begin(kPathBasedShares), std::end(kPathBasedShares), type) != std::end(kPathBasedShares))
        return {.askServer = true};
    return {};
}

// Every worker needs a few handles of its own (two on its path, one being opened, one queued);
// under a tiny open-file limit fewer workers run rather than all of them starving. A count the
// caller fixed stays fixed; the engine's own starts at defaultThreads() (one where workers only
// queue on the file system's locks) and may widen.
RunLimits workerLimits(const Options& options, rlim_t openFiles, const LocalConcurrency& local)
{
    const rlim_t affordable = std::max<rlim_t>(1, openFiles / 8);
    const auto capped = [&](unsigned wanted) { return static_cast<unsigned>(std::min<rlim_t>(wanted, affordable)); };
    RunLimits limits;
    limits.shareFolders = local.shareFolders;
    limits.freeFoldersAside = local.freeFoldersAside;
    limits.askServer = local.askServer;
    if (local.askServer)
        limits.batchEntries = kShareBatchEntries;
    limits.workers = capped(options.threads != 0 ? options.threads : local.oneWorker ? 1 : defaultThreads(local.workersPerCore));
    const bool fixed = options.threads != 0 || !local.mayWiden;
    limits.mostWorkers = fixed ? limits.workers : std::max(limits.workers, capped(kMostWorkersOnShares));
    limits.handlesPerWorker = handlesPerWorker(limits.mostWorkers, openFiles);
    return limits;
}


struct SplitPath {
    std::string trimmed; // without trailing separators
    std::string parent;
    std::string name;
};

// Refusals that need nothing but the text of the path. A relative path is only taken when
// there is a folder to resolve it from (`relativeAllowed`).
std::variant<SplitPath, Outcome> splitChecked(const std::string& path, bool relativeAllowed)
{
    if (path.empty())
        return refused(EINVAL, path, "empty path");
    if (path.find('\0') != std::string::npos)
        return refused(EINVAL, path, "the path holds a NUL character, so the system would read a different, shorter path");
    if (path.front() != '/' && !relativeAllowed)
        return refused(EINVAL, path, "a relative path is refused; give the folder's full path");
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    if (trimmed == "/")
        return refused(EPERM, path, "the file-system root is never erased");
    const std::size_t slash = trimmed.find_last_of('/');
    const std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : trimmed.substr(0, slash);
    SplitPath split{trimmed, parent, slash == std::string::npos ? trimmed : trimmed.substr(slash + 1)};
    if (split.name == "." || split.name == "..")
        return refused(EINVAL, path, "the path must end in the folder's name, not in . or ..");
    return split;
}

// Before the walk starts nothing has been touched, so an error there is never "could not be
// fully erased".
Outcome outcomeOfError(int err, const std::string& path)
{
    if (err == ENAMETOOLONG)
        return refused(err, path, "the path is longer than the system accepts");
    return meansNoFolder(err) ? noFolder() : failed(err, path);
}

struct LookedAt {
    SplitPath split;
    Fd parent;
    struct stat before {};
};

constexpr const char* kThroughProcLink =
    "the path passes through a link of /proc (another process's view of the files), so it is not erased";

// The folder holding the queued one; with `refuseProcLinks` resolved without /proc's
// per-process links, which RESOLVE_NO_MAGICLINKS refuses with ELOOP like a loop of links.
std::variant<Fd, Outcome> openParent(int dirFd, const std::string& parent, const std::string& path, bool refuseProcLinks)
{
    constexpr int kFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    SysResult opened;
    if (refuseProcLinks) {
        open_how how{};
        how.flags = kFlags;
        how.resolve = RESOLVE_NO_MAGICLINKS;
        opened = sys().openat2(dirFd, parent.c_str(), how);
        if (opened.error == ENOSYS || opened.error == EPERM)
            return refused(opened.error, path, "this system cannot resolve the path without /proc's links (no openat2), so it is not erased");
        if (opened.error == ELOOP) {
            const SysResult plain = sys().openat(dirFd, parent.c_str(), kFlags);
            if (plain.ok()) {
                sys().close(static_cast<int>(plain.value));
                return refused(EPERM, path, kThroughProcLink);
            }
        }
    } else {
        opened = sys().openat(dirFd, parent.c_str(), kFlags);
    }
    if (!opened.ok())
        return outcomeOfError(opened.error, path);
    return Fd(static_cast<int>(opened.value));
}

// The first look: the path's text, what stands at its name, and the folders never erased.
std::variant<LookedAt, Outcome> lookAt(int baseFd, const std::string& path, bool refuseProcLinks = false)
{
    std::variant<SplitPath, Outcome> checked = splitChecked(path, baseFd != kNoBase);
    if (Outcome* refusedPath = std::get_if<Outcome>(&checked))
        return *refusedPath;
    LookedAt looked{std::move(std::get<SplitPath>(checked)), Fd{}, {}};
    std::variant<Fd, Outcome> parentOpened = openParent(baseFd == kNoBase ? AT_FDCWD : baseFd, looked.split.parent, path, refuseProcLinks);
    if (Outcome* notOpened = std::get_if<Outcome>(&parentOpened))
        return *notOpened;
    looked.parent = std::move(std::get<Fd>(parentOpened));
    if (const SysResult stat = sys().fstatat(looked.parent.get(), looked.split.name.c_str(), looked.before, AT_SYMLINK_NOFOLLOW); !stat.ok())
        return outcomeOfError(stat.error, path);
    if (!S_ISDIR(looked.before.st_mode))
        return noFolder(foundFrom(looked.before.st_mode));
    if (std::string reason = protectedReason(looked.before); !reason.empty())
        return refused(EPERM, path, reason);
    return looked;
}

Outcome containmentRefusal(const Refusal& refusal, const std::string& path)
{
    return refusal.reason.empty() ? outcomeOfError(refusal.error, path) : refused(refusal.error, path, refusal.reason);
}

Outcome eraseChecked(int baseFd, const std::string& path, Progress& progress, const Options& options, bool& begun)
{
    std::variant<LookedAt, Outcome> first = lookAt(baseFd, path, options.refuseProcLinks);
    if (Outcome* decided = std::get_if<Outcome>(&first))
        return *decided;
    auto& [split, parent, before] = std::get<LookedAt>(first);
    if (options.refusal) {
        // A handle of what stands at the name now, so the caller judges a folder, never a link.
        const SysResult looked = sys().openat(parent.get(), split.name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (!looked.ok())
            return outcomeOfError(looked.error, path);
        Fd folder(static_cast<int>(looked.value));
        struct stat st{};
        if (const SysResult stat = sys().fstat(folder.get(), st); !stat.ok())
            return failed(stat.error, path);
        if (std::string reason = options.refusal(folder.get(), st); !reason.empty())
            return refused(EPERM, path, reason);
    }

    std::variant<Containment, Refusal> decided = Containment::forFolder(parent.get(), split.name.c_str());
    if (const Refusal* refusal = std::get_if<Refusal>(&decided))
        return containmentRefusal(*refusal, path);
    const Containment& containment = std::get<Containment>(decided);

    Opened rootOpened = containment.openRoot(parent.get(), split.name.c_str());
    if (rootOpened.error == EXDEV) {
        const Refusal refusal = Containment::mountPointRefusal();
        return refused(refusal.error, path, refusal.reason);
    }
    if (rootOpened.error != 0)
        return outcomeOfError(rootOpened.error, path);
    TreeRoot root{split.trimmed, std::move(parent), split.name, std::move(rootOpened.fd), {}, {}, {}};
    if (const SysResult stat = sys().fstat(root.fd.get(), root.st); !stat.ok())
        return failed(stat.error, path);
    if (const SysResult watch = sys().dupfd(root.fd.get()); watch.ok())
        root.watch.reset(static_cast<int>(watch.value));
    else
        return failed(watch.error, path);
    if (!sameIdentity(root.st, before.st_dev, before.st_ino)) {
        // Replaced between the two looks: judge what is there now.
        if (std::string reason = protectedReason(root.st); !reason.empty())
            return refused(EPERM, path, reason);
    }
    // The caller's rules once more, on the very handle the erase goes through.
    if (options.refusal) {
        if (std::string reason = options.refusal(root.fd.get(), root.st); !reason.empty())
            return refused(EPERM, path, reason);
    }

    const RunLimits limits = workerLimits(options, openFileLimit(), concurrencyOf(root.fd.get()));
    begun = true;
    return eraseOpenedTree(std::move(root), progress, limits, containment);
}

} // namespace

std::optional<Outcome> checkBeforeErase(const std::string& path, bool refuseProcLinks)
{
    try {
        std::variant<LookedAt, Outcome> looked = lookAt(kNoBase, path, refuseProcLinks);
        std::optional<Outcome> decided;
        if (Outcome* outcome = std::get_if<Outcome>(&looked)) {
            decided = *outcome;
        } else {
            const LookedAt& at = std::get<LookedAt>(looked);
            std::variant<Containment, Refusal> contained = Containment::forFolder(at.parent.get(), at.split.name.c_str());
            if (const Refusal* refusal = std::get_if<Refusal>(&contained))
                decided = containmentRefusal(*refusal, path);
        }
        // a failure to look is the erase's to meet and report
        return decided && decided->status != Status::Failed ? decided : std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

// Two workers per core: deleting waits on the disk's journal as much as on the processor. On
// 2 cores, 4 workers were 1.5-1.7x faster than 1 on the wide tree when the machine was quiet;
// 8 did no better across four benchmark runs and added thread wake-ups (more than 1.15 system
// calls per removed entry on a small tree, against 1.11-1.14 with 4).
unsigned defaultThreads(unsigned workersPerCore)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min(workersPerCore * cores, 16u);
}

std::string neverErasedReason(const struct stat& folder)
{
    return protectedReason(folder);
}

Outcome eraseTree(const std::string& path, Progress* progress, const Options& options)
{
    return eraseTreeAt(kNoBase, path, progress, options);
}

Outcome eraseTreeAt(int baseFd, const std::string& path, Progress* progress, const Options& options)
{
    Progress unobserved;
    bool begun = false;
    Outcome outcome;
    try {
        outcome = eraseChecked(baseFd, path, progress ? *progress : unobserved, options, begun);
    } catch (const std::bad_alloc&) {
        outcome = failed(ENOMEM, path);
    } catch (const std::system_error& e) {
        outcome = failed(e.code().value(), path);
    }
    outcome.untouched = !begun && outcome.status == Status::Failed;
    return outcome;
}

} // namespace zarvok::erase
