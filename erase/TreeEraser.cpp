#include "TreeEraser.h"

#include "TreeWalk.h"
#include "WaitGauge.h"
#include "WorkPool.h"

#include <cerrno>
#include <new>

namespace zarvok::erase {

namespace {

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
