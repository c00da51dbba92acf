#pragma once
// One worker's way down the tree: a frame per directory from the task's root to the one being
// listed. Only the lowest frames keep their handles open (the budget, and fewer when the process
// runs out of descriptors); a frame whose handle was closed is reopened on the way back up,
// through ".." of its child or from the top of the tree, and accepted only when it is still the
// directory the walk came from (same device and inode, same mount). A child whose ".." is no
// longer that directory (moved away) is no way back up: the directory is reopened from the top.
//
// Invariants: frames below lowestOpen have no handle, those from it up have one; the top frame
// always has one. A reopened frame's listing starts over (`relisting`).

#include "EraseRun.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace zarvok::erase {

struct Frame {
    Frame(std::shared_ptr<Node> n, Fd handle) : node(std::move(n)), fd(std::move(handle)) {}

    std::shared_ptr<Node> node;
    Fd fd;
    std::vector<Entry> batch; // subdirectories of the current batch still to do
    std::size_t next = 0;
    bool endOfListing = false;
    bool relisting = false; // the handle was reopened: the listing started over
    // Its ".." was the parent the walk came from at the last look, and the worker has not been
    // away since: it has just opened the folder, or looked.
    bool placeChecked = false;
    // The worker's work count (TreeWalk::m_work) at that look, or kNeverLooked: handed over or
    // reopened, so the next look is owed at once.
    std::uint64_t lookedAt = kNeverLooked;
    // On a share, the work count when the server was last asked about every folder on its path
    // (TreeWalkServer.cpp), or kNeverLooked.
    std::uint64_t pathAskedAt = kNeverLooked;
    static constexpr std::uint64_t kNeverLooked = ~std::uint64_t{0};
};

// A handle on a directory the walk knew, or why there is none. `gone`: someone else removed
// it (with everything in it) or moved it, or a folder above it, out of the tree.
struct Reopened {
    Fd fd;
    int error = 0;
    bool gone = false;
    bool fromTop = false; // found by name from the top of the tree, so still in it
};

class HandleStack {
public:
    HandleStack(Run& run, unsigned budget) : m_run(run), m_budget(budget) {}

    bool empty() const { return m_frames.empty(); }
    Frame& top() { return m_frames.back(); }
    // A look from the top frame that climbed all the way up saw the folders of the frames below
    // it in the tree too, at work count `at`.
    void lookedFromTop(std::uint64_t at);
    // So did an ask of the server about every folder on the top frame's path.
    void askedServerFromTop(std::uint64_t at);
    void push(std::shared_ptr<Node> node, Fd fd);
    Frame pop();
    // The frame nearest the top of the tree, below the top frame (whose batch may be in use),
    // with an open handle and subfolders still to do; nullptr when there is none.
    Frame* frameWithSubdirectoriesLeft();

    // Opens a subdirectory of the top frame, closing ancestors' handles once when the process
    // is out of descriptors.
    Opened openChild(const char* name, bool pathOnly = false);

    // A handle on `node`: through ".." of `childFd` (a child's handle, -1 when there is none),
    // else by walking down from the top of the tree; a folder on the way down that is no longer
    // the one the walk knew is marked as having left the tree.
    Reopened reopen(int childFd, const Node& node);

    // The top frame gets a fresh handle; its listing starts over.
    void adoptForTop(Fd fd);

    // A path-only handle on what `path` ("../..") names from `dirFd`, for a look at where a folder
    // is; nothing is opened for reading, and the look compares identities, so it needs no
    // containment. Closes ancestors' handles once when the process is out of descriptors.
    Opened openLookout(int dirFd, const char* path);

private:
    Opened openRetrying(int dirFd, const char* name, bool pathOnly);
    Opened retryingOnOpenLimit(const std::function<Opened()>& open);
    Opened climb(int childFd, const Node& parent);
    Reopened walkDown(const Node& target);
    void closeAncestors();

    Run& m_run;
    const unsigned m_budget;
    std::vector<Frame> m_frames;
    std::size_t m_lowestOpen = 0;
};

} // namespace zarvok::erase
