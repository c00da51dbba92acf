// The number of workers follows the file system: no more than the default while operations run
// on the processor, many more once each one waits on a round trip (here: every unlink sleeps
// 1 ms, as on a network share), and exactly the count asked for when one is given.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"
#include "WorkPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <thread>

namespace zarvok::erase::test {
namespace {

struct WorkersCase {
    const char* label;
    bool roundTrips;
    unsigned threads; // 0: the engine's default
};

class EraseWorkers : public ::testing::TestWithParam<WorkersCase> {};

TEST_P(EraseWorkers, FollowTheFileSystem)
{
    const WorkersCase c = GetParam();
    TempDir tmp;
    const fs::path tree = tmp / "tree";
    makeWideTree(tree, 40, 40);
    CallingThreads unlinkers;
    FaultyCalls calls({unlinkers.rule(Call::Unlinkat, [&] {
        if (c.roundTrips)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    })});

    const Outcome outcome = eraseTree(tree.string(), nullptr, Options{c.threads});

    EXPECT_TRUE(outcome.ok()) << outcome.reason;
    EXPECT_FALSE(present(tree));
    if (c.threads != 0)
        EXPECT_LE(unlinkers.count(), c.threads);
    else if (c.roundTrips)
        EXPECT_GT(unlinkers.count(), 2 * defaultThreads());
    else
        EXPECT_LE(unlinkers.count(), defaultThreads());
}

INSTANTIATE_TEST_SUITE_P(Cases, EraseWorkers,
                         ::testing::Values(WorkersCase{"LocalDefault", false, 0}, WorkersCase{"RoundTripsDefault", true, 0},
                                           WorkersCase{"RoundTripsFixedCount", true, 3}),
                         [](const auto& c) { return c.param.label; });

// Every unlink waits 1 ms, as on a share; notes when the first and the last file of each folder
// went (files are named FOLDER-N).
class RoundTripUnlinks : public FaultyCalls {
public:
    RoundTripUnlinks() : FaultyCalls({}) {}

    SysResult unlinkat(int dirFd, const char* name, int flags) override
    {
        // long enough that each folder takes ~0.4 s: under ThreadSanitizer on a busy machine the
        // pool took longer than 0.1 s to hand out all twenty
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
        const SysResult result = FaultyCalls::unlinkat(dirFd, name, flags);
        const std::string entry = name;
        if (const std::size_t dash = entry.find('-'); dash != std::string::npos && flags == 0) {
            std::lock_guard lock(m_mutex);
            auto& [first, last] = m_spans.try_emplace(entry.substr(0, dash), Clock::now(), Clock::now()).first->second;
            last = Clock::now();
        }
        return result;
    }

    // Whether every folder had started before the first one was done.
    bool allFoldersOverlap() const
    {
        std::lock_guard lock(m_mutex);
        Clock::time_point lastStart{}, firstEnd = Clock::time_point::max();
        for (const auto& [folder, span] : m_spans) {
            lastStart = std::max(lastStart, span.first);
            firstEnd = std::min(firstEnd, span.second);
        }
        return !m_spans.empty() && lastStart < firstEnd;
    }

private:
    using Clock = std::chrono::steady_clock;
    mutable std::mutex m_mutex;
    std::map<std::string, std::pair<Clock::time_point, Clock::time_point>> m_spans;
};

// Once the pool is widened, the subfolders still waiting in a worker's frames go to the idle
// workers, down to the last one, rather than each owner keeping one for after its own folder.
TEST(EraseOnRoundTrips, WorksOnEveryFolderAtOnce)
{
    TempDir tmp;
    const fs::path tree = tmp / "tree";
    for (int folder = 0; folder < 20; ++folder) {
        fs::create_directories(tree / numbered("d", folder));
        for (int file = 0; file < 100; ++file)
            writeFile(tree / numbered("d", folder) / (numbered("d", folder) + "-" + std::to_string(file)));
    }
    RoundTripUnlinks calls;

    const Outcome outcome = eraseTree(tree.string());

    EXPECT_TRUE(outcome.ok()) << outcome.reason;
    EXPECT_FALSE(present(tree));
    EXPECT_TRUE(calls.allFoldersOverlap());
}

// Once widened, the pool must take every task offered in a row, each with a worker of its own:
// on a share the new workers are all idle at once, and a pool that starts one thread per task
// taken leaves them idle for most of a small erase.
TEST(WorkPoolWidening, StartsAWorkerForEveryTaskOfferedInARow)
{
    std::atomic<int> done{0};
    WorkPool* self = nullptr;
    WorkPool pool(4, 64, [&] {
        while (self->take())
            ++done;
    });
    self = &pool;
    pool.widen();
    int taken = 0;
    for (int i = 0; i < 40; ++i) {
        Task task;
        taken += pool.offer(task) ? 1 : 0;
    }
    while (pool.take())
        ++done;
    pool.joinHelpers();
    EXPECT_EQ(taken, 40);
    EXPECT_EQ(done.load(), 40);
}

} // namespace
} // namespace zarvok::erase::test
