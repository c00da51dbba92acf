#include "TreeWalk.h"

#include "FileUnlinker.h"
#include "SystemCalls.h"
#include "WaitGauge.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <iterator>

namespace zarvok::erase {

namespace {

// Batches with at least this many files are unlinked by several workers at once: on ext4 much
// of an unlink (freeing the inode and its blocks) runs outside the folder's lock.
constexpr std::size_t kShareFrom = 2048;

} // namespace

void TreeWalk::erase(Task task)
{
    if (m_run.progress.cancel.requested())
        return; // stopped: the task's handle closes, nothing more is touched
    if (task.share) {
        task.share->help();
        return;
    }
    if (!task.handlesToClose.empty()) {
        task.handlesToClose.clear(); // the closes free the folders they held
        return;
    }
    m_stack.push(std::move(task.node), std::move(task.fd));
    if (!task.subdirectories.empty()) {
        m_stack.top().batch = std::move(task.subdirectories);
        m_stack.top().endOfListing = true; // the folder's own listing goes on elsewhere
    }
    while (!m_stack.empty() && !m_run.progress.cancel.requested())
        step();
    while (!m_stack.empty())
        m_stack.pop(); // stopped: the folders on the way down stay as they are
}

void TreeWalk::step()
{
    gauge::noteOperation();
    shareWaiting();
    Frame& top = m_stack.top();
    const bool moreHere = top.next < top.batch.size() || !top.endOfListing;
    if (moreHere && !inTree(top))
        markGone(top); // moved out of the tree: not the run's business any more
    if (top.next < top.batch.size()) {
        shareSubdirectories(top);
        const Entry entry = std::move(top.batch[top.next++]);
        enterSubdirectory(entry);
    } else if (!top.endOfListing) {
        readNextBatch(top);
    } else {
        finishTop();
    }
}

// Subfolders waiting in the frames below the top would otherwise wait for this worker's way
// back up; on a widened pool idle workers take them, down to the last one.
void TreeWalk::shareWaiting()
{
    if (!m_run.pool.widened() || !m_run.pool.wantsWork())
        return;
    if (Frame* waiting = m_stack.frameWithSubdirectoriesLeft())
        shareSubdirectories(*waiting, 1);
}

// Hands the back half of the subdirectories still to do to an idle worker: one wake-up for
// many folders rather than one each, which on a folder of small subfolders cost more processor
// time than it saved. On a widened pool every idle worker gets one at once instead: each
// waits on round trips, and halves handed on from worker to worker took tens of milliseconds
// to reach them all. The share counts as a listing of the folder (pending + 1), and its
// folders are settled at once, so a listing that starts over here never takes them again.
// On a local disk empty subfolders are not shared: removing them is one rmdir each, and two
// workers doing that in one folder only queue on its lock (1.2-1.3x the processor time, and
// slower than one worker alone, measured on 200,000 of them).
void TreeWalk::shareSubdirectories(Frame& frame, std::size_t atLeast)
{
    const bool widened = m_run.pool.widened();
    if (m_emptyGuess.expectsEmpty() && !widened)
        return;
    while (frame.batch.size() - frame.next >= atLeast && m_run.pool.wantsWork()) {
        const std::size_t left = frame.batch.size() - frame.next;
        if (!offerSubdirectories(frame, widened ? 1 : left - left / 2) || !widened)
            return;
    }
}

// Offers the last `count` subdirectories of the frame's batch; false when nobody took them.
bool TreeWalk::offerSubdirectories(Frame& frame, std::size_t count)
{
    const SysResult dup = sys().dupfd(frame.fd.get());
    if (!dup.ok())
        return false; // no descriptor to spare: go on alone
    const auto from = frame.batch.end() - static_cast<std::ptrdiff_t>(count);
    Task task{frame.node, Fd(static_cast<int>(dup.value)), nullptr,
              std::vector<Entry>(std::make_move_iterator(from), std::make_move_iterator(frame.batch.end())), {}};
    frame.node->settle(task.subdirectories);
    frame.node->pending.fetch_add(1);
    if (m_run.pool.offer(task)) {
        frame.batch.erase(from, frame.batch.end());
        return true;
    }
    frame.node->pending.fetch_sub(1); // its own listing still holds one
    std::move(task.subdirectories.begin(), task.subdirectories.end(), from);
    return false;
}

// A folder that has left the tree (moved away) fails for no reason of the run's.
void TreeWalk::fail(Frame& frame, const std::string& name, int err)
{
    if (!failureCounts(frame.fd.get(), *frame.node))
        return;
    m_run.failures.record(err, m_run.pathOf(frame.node.get(), name), reasonFor(err));
    frame.node->failed = true;
}

void TreeWalk::readNextBatch(Frame& frame)
{
    frame.batch.clear();
    frame.next = 0;
    const DirReader::Batch read = m_reader.readBatch(frame.fd.get(), frame.batch, m_run.limits.batchEntries);
    if (read.error == ENOENT) {
        markGone(frame); // removed by someone else: nothing left to list
        return;
    }
    if (read.error != 0 && failureCounts(frame.fd.get(), *frame.node)) {
        m_run.failures.record(read.error, m_run.pathOf(frame.node.get()));
        frame.node->failed = true;
    }
    frame.endOfListing = !read.more;
    m_work += frame.batch.size();
    frame.placeChecked = false; // the removals take a while
    if (frame.relisting)
        std::erase_if(frame.batch, [&](const Entry& e) { return frame.node->isSettled(e.ino); });
    std::sort(frame.batch.begin(), frame.batch.end(), [](const Entry& a, const Entry& b) { return a.ino < b.ino; });
    removeNonDirectories(frame);
}

// One unlinkat per entry, trusting the listing's type; what turns out to be a directory stays
// in the batch for the walk.
void TreeWalk::removeNonDirectories(Frame& frame)
{
    auto share = std::make_shared<UnlinkShare>(frame.fd.get(), *frame.node, frame.batch, m_run.progress.removed, m_run.pool,
                                               [this] { shareWaiting(); }, &m_run.progress.cancel);
    // A widened pool waits on round trips, and one folder's unlinks wait for each other on its
    // lock: helpers there only queue (and spin) on it.
    if (frame.batch.size() >= kShareFrom && m_run.limits.shareFolders && !m_run.pool.widened()) {
        for (unsigned helper = 1; helper < m_run.pool.workers(); ++helper) {
            Task task{nullptr, Fd(), share, {}, {}};
            if (!m_run.pool.offer(task))
                break;
        }
    }
    share->workAndClose();
    std::size_t kept = 0;
    for (std::size_t i = 0; i < frame.batch.size(); ++i) {
        Entry& entry = frame.batch[i];
        if (entry.type == kEntryGone)
            continue;
        if (entry.type == kEntryFailed) {
            fail(frame, entry.name, entry.unlinkError);
            continue;
        }
        if (kept != i)
            frame.batch[kept] = std::move(entry);
        ++kept;
    }
    frame.batch.resize(kept);
    // The files are gone; a frame that keeps the capacity of their batch while the walk goes
    // deeper would make memory grow with depth times width.
    if (frame.batch.capacity() > 2 * kept + 16)
        frame.batch.shrink_to_fit();
}

void TreeWalk::enterSubdirectory(const Entry& entry)
{
    Frame& frame = m_stack.top();
    if (removedIfEmpty(frame, entry))
        return;
    Opened child = openSubdirectory(frame, entry.name);
    if (child.error != 0) {
        handleUnopenable(frame, entry, child.error);
        return;
    }
    // A device number of its own proves no mount (a btrfs subvolume has one): the contained open
    // has already refused every mount, so the subfolder is erased like any other.
    struct stat st{};
    if (const int err = sys().fstat(child.fd.get(), st).error; err != 0) {
        fail(frame, entry.name, err);
        frame.node->settle(entry.ino);
        return;
    }
    frame.node->pending.fetch_add(1);
    frame.node->settle(entry.ino);
    const bool moreHere = frame.next < frame.batch.size() || !frame.endOfListing;
    Task task{std::make_shared<Node>(frame.node, entry.name, st.st_dev, st.st_ino, entry.ino), std::move(child.fd), nullptr, {}, {}};
    if (moreHere && m_run.pool.offer(task))
        return;
    frame.placeChecked = false; // the worker is away in the subfolder for a while
    const std::uint64_t parentLookedAt = frame.lookedAt;
    const std::uint64_t parentPathAskedAt = frame.pathAskedAt;
    m_stack.push(std::move(task.node), std::move(task.fd));
    m_stack.top().placeChecked = true; // opened just now from a folder in the tree
    m_stack.top().lookedAt = parentLookedAt; // as of the parent's last look
    m_stack.top().pathAskedAt = parentPathAskedAt;
}

// Any refusal (not empty, a mount point, no permission) leaves it to the full walk, which
// reports what is wrong.
bool TreeWalk::removedIfEmpty(Frame& frame, const Entry& entry)
{
    if (!m_emptyGuess.worthTrying())
        return false;
    Fd held = m_emptyGuess.expectsEmpty() ? m_release.hold(frame.fd.get(), entry.name.c_str()) : Fd();
    const SysResult result = sys().unlinkat(frame.fd.get(), entry.name.c_str(), AT_REMOVEDIR);
    m_emptyGuess.learn(result.ok());
    if (!result.ok() && result.error != ENOENT)
        return false;
    m_release.release(std::move(held));
    m_run.removed();
    frame.node->forget(entry.ino); // settled when it came in a share
    return true;
}

Opened TreeWalk::openSubdirectory(Frame& frame, const std::string& name)
{
    Opened opened = m_stack.openChild(name.c_str());
    if (opened.error != EACCES)
        return opened;
    const Access folder = frame.node->repairAccess(frame.fd.get());
    if (folder == Access::Refused)
        return opened;
    if (folder == Access::Granted) {
        if (Opened retried = m_stack.openChild(name.c_str()); retried.error != EACCES)
            return retried;
    }
    // The subdirectory itself is unreadable: make it readable through a handle that needs no
    // permission, so a link swapped in by name cannot be chmod-ed instead.
    Opened pathOnly = m_stack.openChild(name.c_str(), true);
    if (pathOnly.error != 0)
        return pathOnly;
    int ignored = 0; // the error reported stays the EACCES of the open
    if (grantOwnerAccess(pathOnly.fd.get(), ignored) != Access::Granted)
        return opened;
    return m_stack.openChild(name.c_str());
}

void TreeWalk::handleUnopenable(Frame& frame, const Entry& entry, int err)
{
    if (err == ENOENT) {
        m_run.removed(); // gone meanwhile
        return;
    }
    if (err == ENOTDIR || err == ELOOP)
        err = unlinkEntry(frame, entry.name); // a link or file put in its place goes as such
    if (err == 0)
        return;
    fail(frame, entry.name, err);
    frame.node->settle(entry.ino);
}

// 0 when the entry is gone (also when someone else removed it first), else the error.
int TreeWalk::unlinkEntry(Frame& frame, const std::string& name)
{
    SysResult result = sys().unlinkat(frame.fd.get(), name.c_str(), 0);
    if (result.error == EACCES && frame.node->repairAccess(frame.fd.get()) == Access::Granted)
        result = sys().unlinkat(frame.fd.get(), name.c_str(), 0);
    if (result.ok() || result.error == ENOENT) {
        m_run.removed();
        return 0;
    }
    return result.error;
}

} // namespace zarvok::erase
