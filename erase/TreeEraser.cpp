#include "TreeEraser.h"

#include "FileUnlinker.h"
#include "WorkPool.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <unordered_set>
#include <vector>

namespace zarvok::erase {

namespace {

// Entries read from one directory before its files are removed, in inode order: on ext4 that
// walks the inode table forwards instead of jumping around it, measured about 2x faster on a
// folder of 200,000 files than batches of 10,000. Larger folders are taken in batches of this size,
// which bounds the memory of one listing (about 50 bytes an entry).
constexpr std::size_t kBatchEntries = 1 << 18;

// Batches with at least this many files are unlinked by several workers at once: on ext4 much
// of an unlink (freeing the inode and its blocks) runs outside the folder's lock.
constexpr std::size_t kShareFrom = 2048;

bool isOpenLimit(int err)
{
    return err == EMFILE || err == ENFILE;
}

// State shared by the workers of one erase.
struct Run {
    Run(TreeRoot& treeRoot, Progress& p, const RunLimits& l) : root(treeRoot), progress(p), limits(l) {}

    TreeRoot& root;
    Progress& progress;
    const RunLimits limits;
    FailureLog failures;
    std::atomic<bool> rootRemoved{false};
    WorkPool* pool = nullptr;

    void removed(std::uint64_t count = 1) { progress.removed.fetch_add(count, std::memory_order_relaxed); }

    std::string pathOf(const Node* node) const
    {
        std::vector<const std::string*> names;
        for (; node->parent; node = node->parent.get())
            names.push_back(&node->name);
        std::string path = root.path;
        for (auto name = names.rbegin(); name != names.rend(); ++name)
            path += '/' + **name;
        return path;
    }

    std::string pathOf(const Node* node, const std::string& child) const { return pathOf(node) + '/' + child; }
};

// One worker's depth-first walk. Its stack holds the directories from the task's root down to
// the one being listed; only the lowest few keep an open handle, the others are reopened
// through ".." (and checked by device and inode) on the way back up.
class Worker {
public:
    explicit Worker(Run& run) : run_(run) {}

    void erase(Task task)
    {
        if (task.share) {
            task.share->help();
            return;
        }
        stack_.emplace_back(std::move(task.node), std::move(task.fd));
        lowestOpen_ = 0;
        while (!stack_.empty())
            step();
    }

private:
    struct Frame {
        Frame(std::shared_ptr<Node> n, Fd handle) : node(std::move(n)), fd(std::move(handle)) {}

        std::shared_ptr<Node> node;
        Fd fd;
        std::vector<Entry> batch; // subdirectories of the current batch still to do
        std::size_t next = 0;
        bool endOfListing = false;
        bool relisting = false;      // the handle was reopened: the listing starts over
        bool accessGranted = false;
        std::unordered_set<std::string> settled; // entered or failed; skipped when relisting
    };

    void step()
    {
        Frame& top = stack_.back();
        if (top.next < top.batch.size()) {
            enterSubdirectory(top.batch[top.next++]);
            return;
        }
        if (!top.endOfListing) {
            readNextBatch(top);
            return;
        }
        finishTop();
    }

    void fail(Frame& frame, const std::string& name, int err)
    {
        run_.failures.record(err, run_.pathOf(frame.node.get(), name),
                             err == EXDEV ? "another file system is mounted here; it was left in place" : "");
        frame.node->failed = true;
        frame.settled.insert(name);
    }

    bool grantAccessOnce(Frame& frame)
    {
        if (frame.accessGranted)
            return false;
        frame.accessGranted = true;
        return grantOwnerAccess(frame.fd.get()) == 0;
    }

    void readNextBatch(Frame& frame)
    {
        frame.batch.clear();
        frame.next = 0;
        const int more = reader_.readBatch(frame.fd.get(), frame.batch, kBatchEntries);
        if (more < 0 && errno == ENOENT) {
            frame.endOfListing = true; // removed by someone else: nothing left to list
            return;
        }
        if (more < 0) {
            run_.failures.record(errno, run_.pathOf(frame.node.get()));
            frame.node->failed = true;
        }
        frame.endOfListing = more <= 0;
        if (frame.relisting)
            std::erase_if(frame.batch, [&](const Entry& e) { return frame.settled.contains(e.name); });
        std::sort(frame.batch.begin(), frame.batch.end(), [](const Entry& a, const Entry& b) { return a.ino < b.ino; });
        removeNonDirectories(frame);
    }

    // One unlinkat per entry, trusting the listing's type; what turns out to be a directory
    // stays in the batch for the walk.
    void removeNonDirectories(Frame& frame)
    {
        auto share = std::make_shared<UnlinkShare>(frame.fd.get(), frame.batch, run_.progress.removed);
        if (frame.batch.size() >= kShareFrom) {
            for (unsigned helper = 1; helper < run_.pool->workers(); ++helper) {
                Task task{nullptr, Fd(), share};
                if (!run_.pool->offer(task))
                    break;
            }
        }
        share->workAndClose();
        std::size_t kept = 0;
        for (std::size_t i = 0; i < frame.batch.size(); ++i) {
            Entry& entry = frame.batch[i];
            if (entry.type == kEntryGone)
                continue;
            if (entry.type == kEntryFailed) {
                fail(frame, entry.name, entry.unlinkError);
                continue;
            }
            if (kept != i)
                frame.batch[kept] = std::move(entry);
            ++kept;
        }
        frame.batch.resize(kept);
    }

    // 0 when the entry is gone (also when someone else removed it first), else the error.
    int unlinkEntry(Frame& frame, const std::string& name)
    {
        for (;;) {
            if (::unlinkat(frame.fd.get(), name.c_str(), 0) == 0 || errno == ENOENT) {
                run_.removed();
                return 0;
            }
            const int err = errno;
            if (err != EACCES || !grantAccessOnce(frame))
                return err;
        }
    }

    void enterSubdirectory(Entry& entry)
    {
        Frame& frame = stack_.back();
        Fd child = openSubdirectory(frame, entry.name);
        if (!child.valid()) {
            handleUnopenable(frame, entry, errno);
            return;
        }
        struct stat st{};
        if (::fstat(child.get(), &st) != 0) {
            fail(frame, entry.name, errno);
            return;
        }
        if (st.st_dev != run_.root.st.st_dev) {
            fail(frame, entry.name, EXDEV);
            return;
        }
        auto node = std::make_shared<Node>(frame.node, entry.name, st.st_dev, st.st_ino);
        frame.node->pending.fetch_add(1);
        frame.settled.insert(entry.name);
        const bool moreHere = frame.next < frame.batch.size() || !frame.endOfListing;
        Task task{std::move(node), std::move(child), nullptr};
        if (moreHere && run_.pool->offer(task))
            return;
        stack_.emplace_back(std::move(task.node), std::move(task.fd));
        limitOpenHandles();
    }

    void handleUnopenable(Frame& frame, const Entry& entry, int err)
    {
        if (err == ENOENT) {
            run_.removed(); // gone meanwhile
        } else if (err == ENOTDIR || err == ELOOP) {
            // Not a directory (any more): a link or file put in its place is removed as such.
            if (entry.unlinkError != 0)
                fail(frame, entry.name, entry.unlinkError);
            else if (const int unlinkErr = unlinkEntry(frame, entry.name); unlinkErr != 0)
                fail(frame, entry.name, unlinkErr);
        } else {
            fail(frame, entry.name, err); // EXDEV: a mount point, left in place
        }
    }

    Fd openSubdirectory(Frame& frame, const std::string& name)
    {
        int fd = openDirAt(frame.fd.get(), name.c_str(), true);
        if (fd < 0 && isOpenLimit(errno)) {
            closeAncestorHandles();
            fd = openDirAt(frame.fd.get(), name.c_str(), true);
        }
        if (fd < 0 && errno == EACCES && grantAccessOnce(frame))
            fd = openDirAt(frame.fd.get(), name.c_str(), true);
        if (fd < 0 && errno == EACCES) {
            // The subdirectory itself is unreadable: make it readable through a handle that
            // needs no permission, so a link swapped in by name cannot be chmod-ed instead.
            Fd pathOnly(openDirPathAt(frame.fd.get(), name.c_str(), true));
            if (!pathOnly.valid())
                return Fd();
            if (grantOwnerAccess(pathOnly.get()) != 0) {
                errno = EACCES;
                return Fd();
            }
            fd = openDirAt(frame.fd.get(), name.c_str(), true);
        }
        return Fd(fd);
    }

    // Its listing is done; remove it now, or leave that to the worker that removes its last
    // subdirectory.
    void finishTop()
    {
        Frame done = std::move(stack_.back());
        stack_.pop_back();
        lowestOpen_ = std::min(lowestOpen_, stack_.size());
        if (done.node->pending.fetch_sub(1) == 1) {
            removeUpwards(std::move(done.node), std::move(done.fd));
            return;
        }
        if (!stack_.empty() && !stack_.back().fd.valid())
            reopenTop(done.fd.get());
    }

    // Removes `node` and then each parent that this leaves finished. `fd` is invalid when the
    // node was found removed by someone else.
    void removeUpwards(std::shared_ptr<Node> node, Fd fd)
    {
        for (;;) {
            std::shared_ptr<Node> parent = node->parent;
            Frame* holder = !stack_.empty() && parent && stack_.back().node == parent ? &stack_.back() : nullptr;
            Fd reopened;
            int parentFd = run_.root.parentFd;
            bool parentGone = false;
            if (holder && holder->fd.valid()) {
                parentFd = holder->fd.get();
            } else if (parent) {
                reopened = parentHandle(fd.get(), *parent, parentGone);
                if (!reopened.valid() && !parentGone) {
                    lostParent(*parent);
                    return;
                }
                parentFd = reopened.get();
            }
            fd.reset();
            if (parentGone)
                run_.removed(); // went with its parent
            else
                removeDirectory(*node, parentFd, parent.get());
            if (!parent) {
                run_.rootRemoved = !node->failed;
                return;
            }
            if (holder) {
                if (parentGone)
                    markGone(*holder);
                else if (!holder->fd.valid())
                    adoptHandle(*holder, std::move(reopened));
                parent->pending.fetch_sub(1); // its own listing is still running here
                return;
            }
            if (parent->pending.fetch_sub(1) != 1)
                return;
            node = std::move(parent);
            fd = std::move(reopened);
        }
    }

    void removeDirectory(Node& node, int parentFd, Node* parent)
    {
        if (!node.failed) {
            int result = ::unlinkat(parentFd, node.name.c_str(), AT_REMOVEDIR);
            // Permissions are only ever changed inside the tree, never on the folder holding it.
            if (result != 0 && errno == EACCES && parent && grantOwnerAccess(parentFd) == 0)
                result = ::unlinkat(parentFd, node.name.c_str(), AT_REMOVEDIR);
            if (result == 0 || errno == ENOENT) {
                run_.removed();
                return;
            }
            run_.failures.record(errno, run_.pathOf(&node));
        }
        if (parent)
            parent->failed = true;
    }

    // Opens the parent of the directory behind `childFd` and makes sure it is still the one
    // the walk came from: a directory moved elsewhere meanwhile is not followed.
    Fd climbTo(int childFd, const Node& parent)
    {
        int fd = ::openat(childFd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0 && isOpenLimit(errno)) {
            closeAncestorHandles();
            fd = ::openat(childFd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (fd < 0)
            return Fd();
        Fd handle(fd);
        struct stat st{};
        if (::fstat(handle.get(), &st) != 0)
            return Fd();
        if (!sameIdentity(st, parent.dev, parent.ino)) {
            errno = ESTALE;
            return Fd();
        }
        return handle;
    }

    // A handle on `parent`: through ".." of its child when the child is still there, else by
    // walking down from the root, name by name, checking each folder's identity. Sets
    // `parentGone` when someone else removed it.
    Fd parentHandle(int childFd, const Node& parent, bool& parentGone)
    {
        parentGone = false;
        if (childFd >= 0) {
            Fd climbed = climbTo(childFd, parent);
            if (climbed.valid() || errno != ENOENT)
                return climbed;
        }
        return walkDownTo(parent, parentGone);
    }

    Fd walkDownTo(const Node& target, bool& gone)
    {
        std::vector<const Node*> chain;
        for (const Node* n = &target; n; n = n->parent.get())
            chain.push_back(n);
        Fd current;
        int at = run_.root.parentFd;
        for (auto n = chain.rbegin(); n != chain.rend(); ++n) {
            Fd next(openDirAt(at, (*n)->name.c_str(), n != chain.rbegin()));
            if (!next.valid() && isOpenLimit(errno)) {
                closeAncestorHandles();
                next.reset(openDirAt(at, (*n)->name.c_str(), n != chain.rbegin()));
            }
            if (!next.valid()) {
                gone = errno == ENOENT;
                return Fd();
            }
            struct stat st{};
            if (::fstat(next.get(), &st) != 0)
                return Fd();
            if (!sameIdentity(st, (*n)->dev, (*n)->ino)) {
                errno = ESTALE;
                return Fd();
            }
            current = std::move(next);
            at = current.get();
        }
        return current;
    }

    void lostParent(const Node& parent)
    {
        run_.failures.record(errno, run_.pathOf(&parent), "the folder was moved or replaced while it was being erased");
        // Frames whose handles are closed cannot be reached any more; leave them.
        while (!stack_.empty() && !stack_.back().fd.valid()) {
            stack_.back().node->failed = true;
            stack_.pop_back();
        }
        lowestOpen_ = std::min(lowestOpen_, stack_.size());
    }

    void reopenTop(int childFd)
    {
        Frame& top = stack_.back();
        bool gone = false;
        Fd handle = parentHandle(childFd, *top.node, gone);
        if (gone) {
            markGone(top);
            return;
        }
        if (!handle.valid()) {
            lostParent(*top.node);
            return;
        }
        adoptHandle(top, std::move(handle));
    }

    // Removed by someone else with everything in it: nothing left to list.
    static void markGone(Frame& frame)
    {
        frame.batch.clear();
        frame.next = 0;
        frame.endOfListing = true;
    }

    void adoptHandle(Frame& frame, Fd fd)
    {
        frame.fd = std::move(fd);
        frame.relisting = true;
        lowestOpen_ = stack_.size() - 1;
    }

    void limitOpenHandles()
    {
        while (stack_.size() - lowestOpen_ > run_.limits.handlesPerWorker)
            stack_[lowestOpen_++].fd.reset();
    }

    void closeAncestorHandles()
    {
        while (lowestOpen_ + 1 < stack_.size())
            stack_[lowestOpen_++].fd.reset();
    }

    Run& run_;
    std::vector<Frame> stack_;
    std::size_t lowestOpen_ = 0; // frames below this index have their handles closed
    DirReader reader_;
};

void workUntilDrained(Run& run, std::optional<Task> first)
{
    try {
        Worker worker(run);
        if (first)
            worker.erase(std::move(*first));
        while (std::optional<Task> task = run.pool->take())
            worker.erase(std::move(*task));
    } catch (const std::bad_alloc&) {
        run.failures.record(ENOMEM, run.root.path);
        while (std::optional<Task> task = run.pool->take()) {
            if (task->node)
                task->node->failed = true; // dropped; its handle closes here
        }
    }
}

} // namespace

void FailureLog::record(int err, std::string path, std::string reason)
{
    std::lock_guard lock(mutex_);
    if (first_)
        return;
    std::error_code code(err, std::system_category());
    if (reason.empty())
        reason = code.message();
    first_ = Failure{code, std::move(path), std::move(reason)};
}

std::optional<Failure> FailureLog::first() const
{
    std::lock_guard lock(mutex_);
    return first_;
}

Outcome eraseOpenedTree(TreeRoot root, Progress& progress, const RunLimits& limits)
{
    Run run(root, progress, limits);
    WorkPool pool(limits.workers, [&run] { workUntilDrained(run, std::nullopt); });
    run.pool = &pool;

    auto rootNode = std::make_shared<Node>(nullptr, root.name, root.st.st_dev, root.st.st_ino);
    workUntilDrained(run, Task{rootNode, std::move(root.fd), nullptr});
    pool.joinHelpers();

    Outcome outcome;
    if (const std::optional<Failure> failure = run.failures.first()) {
        outcome.status = Status::Failed;
        outcome.error = failure->error;
        outcome.failedPath = failure->path;
        outcome.reason = failure->reason;
    } else if (!run.rootRemoved) {
        outcome.status = Status::Failed;
        outcome.error = std::make_error_code(std::errc::directory_not_empty);
        outcome.failedPath = root.path;
        outcome.reason = "the folder could not be removed";
    }
    return outcome;
}

} // namespace zarvok::erase
