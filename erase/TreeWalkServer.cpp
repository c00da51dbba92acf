// What the server of a path-based share (FUSE, SMB) says of the folders on a folder's path. The
// server takes each removal as a path and resolves it again itself: when another computer swaps
// a folder of that path for a link (the folder being emptied, one above it, the queued folder or
// one that holds it), the removals after that reach what the link points to. The client's caches
// hide the swap; asked past them, the server answers for what stands at each folder's path now,
// a link included, and the client refuses a handle whose type changed (EIO). Nothing more is
// removed below the replaced folder, and the erase fails: removals already sent may have reached
// what replaced it.

#include "TreeWalk.h"

#include "SystemCalls.h"

#include <fcntl.h>

#include <cerrno>

namespace zarvok::erase {

namespace {

constexpr char kReplaced[] = "the folder was replaced on the server while it was being erased; it was left in place";

// The error to report when the server says that what `path` names from `fd` is no longer the
// folder with inode `ino`, else 0. Any other failure proves nothing here (ENOENT: moved or
// removed by someone else, or a link swapped in farther up leads to where it does not go on).
int replacedOnServer(int fd, const char* path, ino_t ino)
{
    struct stat st{};
    const SysResult asked = sys().statFromServer(fd, path, st);
    if (asked.ok())
        return S_ISDIR(st.st_mode) && st.st_ino == ino ? 0 : ESTALE;
    return asked.error == EIO || asked.error == ESTALE ? asked.error : 0;
}

} // namespace

std::vector<ino_t> foldersHolding(int fd)
{
    std::vector<ino_t> holders;
    struct stat here{};
    if (!sys().fstat(fd, here).ok())
        return holders;
    Fd climbed;
    for (;;) {
        holders.push_back(here.st_ino);
        struct stat up{};
        if (!sys().fstatat(fd, "..", up, AT_SYMLINK_NOFOLLOW).ok() || up.st_dev != here.st_dev || up.st_ino == here.st_ino)
            return holders;
        const SysResult opened = sys().openat(fd, "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (!opened.ok())
            return holders;
        climbed.reset(static_cast<int>(opened.value));
        fd = climbed.get();
        here = up;
    }
}

// Before each batch in the folder (the top frame). Each folder asked about is a round trip, so
// the folders above it are asked about before every batch only while they are no more than the
// work of a batch; a deeper folder asks about them once per as much work as there are of them,
// or a chain of 5,000 folders would cost some 12 million round trips down and as many back up.
// The folder itself is asked every time.
void TreeWalk::askServer(Frame& frame)
{
    const bool wholePath = frame.pathAskedAt == Frame::kNeverLooked || m_work - frame.pathAskedAt >= levelsOnServer(*frame.node);
    askServer(frame.fd.get(), *frame.node, wholePath);
    if (wholePath)
        m_stack.askedServerFromTop(m_work);
}

// When the server says that `node` (behind `fd`) or, with `wholePath`, a folder on its path was
// replaced, the nearest such folder is reported and left.
void TreeWalk::askServer(int fd, Node& node, bool wholePath)
{
    if (const std::optional<Replaced> replaced = replacedOnPath(fd, node, wholePath ? levelsOnServer(node) : 0))
        reportReplaced(node, replaced->level, replaced->error);
}

// The folders on the server's path of `node`: those above it in the tree, and the ones holding
// the tree up to the share's root.
unsigned TreeWalk::levelsOnServer(const Node& node) const
{
    return node.depth + static_cast<unsigned>(m_run.root.holders.size());
}

// Asks from `node`'s folder (behind `fd`) up to `levels` levels above it, nearest first.
std::optional<TreeWalk::Replaced> TreeWalk::replacedOnPath(int fd, const Node& node, unsigned levels)
{
    Fd step;
    unsigned climbed = 0; // levels between `node` and the folder behind `fd`
    const Node* known = &node;
    for (unsigned level = 0; level <= levels; ++level) {
        if (level - climbed > kClimbStep) {
            Opened up = m_stack.openLookout(fd, upwards(kClimbStep));
            if (up.error != 0)
                return std::nullopt; // what the walk meets there reports itself
            step = std::move(up.fd);
            fd = step.get();
            climbed += kClimbStep;
        }
        const ino_t ino = level <= node.depth ? known->ino : m_run.root.holders[level - node.depth - 1];
        if (const int err = replacedOnServer(fd, level == 0 ? "" : upwards(level - climbed), ino))
            return Replaced{level, err};
        if (known->parent)
            known = known->parent.get();
    }
    return std::nullopt;
}

// A folder above the queued one leaves the whole tree behind it.
void TreeWalk::reportReplaced(Node& node, unsigned level, int err)
{
    Node* replaced = &node;
    for (unsigned up = 0; up < level && replaced->parent; ++up)
        replaced = replaced->parent.get();
    const std::string path = level <= node.depth ? m_run.pathOf(replaced) : m_run.pathAbove(level - node.depth);
    m_run.failures.record(err, path, kReplaced);
    replaced->failed = true;
    m_run.markLeft(*replaced);
}

} // namespace zarvok::erase
