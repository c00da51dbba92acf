// Links swapped in while an erase runs and entries vanishing under it: nothing outside the tree
// is ever touched.

#include "EraseEngine.h"
#include "TempTree.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace zarvok::erase::test {
namespace {

// Repeatedly replaces folders of the tree being erased (and the tree's own path) by links to
// the sentinel, until told to stop. It works through handles on the folders it started with,
// so it never walks through one of its own links into the sentinel.
void swapFoldersForLinks(const fs::path& tree, const fs::path& sentinel, int folders, const std::atomic<bool>& stop)
{
    const int outerFd = ::open(tree.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int treeFd = ::open(tree.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const std::string treeName = tree.filename().string();
    for (int round = 0; !stop.load(); ++round) {
        const bool wholeTree = round % 7 == 0;
        const int dirFd = wholeTree ? outerFd : treeFd;
        const std::string name = wholeTree ? treeName : numbered("d", round % folders);
        const std::string parked = name + ".parked" + std::to_string(round);
        if (::renameat(dirFd, name.c_str(), dirFd, parked.c_str()) == 0)
            ::symlinkat(sentinel.c_str(), dirFd, name.c_str());
    }
    ::close(treeFd);
    ::close(outerFd);
}

TEST(EraseRace, AFolderSwappedForALinkNeverLeadsOutsideTheTree)
{
    TempDir tmp;
    const Sentinel sentinel(tmp / "sentinel");
    constexpr int kRounds = 60;
    constexpr int kFolders = 12;
    int failedRuns = 0;
    for (int round = 0; round < kRounds; ++round) {
        const fs::path tree = tmp / ("tree" + std::to_string(round));
        makeWideTree(tree, kFolders, 20);
        std::atomic<bool> stop{false};
        std::thread racer(swapFoldersForLinks, tree, sentinel.root, kFolders, std::cref(stop));
        const Outcome outcome = eraseTree(tree.string(), nullptr, Options{round % 2 == 0 ? 1u : 4u});
        stop = true;
        racer.join();
        failedRuns += outcome.status == Status::Failed;
        ASSERT_TRUE(sentinel.intact()) << "round " << round;
    }
    // Whatever the racer parked or linked is still on disk: none of it reached the sentinel.
    EXPECT_TRUE(sentinel.intact());
    RecordProperty("runs_reporting_failure", failedRuns);
}

TEST(EraseRace, EntriesRemovedByAnotherProcessMeanwhileCountAsRemoved)
{
    TempDir tmp;
    for (int round = 0; round < 20; ++round) {
        const fs::path tree = tmp / ("tree" + std::to_string(round));
        makeWideTree(tree, 30, 30);
        // The other remover is another process's remove_all, or a second erase of the same tree.
        Outcome otherOutcome;
        std::thread other([&] {
            if (round % 3 == 2) {
                otherOutcome = eraseTree(tree.string(), nullptr, Options{2});
                return;
            }
            std::error_code ignored;
            fs::remove_all(tree, ignored);
        });
        const Outcome outcome = eraseTree(tree.string(), nullptr, Options{round % 2 == 0 ? 1u : 4u});
        other.join();
        EXPECT_NE(outcome.status, Status::Failed) << outcome.reason << " at " << outcome.failedPath;
        EXPECT_NE(otherOutcome.status, Status::Failed) << otherOutcome.reason << " at " << otherOutcome.failedPath;
        EXPECT_FALSE(present(tree));
    }
}

} // namespace
} // namespace zarvok::erase::test
