#include "HandleStack.h"

#include "SystemCalls.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>

namespace zarvok::erase {

namespace {

bool isOpenLimit(int err)
{
    return err == EMFILE || err == ENFILE;
}

} // namespace

void HandleStack::push(std::shared_ptr<Node> node, Fd fd)
{
    if (m_frames.empty())
        m_lowestOpen = 0;
    m_frames.emplace_back(std::move(node), std::move(fd));
    while (m_frames.size() - m_lowestOpen > m_budget)
        m_frames[m_lowestOpen++].fd.reset();
}

void HandleStack::lookedFromTop(std::uint64_t at)
{
    for (std::size_t i = 0; i + 1 < m_frames.size(); ++i) {
        if (m_frames[i].lookedAt != Frame::kNeverLooked)
            m_frames[i].lookedAt = at;
    }
}

void HandleStack::askedServerFromTop(std::uint64_t at)
{
    top().pathAskedAt = at;
    for (std::size_t i = 0; i + 1 < m_frames.size(); ++i) {
        if (m_frames[i].pathAskedAt != Frame::kNeverLooked)
            m_frames[i].pathAskedAt = at;
    }
}

Frame HandleStack::pop()
{
    Frame done = std::move(m_frames.back());
    m_frames.pop_back();
    m_lowestOpen = std::min(m_lowestOpen, m_frames.size());
    return done;
}

Frame* HandleStack::frameWithSubdirectoriesLeft()
{
    for (std::size_t i = m_lowestOpen; i + 1 < m_frames.size(); ++i) {
        Frame& frame = m_frames[i];
        if (frame.fd.valid() && frame.batch.size() > frame.next)
            return &frame;
    }
    return nullptr;
}

Opened HandleStack::openChild(const char* name, bool pathOnly)
{
    return openRetrying(top().fd.get(), name, pathOnly);
}

Opened HandleStack::openRetrying(int dirFd, const char* name, bool pathOnly)
{
    const Containment& containment = m_run.containment;
    return retryingOnOpenLimit([&] { return pathOnly ? containment.openDirPathOnly(dirFd, name) : containment.openDir(dirFd, name); });
}

Opened HandleStack::retryingOnOpenLimit(const std::function<Opened()>& open)
{
    Opened opened = open();
    if (isOpenLimit(opened.error)) {
        closeAncestors();
        opened = open();
    }
    return opened;
}

Reopened HandleStack::reopen(int childFd, const Node& node)
{
    if (childFd >= 0) {
        Opened climbed = climb(childFd, node);
        if (climbed.error == 0)
            return Reopened{std::move(climbed.fd), 0, false, false};
    }
    // The child was removed or moved away, or its ".." failed otherwise: the way from the top
    // still tells where the folder is.
    return walkDown(node);
}

Opened HandleStack::climb(int childFd, const Node& parent)
{
    return retryingOnOpenLimit([&] { return m_run.containment.openParent(childFd, parent.dev, parent.ino); });
}

Reopened HandleStack::walkDown(const Node& target)
{
    std::vector<const Node*> chain;
    for (const Node* n = &target; n; n = n->parent.get())
        chain.push_back(n);
    Fd current;
    int at = m_run.root.parent.get();
    for (auto n = chain.rbegin(); n != chain.rend(); ++n) {
        const Node& known = **n;
        Opened next = retryingOnOpenLimit([&] { return m_run.containment.openKnown(at, known.name.c_str(), known.dev, known.ino); });
        // Another folder, a file or a link has its name now: it was moved away. The queued folder
        // whose name names nothing any more was moved away too, or removed with everything in it
        // (told apart at the end).
        const bool replaced = next.error == ESTALE || next.error == ENOTDIR || next.error == ELOOP;
        if (!known.parent && (replaced || next.error == ENOENT))
            m_run.markMovedAway(known);
        else if (replaced)
            m_run.markLeft(known);
        if (next.error != 0)
            return Reopened{Fd(), next.error, next.error == ENOENT || replaced, true};
        current = std::move(next.fd);
        at = current.get();
    }
    return Reopened{std::move(current), 0, false, true};
}

Opened HandleStack::openLookout(int dirFd, const char* path)
{
    return retryingOnOpenLimit([&] {
        const SysResult opened = sys().openat(dirFd, path, O_PATH | O_DIRECTORY | O_CLOEXEC);
        return opened.ok() ? Opened{Fd(static_cast<int>(opened.value)), 0} : Opened{Fd(), opened.error};
    });
}

void HandleStack::adoptForTop(Fd fd)
{
    Frame& frame = top();
    frame.fd = std::move(fd);
    frame.relisting = true;
    frame.placeChecked = false;
    frame.lookedAt = Frame::kNeverLooked;
    frame.pathAskedAt = Frame::kNeverLooked;
    m_lowestOpen = m_frames.size() - 1;
}

void HandleStack::closeAncestors()
{
    while (m_lowestOpen + 1 < m_frames.size())
        m_frames[m_lowestOpen++].fd.reset();
}

} // namespace zarvok::erase
