#include "EraseRun.h"

#include <algorithm>
#include <vector>

namespace zarvok::erase {

Node::Node(std::shared_ptr<Node> parentNode, std::string entryName, dev_t device, ino_t inode, ino_t listedInode)
    : parent(std::move(parentNode)), name(std::move(entryName)), dev(device), ino(inode), listedIno(listedInode),
      depth(parent ? parent->depth + 1 : 0)
{
}

Access Node::repairAccess(int fd)
{
    std::call_once(m_repairOnce, [&] {
        int ignored = 0; // the error reported stays the one that called for the repair
        m_repair = grantOwnerAccess(fd, ignored);
    });
    return m_repair;
}

void Node::settle(ino_t child)
{
    std::lock_guard lock(m_mutex);
    m_settled.insert(child);
}

void Node::settle(const std::vector<Entry>& children)
{
    std::lock_guard lock(m_mutex);
    for (const Entry& child : children)
        m_settled.insert(child.ino);
}

void Node::forget(ino_t child)
{
    std::lock_guard lock(m_mutex);
    m_settled.erase(child);
}

bool Node::isSettled(ino_t child) const
{
    std::lock_guard lock(m_mutex);
    return m_settled.contains(child);
}

void FailureLog::record(int err, std::string path, std::string reason)
{
    std::lock_guard lock(m_mutex);
    if (m_first)
        return;
    std::error_code code(err, std::system_category());
    if (reason.empty())
        reason = code.message();
    m_first = Failure{code, std::move(path), std::move(reason)};
}

std::optional<Failure> FailureLog::first() const
{
    std::lock_guard lock(m_mutex);
    return m_first;
}

bool FailureLog::empty() const
{
    std::lock_guard lock(m_mutex);
    return !m_first;
}

void Run::markLeft(const Node& node)
{
    node.leftTree = true;
    someFolderLeft = true;
}

void Run::markMovedAway(const Node& rootNode)
{
    rootMovedAway = true;
    markLeft(rootNode);
}

bool Run::outside(const Node& node) const
{
    if (!someFolderLeft.load(std::memory_order_relaxed))
        return false;
    for (const Node* n = &node; n; n = n->parent.get()) {
        if (n->leftTree.load(std::memory_order_relaxed))
            return true;
    }
    return false;
}

std::string Run::pathOf(const Node* node) const
{
    std::vector<const std::string*> names;
    for (; node->parent; node = node->parent.get())
        names.push_back(&node->name);
    std::string path = root.path;
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        path += '/' + **name;
    return path;
}

// By the path's text: a last name of "." or ".." (or a relative path's first) is climbed with a
// ".." more rather than dropped.
std::string Run::pathAbove(unsigned levels) const
{
    std::string path = root.path;
    for (unsigned level = 0; level < levels; ++level) {
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        const std::size_t slash = path.find_last_of('/');
        const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
        if (slash == std::string::npos || last == "." || last == "..")
            path += "/..";
        else
            path.erase(slash == 0 ? 1 : slash);
    }
    return path;
}

} // namespace zarvok::erase
