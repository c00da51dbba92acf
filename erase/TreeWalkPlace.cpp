// Where a folder is: a folder moved out of the tree while it is being erased is elsewhere now,
// and nothing in it is the run's business any more; nor is anything in the queued folder once it
// has been moved away from its path.

#include "TreeWalk.h"

#include "SystemCalls.h"

#include <fcntl.h>

#include <cerrno>
#include <string>

namespace zarvok::erase {

namespace {

const Node& rootOf(const Node& node)
{
    const Node* root = &node;
    while (root->parent)
        root = root->parent.get();
    return *root;
}

} // namespace

// "../../.." for a whole step; its last 3 * levels - 1 bytes climb `levels` levels.
const char* TreeWalk::upwards(unsigned levels)
{
    static const std::string step = [] {
        std::string up = "..";
        for (unsigned level = 1; level < kClimbStep; ++level)
            up += "/..";
        return up;
    }();
    return step.c_str() + (step.size() - (3 * levels - 1));
}

// Whether the frame's folder is still in the tree, looking when the worker has been away from
// it since the last look and a look is due.
bool TreeWalk::inTree(Frame& frame)
{
    if (!frame.placeChecked && lookDue(frame)) {
        checkPlace(frame.fd.get(), *frame.node);
        if (m_run.limits.askServer)
            askServer(frame);
        noteLook(frame);
    }
    return !m_run.outside(*frame.node);
}

// A folder reopened through ".." of its child on the way up is the one the walk knew, but it
// may have left the tree with the child. `holder`: its frame on this worker's stack, if any;
// without one, `lookedAt` is the work count at this way up's last look.
void TreeWalk::lookAtReopened(int fd, const Node& node, Frame* holder, std::uint64_t& lookedAt)
{
    if (!(holder ? lookDue(*holder) : lookDue(lookedAt, node)))
        return;
    checkPlace(fd, node);
    lookedAt = m_work;
    if (holder)
        noteLook(*holder);
}

// The frame (the top one) was looked at; the look climbed all the way up, so it saw the folders
// below it on the stack in the tree too.
void TreeWalk::noteLook(Frame& frame)
{
    frame.placeChecked = true;
    frame.lookedAt = m_work;
    m_stack.lookedFromTop(m_work);
}

// A look climbs as many levels as the folder lies deep and then looks at the queued folder's
// name, so on a local disk it waits until the worker has done as much work (entries listed,
// folders removed) since the last look from this folder or one below it: a chain of small
// folders would otherwise cost its depth squared in lookups (ext4, 1,250 levels of two files:
// 0.67x rm -rf). A move is so seen within about as much work as the folder lies deep, plus the
// batch under way. A folder handed over or reopened, and every folder on a share, is looked at
// each time.
bool TreeWalk::lookDue(const Frame& frame) const
{
    return lookDue(frame.lookedAt, *frame.node);
}

bool TreeWalk::lookDue(std::uint64_t lookedAt, const Node& node) const
{
    if (lookedAt == Frame::kNeverLooked || m_run.limits.askServer)
        return true;
    return m_work - lookedAt >= node.depth + 1u;
}

// A failure met in `node` (behind `fd`) is the run's to report only while the folder is in the
// tree: a folder moved out (something made in it since, say) fails to go for reasons of someone
// else's. Looked at now, whatever the amortization says; after the first failure recorded no
// look is made, since only that one is reported (and a failed folder moved out of the tree
// keeps no folder above it: removeDirectory). On a share the server is asked about the whole
// path first: a removal that failed because it reached what a link swapped in points to is
// told as that swap.
bool TreeWalk::failureCounts(int fd, Node& node)
{
    if (m_run.outside(node))
        return false;
    if (!m_run.failures.empty())
        return true;
    checkPlace(fd, node);
    if (m_run.limits.askServer && !m_run.outside(node))
        askServer(fd, node, true);
    return !m_run.outside(node);
}

// Marks `node` (behind `fd`) as having left the tree when climbing ".." as many levels as it
// lies below the root no longer ends at the root (it, or a folder above it, was moved away), and
// the root as having left when its name in the folder that held it no longer names it (moved
// away, or removed by someone else; told apart at the end). A look that fails proves nothing;
// what the walk does next reports its own error.
void TreeWalk::checkPlace(int fd, const Node& node)
{
    if (fd < 0)
        return;
    const Node& root = rootOf(node);
    if (node.parent && !climbsTo(fd, node.depth, root)) {
        m_run.markLeft(node);
        return;
    }
    if (!stillIn(m_run.root.parent.get(), root))
        m_run.markMovedAway(root);
}

// Whether ".." `levels` times from `fd` ends at `target`; also when a step fails.
bool TreeWalk::climbsTo(int fd, unsigned levels, const Node& target)
{
    Fd step;
    for (; levels > kClimbStep; levels -= kClimbStep) {
        Opened up = m_stack.openLookout(fd, upwards(kClimbStep));
        if (up.error != 0)
            return true;
        step = std::move(up.fd); // the step before closes now
        fd = step.get();
    }
    struct stat st{};
    return !sys().fstatat(fd, upwards(levels), st, AT_SYMLINK_NOFOLLOW).ok() || sameIdentity(st, target.dev, target.ino);
}

} // namespace zarvok::erase
