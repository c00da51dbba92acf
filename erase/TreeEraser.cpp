#include "TreeEraser.h"

#include "SystemCalls.h"
#include "TreeWalk.h"
#include "WaitGauge.h"
#include "WorkPool.h"

#include <cerrno>
#include <new>
#include <string>

namespace zarvok::erase {

namespace {

constexpr char kMovedAway[] = "the folder was moved away while it was being erased; what was left in it stays";

// Where the folder behind `fd` is now, as /proc tells it; empty when that is not a path (a
// folder removed meanwhile reads "... (deleted)") or cannot be told.
std::string placeOf(int fd)
{
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    std::string place(4096, '\0');
    const SysResult read = sys().readlink(link.c_str(), place.data(), place.size());
    if (!read.ok() || read.value <= 0 || static_cast<std::size_t>(read.value) >= place.size())
        return {};
    place.resize(static_cast<std::size_t>(read.value));
    if (place.front() != '/' || place.ends_with(" (deleted)"))
        return {};
    return place;
}

// The queued folder was moved away: whatever failed in it meanwhile was met under a path that is
// no longer its path (another folder may stand there now), so the outcome names its new place,
// or the path as queued when that cannot be told.
Outcome movedAway(const TreeRoot& root)
{
    Outcome outcome;
    outcome.status = Status::Failed;
    outcome.error = std::error_code(ESTALE, std::system_category());
    const std::string place = placeOf(root.watch.get());
    outcome.failedPath = place.empty() ? root.path : place;
    outcome.reason = kMovedAway;
    return outcome;
}

void workUntilDrained(Run& run, std::optional<Task> first)
{
    gauge::attach(&run.pool);
    try {
        TreeWalk walk(run);
        if (first)
            walk.erase(std::move(*first));
        while (std::optional<Task> task = run.pool.take())
            walk.erase(std::move(*task));
    } catch (const std::bad_alloc&) {
        run.failures.record(ENOMEM, run.root.path);
        while (std::optional<Task> task = run.pool.take()) {
            if (task->node)
                task->node->failed = true; // dropped; its handle closes here
        }
    }
    gauge::attach(nullptr);
}

} // namespace

Outcome eraseOpenedTree(TreeRoot root, Progress& progress, const RunLimits& limits, const Containment& containment)
{
    if (limits.askServer)
        root.holders = foldersHolding(root.parent.get());
    Run run(root, progress, limits, containment, [](Run& r) { workUntilDrained(r, std::nullopt); });

    auto rootNode = std::make_shared<Node>(nullptr, root.name, root.st.st_dev, root.st.st_ino, root.st.st_ino);
    workUntilDrained(run, Task{rootNode, std::move(root.fd), nullptr, {}, {}});
    run.pool.joinHelpers();

    Outcome outcome;
    if (progress.cancel.requested() && !run.rootRemoved) {
        outcome.status = Status::Failed;
        outcome.error = std::make_error_code(std::errc::operation_canceled);
        outcome.failedPath = root.path;
        outcome.reason = "stopped";
    } else if (run.rootMovedAway && !run.rootRemoved) {
        outcome = movedAway(root);
    } else if (const std::optional<Failure> failure = run.failures.first()) {
        outcome.status = Status::Failed;
        outcome.error = failure->error;
        outcome.failedPath = failure->path;
        outcome.reason = failure->reason;
    } else if (!run.rootRemoved) {
        outcome.status = Status::Failed;
        outcome.error = std::make_error_code(std::errc::directory_not_empty);
        outcome.failedPath = root.path;
        outcome.reason = "the folder could not be removed";
    }
    return outcome;
}

} // namespace zarvok::erase
