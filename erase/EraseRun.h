#pragma once
// What the workers of one erase share: the directories being emptied, the first failure, the
// running count and the rules for opening directories.

#include "Containment.h"
#include "DirHandle.h"
#include "EraseEngine.h"
#include "WorkPool.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace zarvok::erase {

// A directory that has been descended into and is not removed yet.
class Node {
public:
    Node(std::shared_ptr<Node> parentNode, std::string entryName, dev_t device, ino_t inode, ino_t listedInode);

    const std::shared_ptr<Node> parent; // null for the root of the tree
    const std::string name;             // name inside the parent
    const dev_t dev;
    const ino_t ino;
    const ino_t listedIno; // as the parent's listing shows it (it may differ on overlay mounts)
    const unsigned depth;  // levels below the root of the tree
    std::atomic<int> pending{1};     // own listing not finished + subdirectories not yet settled
    std::atomic<bool> failed{false}; // something below could not be removed
    // Seen outside the tree (moved away by someone else), or for the root, no longer at its name
    // in the folder that held it: nothing more is done in it or below.
    mutable std::atomic<bool> leftTree{false};

    // Widens the owner's permissions on this directory (behind `fd`) the first time it is
    // asked; every later call answers what that one attempt did.
    Access repairAccess(int fd);

    // Settled subdirectories: handed to another worker, descended into and not removed yet,
    // or failed. A listing that starts over skips them. Only inode numbers are kept, of work in
    // progress and failures, never a whole folder's names.
    void settle(ino_t child);
    void settle(const std::vector<Entry>& children);
    void forget(ino_t child); // removed
    bool isSettled(ino_t child) const;

private:
    std::once_flag m_repairOnce;
    Access m_repair = Access::AlreadyAllowed;
    mutable std::mutex m_mutex;
    std::unordered_set<ino_t> m_settled;
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
    bool empty() const;

private:
    mutable std::mutex m_mutex;
    std::optional<Failure> m_first;
};

struct TreeRoot {
    std::string path; // as given, without trailing separators
    Fd parent;        // handle on the folder that holds the root
    std::string name; // the root's name in it
    Fd fd;            // open handle on the root
    struct stat st;
    Fd watch;         // another handle on it, kept to the end: tells removed from moved away, and where to
    // On a path-based share: the inode numbers of the folders that hold it, nearest first, up to
    // the share's root (foldersHolding).
    std::vector<ino_t> holders;
};

struct RunLimits {
    unsigned workers = 1;
    unsigned mostWorkers = 1;      // the pool may widen up to this many when the file system waits
    unsigned handlesPerWorker = 2; // directory handles a worker may keep open on its way down
    bool shareFolders = true;      // whether several workers may unlink in one folder at once
    bool freeFoldersAside = false; // whether removed empty folders are freed by another worker
    // A share whose server resolves every removal by path (FUSE, SMB): a folder of that path
    // swapped there for a link is followed by the server. Each folder, and every folder on its
    // path, is asked of the server before each batch of removals, and batches are small, so such
    // a swap is seen after few removals.
    bool askServer = false;
    // Entries listed, then removed, at a time: in inode order, which on ext4 walks the inode
    // table forwards (about 2x faster on 200,000 files than batches of 10,000); the size bounds
    // the memory of one listing (about 50 bytes an entry).
    std::size_t batchEntries = 1 << 18;
};

struct Run {
    // `workerBody` runs on each helper thread the pool starts.
    Run(TreeRoot& treeRoot, Progress& p, const RunLimits& l, const Containment& c, const std::function<void(Run&)>& workerBody)
        : root(treeRoot), progress(p), limits(l), containment(c),
          pool(l.workers, l.mostWorkers, [this, workerBody] { workerBody(*this); })
    {
    }

    TreeRoot& root;
    Progress& progress;
    const RunLimits limits;
    const Containment& containment;
    FailureLog failures;
    std::atomic<bool> rootRemoved{false};
    std::atomic<bool> someFolderLeft{false}; // spares the walks up the nodes while none has
    // The root's name no longer names it: moved away, or removed by someone else with everything
    // in it (then rootRemoved tells).
    std::atomic<bool> rootMovedAway{false};
    WorkPool pool;

    void removed(std::uint64_t count = 1) { progress.removed.fetch_add(count, std::memory_order_relaxed); }
    void markLeft(const Node& node);
    void markMovedAway(const Node& rootNode);
    // Whether `node` or a folder above it has left the tree.
    bool outside(const Node& node) const;
    std::string pathOf(const Node* node) const;
    std::string pathAbove(unsigned levels) const; // of the folder `levels` above the root
    std::string pathOf(const Node* node, const std::string& child) const { return pathOf(node) + '/' + child; }
};

} // namespace zarvok::erase
