// Where a folder is: a folder moved out of the tree while it is being erased is elsewhere now,
// and nothing in it is the run's business any more.

#include "TreeWalk.h"

#include "SystemCalls.h"

#include <fcntl.h>

#include <cerrno>
#include <string>

namespace zarvok::erase {

namespace {

// Deeper than this, ".." repeated would pass PATH_MAX: only the parent is looked at.
constexpr unsigned kDeepestClimb = 1000;

} // namespace

// Whether the frame's folder is still in the tree, looking (one stat) when the worker has been
// away from it since the last look and a look is due.
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
// may have left the tree with the child. `holder`: its frame on this worker's stack, if any.
void TreeWalk::lookAtReopened(int fd, const Node& node, Frame* holder)
{
    if (holder && !lookDue(*holder))
        return;
    checkPlace(fd, node);
    if (holder)
        noteLook(*holder);
}

// The frame (the top one) was looked at; a look that climbed all the way up saw the folders
// below it on the stack in the tree too.
void TreeWalk::noteLook(Frame& frame)
{
    frame.placeChecked = true;
    frame.lookedAt = m_work;
    if (frame.node->depth <= kDeepestClimb)
        m_stack.lookedFromTop(m_work);
}

// A look climbs as many levels as the folder lies deep, so on a local disk it waits until the
// worker has done as much work (entries listed, folders removed) since the last look from
// this folder or one below it: a chain of small folders would otherwise cost its depth
// squared in lookups (ext4, 1,250 levels of two files: 0.67x rm -rf). A folder handed over or
// reopened, and every folder on a share, is looked at each time.
bool TreeWalk::lookDue(const Frame& frame) const
{
    if (frame.lookedAt == Frame::kNeverLooked || m_run.limits.askServer)
        return true;
    const unsigned climbed = frame.node->depth <= kDeepestClimb ? frame.node->depth : 1; // see checkPlace
    return m_work - frame.lookedAt >= climbed;
}

// The client's caches hide a folder that another computer swapped on the server; asked past
// them, the server answers for what now stands at the folder's path, a link included, and the
// client refuses a handle whose type changed (EIO). Either ends all work in the folder, as a
// failure: removals already sent may have reached what replaced it.
void TreeWalk::askServer(Frame& frame)
{
    static const char* const kReplaced = "the folder was replaced on the server while it was being erased; it was left in place";
    struct stat st{};
    const SysResult asked = sys().fstatFromServer(frame.fd.get(), st);
    const bool replaced = asked.ok() ? !S_ISDIR(st.st_mode) || st.st_ino != frame.node->ino : asked.error == EIO || asked.error == ESTALE;
    if (!replaced)
        return;
    m_run.failures.record(asked.ok() ? ESTALE : asked.error, m_run.pathOf(frame.node.get()), kReplaced);
    frame.node->failed = true;
    m_run.markLeft(*frame.node);
}

// Marks `node` (behind `fd`) as having left the tree when climbing ".." as many levels as it
// lies below the root no longer ends at the root: one stat tells whether it or any folder above
// it was moved away. A look that fails proves nothing; what the walk does next reports its own
// error.
void TreeWalk::checkPlace(int fd, const Node& node)
{
    if (!node.parent || fd < 0)
        return;
    const Node* expected = node.parent.get();
    std::string up = "..";
    if (node.depth <= kDeepestClimb) {
        while (expected->parent)
            expected = expected->parent.get();
        for (unsigned level = 1; level < node.depth; ++level)
            up += "/..";
    }
    struct stat st{};
    if (sys().fstatat(fd, up.c_str(), st, AT_SYMLINK_NOFOLLOW).ok() && !sameIdentity(st, expected->dev, expected->ino))
        m_run.markLeft(node);
}

} // namespace zarvok::erase
