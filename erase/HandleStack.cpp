#include "HandleStack.h"

#include "SystemCalls.h"

#include <algorithm>
#include <cerrno>

namespace zarvok::erase {

namespace {

bool isOpenLimit(int err)
{
    return err == EMFILE || err == ENFILE;
}

// ESTALE when the handle is not on the directory `expected` stands for.
int checkIdentity(const Fd& fd, const Node& expected)
{
    struct stat st{};
    if (const SysResult stat = sys().fstat(fd.get(), st); !stat.ok())
        return stat.error;
    return sameIdentity(st, expected.dev, expected.ino) ? 0 : ESTALE;
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

Frame HandleStack::pop()
{
    Frame done = std::move(m_frames.back());
    m_frames.pop_back();
    m_lowestOpen = std::min(m_lowestOpen, m_frames.size());
    return done;
}

Opened HandleStack::openChild(const char* name, bool pathOnly)
{
    return openRetrying(top().fd.get(), name, pathOnly);
}

Opened HandleStack::openRetrying(int dirFd, const char* name, bool pathOnly)
{
    const Containment& containment = m_run.containment;
    auto open = [&] { return pathOnly ? containment.openDirPathOnly(dirFd, name) : containment.openDir(dirFd, name); };
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
        if (climbed.error != ENOENT)
            return Reopened{std::move(climbed.fd), climbed.error, false};
    }
    return walkDown(node);
}

// ".." of a directory inside the tree never crosses a mount (no directory in the tree is the
// root of one), and the identity check catches a child moved elsewhere meanwhile.
Opened HandleStack::climb(int childFd, const Node& parent)
{
    Opened opened = openRetrying(childFd, "..", false);
    if (opened.error == 0)
        opened.error = checkIdentity(opened.fd, parent);
    if (opened.error != 0)
        opened.fd.reset();
    return opened;
}

Reopened HandleStack::walkDown(const Node& target)
{
    std::vector<const Node*> chain;
    for (const Node* n = &target; n; n = n->parent.get())
        chain.push_back(n);
    Fd current;
    int at = m_run.root.parentFd;
    for (auto n = chain.rbegin(); n != chain.rend(); ++n) {
        Opened next = openRetrying(at, (*n)->name.c_str(), false);
        if (next.error == 0)
            next.error = checkIdentity(next.fd, **n);
        if (next.error != 0)
            return Reopened{Fd(), next.error, next.error == ENOENT};
        current = std::move(next.fd);
        at = current.get();
    }
    return Reopened{std::move(current), 0, false};
}

void HandleStack::adoptForTop(Fd fd)
{
    Frame& frame = top();
    frame.fd = std::move(fd);
    frame.relisting = true;
    m_lowestOpen = m_frames.size() - 1;
}

void HandleStack::closeAncestors()
{
    while (m_lowestOpen + 1 < m_frames.size())
        m_frames[m_lowestOpen++].fd.reset();
}

} // namespace zarvok::erase
