// The walk's way back up: a folder whose listing and subfolders are all done is removed, and
// with it each folder above that this leaves done.

#include "TreeWalk.h"

#include "SystemCalls.h"

#include <fcntl.h>

#include <cerrno>

namespace zarvok::erase {

std::string TreeWalk::reasonFor(int err)
{
    if (err == EXDEV || err == EBUSY)
        return "another file system is mounted here; it was left in place";
    return {};
}

// Removed by someone else with everything in it: nothing left to list.
void TreeWalk::markGone(Frame& frame)
{
    frame.batch.clear();
    frame.next = 0;
    frame.endOfListing = true;
}

// Its listing is done; remove it now, or leave that to the worker that settles its last
// subdirectory.
void TreeWalk::finishTop()
{
    Frame done = m_stack.pop();
    if (done.node->pending.fetch_sub(1) == 1) {
        removeUpwards(std::move(done.node), std::move(done.fd));
        return;
    }
    if (!m_stack.empty() && !m_stack.top().fd.valid())
        reopenTop(done.fd.get());
}

// Removes `node` and then each parent that this leaves finished. A folder that has left the
// tree is not removed (it is elsewhere now); its parent goes on as if it were.
void TreeWalk::removeUpwards(std::shared_ptr<Node> node, Fd fd)
{
    std::uint64_t lookedAt = Frame::kNeverLooked; // for folders not on this worker's stack
    for (;;) {
        std::shared_ptr<Node> parent = node->parent;
        if (!parent) {
            fd.reset();
            removeDirectory(*node, m_run.root.parent.get(), nullptr);
            m_run.rootRemoved = !node->failed;
            return;
        }
        Frame* holder = !m_stack.empty() && m_stack.top().node == parent ? &m_stack.top() : nullptr;
        if (holder && holder->fd.valid())
            inTree(*holder);
        Reopened reopened;
        int parentFd = -1;
        if (holder && holder->fd.valid()) {
            parentFd = holder->fd.get();
        } else if (!m_run.outside(*node)) {
            reopened = m_stack.reopen(fd.get(), *parent);
            if (!reopened.fd.valid() && !reopened.gone) {
                lostParent(*parent, reopened.error);
                return;
            }
            if (reopened.fd.valid() && !reopened.fromTop)
                lookAtReopened(reopened.fd.get(), *parent, holder, lookedAt);
            parentFd = reopened.fd.get();
        }
        fd.reset();
        if (m_run.outside(*node))
            parent->forget(node->listedIno);
        else if (reopened.gone)
            m_run.removed(); // went with its parent
        else
            removeDirectory(*node, parentFd, parent.get());
        if (holder) {
            settleInHolder(*holder, std::move(reopened));
            return;
        }
        if (parent->pending.fetch_sub(1) != 1)
            return;
        node = std::move(parent);
        fd = std::move(reopened.fd);
    }
}

// The holder is the top frame, whose own listing is still running here.
void TreeWalk::settleInHolder(Frame& holder, Reopened reopened)
{
    if (reopened.gone)
        markGone(holder);
    else if (reopened.fd.valid() && !holder.fd.valid())
        m_stack.adoptForTop(std::move(reopened.fd));
    else if (!holder.fd.valid())
        reopenTop(-1);
    holder.node->pending.fetch_sub(1);
}

void TreeWalk::removeDirectory(Node& node, int parentFd, Node* parent)
{
    if (!parent) {
        removeRoot(node, parentFd);
        return;
    }
    if (!node.failed) {
        ++m_work;
        SysResult result = sys().unlinkat(parentFd, node.name.c_str(), AT_REMOVEDIR);
        // Permissions are only ever changed inside the tree, never on the folder holding it.
        if (result.error == EACCES && parent && parent->repairAccess(parentFd) == Access::Granted)
            result = sys().unlinkat(parentFd, node.name.c_str(), AT_REMOVEDIR);
        if (result.ok() || result.error == ENOENT) {
            m_run.removed();
            parent->forget(node.listedIno);
            return;
        }
        // Not empty because the folder left the tree, and something was made in it since: not
        // the run's business.
        if (!failureCounts(parentFd, *parent))
            return;
        m_run.failures.record(result.error, m_run.pathOf(&node), reasonFor(result.error));
    } else if (!stillIn(parentFd, node)) {
        // Moved out of the tree with what failed in it: the parent goes on as if it had gone.
        m_run.markLeft(node);
        return;
    }
    parent->failed = true;
}

// Whether the name of `node` in its parent (behind `parentFd`) still names it; also when the
// look fails.
bool TreeWalk::stillIn(int parentFd, const Node& node)
{
    struct stat st{};
    const SysResult looked = sys().fstatat(parentFd, node.name.c_str(), st, AT_SYMLINK_NOFOLLOW);
    return looked.ok() ? sameIdentity(st, node.dev, node.ino) : looked.error != ENOENT;
}

// The folder holding the root lies outside the tree: its entry is removed only while it is
// still the folder that was emptied. One moved away meanwhile (seen now or earlier) is left
// alone with whatever was put into it since, and the outcome says so (TreeEraser.cpp); one that
// someone else removed with everything in it counts as removed.
void TreeWalk::removeRoot(Node& root, int parentFd)
{
    if (!root.leftTree && !stillIn(parentFd, root))
        m_run.markMovedAway(root);
    if (!root.leftTree && !root.failed) {
        const SysResult result = sys().unlinkat(parentFd, root.name.c_str(), AT_REMOVEDIR);
        if (result.ok()) {
            m_run.removed();
            return;
        }
        if (result.error == ENOENT)
            m_run.markMovedAway(root); // since the look
        else
            m_run.failures.record(result.error, m_run.root.path, reasonFor(result.error));
    }
    if (root.leftTree && !root.failed && removedBySomeoneElse()) {
        m_run.removed();
        return;
    }
    root.failed = true;
}

// A removed folder has no links left; one moved elsewhere still has them.
bool TreeWalk::removedBySomeoneElse() const
{
    struct stat st{};
    const SysResult stat = sys().fstat(m_run.root.watch.get(), st);
    return stat.ok() ? st.st_nlink == 0 : stat.error == ENOENT || stat.error == ESTALE;
}

void TreeWalk::lostParent(const Node& parent, int err)
{
    m_run.failures.record(err, m_run.pathOf(&parent),
                          err == ESTALE ? "the folder was moved or replaced while it was being erased" : reasonFor(err));
    // That folder is out of reach and stays; the folders above it are reopened from the top,
    // so that the rest of the tree is still erased.
    if (!m_stack.empty() && m_stack.top().node.get() == &parent && !m_stack.top().fd.valid()) {
        m_stack.top().node->failed = true;
        m_stack.pop();
    }
    while (!m_stack.empty() && !m_stack.top().fd.valid()) {
        Reopened handle = m_stack.reopen(-1, *m_stack.top().node);
        if (handle.gone) {
            markGone(m_stack.top());
            return;
        }
        if (handle.fd.valid()) {
            m_stack.adoptForTop(std::move(handle.fd));
            return;
        }
        m_stack.top().node->failed = true;
        m_stack.pop();
    }
}

void TreeWalk::reopenTop(int childFd)
{
    Reopened handle = m_stack.reopen(childFd, *m_stack.top().node);
    if (handle.gone)
        markGone(m_stack.top());
    else if (!handle.fd.valid())
        lostParent(*m_stack.top().node, handle.error);
    else
        m_stack.adoptForTop(std::move(handle.fd));
}

} // namespace zarvok::erase
