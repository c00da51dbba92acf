// Where a folder is: a folder moved out of the tree while it is being erased is elsewhere now,
// and nothing in it is the run's business any more.

#include "TreeWalk.h"

#include "SystemCalls.h"

#include <fcntl.h>

#include <string>

namespace zarvok::erase {

// Whether the frame's folder is still in the tree, looking (one stat) only when the worker has
// been away from it since the last look.
bool TreeWalk::inTree(Frame& frame)
{
    if (!frame.placeChecked) {
        checkPlace(frame.fd.get(), *frame.node);
        frame.placeChecked = true;
    }
    return !m_run.outside(*frame.node);
}

namespace {

// Deeper than this, ".." repeated would pass PATH_MAX: only the parent is looked at.
constexpr unsigned kDeepestClimb = 1000;

} // namespace

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
