#pragma once
// One worker's depth-first walk: lists each directory in batches, removes what is not a
// directory, descends into the rest, and removes each directory once it is empty.
//
// The life of one entry:
//
//   state        | event                                          | next
//   -------------+------------------------------------------------+--------------------------------
//   listed       | unlinkat as a file succeeds, or ENOENT          | removed (counted)
//   listed       | listed as a directory, or unlinkat says EISDIR  | to descend
//   to descend   | lately such folders were empty, and rmdir      | removed (counted)
//                | succeeds or says ENOENT                         |
//   listed       | unlinkat EACCES                                 | its folder repaired once; retried
//                |                                                 | only if that widened anything
//   listed       | any other error (EBUSY: a file mounted here)    | failed
//   to descend   | another worker is idle, and lately such folders | the back half of the batch's
//                | were not empty                                  | subdirectories goes to it as a
//                |                                                 | share: parent.pending + 1
//   to descend   | contained open succeeds                         | descended: parent.pending + 1,
//                |                                                 | settled in the parent
//   to descend   | open ENOENT                                     | vanished: counted as removed
//   to descend   | open ENOTDIR or ELOOP (replaced meanwhile)      | unlinked as a file
//   to descend   | open EXDEV (another mount; a btrfs subvolume is  | failed, left in place
//                | none, and is descended like any folder)          |
//   to descend   | open EACCES                                     | folder, then itself repaired once
//   to descend   | open EMFILE / ENFILE                            | ancestors' handles closed; retried
//   descended    | own listing ends and pending drops to 0         | emptied
//   emptied      | rmdir succeeds or ENOENT                        | removed: parent.pending - 1,
//                |                                                 | no longer settled in the parent
//   emptied      | something below failed, or rmdir fails          | failed, the parent marked failed
//   emptied      | parent cannot be reopened (moved, replaced)     | failed with the parent; folders
//                |                                                 | above are reopened from the top
//   any folder   | ".." climbed as many levels as it lies deep     | left the tree: nothing more is
//                | does not end at the root (it, or a folder above | done in it or below; it is no
//                | it, was moved away)                             | failure, nor is what fails in
//                |                                                 | it; the parent goes on
//   root         | its name in the folder that held it no longer   | moved away: nothing more is
//                | names it (looked at with every climb, and just  | done in it anywhere; failed,
//                | before its rmdir) and it still has links        | naming where it went; the
//                |                                                 | folder now at the path stays
//
// Where a folder is, is looked at before a batch of removals in it once the worker has been
// away from it (handed over, reopened, back from a subfolder or a batch): ".." climbed as many
// levels as it lies deep, in steps of 1,000 through path-only handles (a longer "../.." would
// pass PATH_MAX), then one stat of the root's name. Looks are spread over the work (lookDue), so
// a move is seen after at most one batch in any folder and, in all, about as many entries as the
// folder lies deep. A folder this worker has just opened from one so checked needs none; a
// failure is looked at before it is reported.
//
// Once the pool has been widened (the file system waits on round trips), a worker that finds
// others idle gives each of them one subdirectory, also from the frames above its own and even
// from folders whose subfolders were lately empty.
//
// On ext4 an empty subdirectory's rmdir is made holding a handle on it, which an idle worker
// closes later (DeferredRelease.h).
//
// pending = 1 while the directory's own listing runs + 1 per share of its subdirectories still
// being worked through + its descended subdirectories not yet removed or failed. Whichever
// worker brings it to 0 removes the directory, and goes on with the parent when that brings
// the parent's to 0 too. A failed entry marks its parent failed,
// and a failed directory is never rmdir-ed, so a failure keeps every folder above it.
// Errors travel as values; the first one of the first entry that could not be removed is what
// the erase reports.

#include "DeferredRelease.h"
#include "EraseRun.h"
#include "HandleStack.h"
#include "WorkPool.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace zarvok::erase {

// Whether to rmdir a listed subdirectory before opening it: one system call instead of five
// when it is empty, one wasted when it is not. Tried while such tries have paid off lately,
// else on every 16th subdirectory, so a tree of full folders pays for few failed tries.
class EmptyFolderGuess {
public:
    bool expectsEmpty() const { return m_credit > 0; }
    bool worthTrying() { return expectsEmpty() || ++m_sinceProbe % 16 == 0; }
    void learn(bool wasEmpty) { m_credit = wasEmpty ? std::min(m_credit + 1, 4) : std::max(m_credit - 1, 0); }

private:
    int m_credit = 1;
    unsigned m_sinceProbe = 0;
};

// The inode numbers of the folder behind `fd` and of each one above it on the same file system,
// nearest first: on a share, the folders that hold the queued one, up to the share's root.
std::vector<ino_t> foldersHolding(int fd);

class TreeWalk {
public:
    explicit TreeWalk(Run& run)
        : m_run(run), m_stack(run, run.limits.handlesPerWorker), m_release(run.pool, run.limits.freeFoldersAside)
    {
    }

    void erase(Task task);

private:
    void step();
    void shareWaiting();
    void shareSubdirectories(Frame& frame, std::size_t atLeast = 2);
    bool offerSubdirectories(Frame& frame, std::size_t count);
    void readNextBatch(Frame& frame);
    void removeNonDirectories(Frame& frame);
    void enterSubdirectory(const Entry& entry);
    bool removedIfEmpty(Frame& frame, const Entry& entry);
    Opened openSubdirectory(Frame& frame, const std::string& name);
    void handleUnopenable(Frame& frame, const Entry& entry, int err);
    int unlinkEntry(Frame& frame, const std::string& name);
    void fail(Frame& frame, const std::string& name, int err);
    void finishTop();
    void removeUpwards(std::shared_ptr<Node> node, Fd fd);
    void settleInHolder(Frame& holder, Reopened reopened);
    void removeDirectory(Node& node, int parentFd, Node* parent);
    void removeRoot(Node& root, int parentFd);
    static bool stillIn(int parentFd, const Node& node);
    bool removedBySomeoneElse() const;
    void lostParent(const Node& parent, int err);
    void reopenTop(int childFd);
    bool inTree(Frame& frame);
    bool lookDue(const Frame& frame) const;
    bool lookDue(std::uint64_t lookedAt, const Node& node) const;
    void lookAtReopened(int fd, const Node& node, Frame* holder, std::uint64_t& lookedAt);
    void noteLook(Frame& frame);
    bool failureCounts(int fd, Node& node);
    void checkPlace(int fd, const Node& node);
    bool climbsTo(int fd, unsigned levels, const Node& target);
    void askServer(Frame& frame);
    void askServer(int fd, Node& node, bool wholePath);
    struct Replaced {
        unsigned level; // above the folder asked from; 0 for that folder itself
        int error;
    };
    std::optional<Replaced> replacedOnPath(int fd, const Node& node, unsigned levels);
    void reportReplaced(Node& node, unsigned level, int err);
    unsigned levelsOnServer(const Node& node) const;
    static const char* upwards(unsigned levels);
    static std::string reasonFor(int err);
    static void markGone(Frame& frame);

    // ".." this many times is a path of 2,999 bytes, within PATH_MAX: a deeper folder is climbed
    // in steps of as many levels, each from a path-only handle on where the one before ended.
    static constexpr unsigned kClimbStep = 1000;

    Run& m_run;
    HandleStack m_stack;
    DirReader m_reader;
    EmptyFolderGuess m_emptyGuess;
    DeferredRelease m_release;
    std::uint64_t m_work = 0; // entries listed and folders removed by this worker
};

} // namespace zarvok::erase
