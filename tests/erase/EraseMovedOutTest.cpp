// A folder moved out of the tree while a worker is inside it: it is no failure of the queued
// folder, which is still erased, and nothing made in it after the move is touched. On a share
// whose server resolves paths, a folder replaced there is a failure that stops all work in it.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace zarvok::erase::test {
namespace {

constexpr int kSubfolders = 12;

// Four folders of subfolders; "b" holds the file whose unlink, before any of its subfolders is
// entered, moves "b" out of the tree and then makes a file in "b" and in each of its subfolders.
struct MovedOutCase {
    TempDir tmp;
    fs::path tree = tmp / "tree";
    fs::path away = tmp / "away";
    std::vector<fs::path> late;

    MovedOutCase()
    {
        for (const char* folder : {"a", "b", "c", "d"})
            makeWideTree(tree / folder, kSubfolders, 40);
        touch(tree / "b" / "move-b-away");
    }

    FaultRule moveRule()
    {
        FaultRule rule{Call::Unlinkat, 0, "move-b-away", 1};
        rule.before = [this] {
            fs::rename(tree / "b", away);
            for (int i = 0; i < kSubfolders; ++i)
                late.push_back(away / numbered("d", i) / "late");
            late.push_back(away / "late");
            for (const fs::path& file : late)
                touch(file);
        };
        return rule;
    }

    std::size_t lateFilesLeft() const
    {
        return static_cast<std::size_t>(std::count_if(late.begin(), late.end(), [](const fs::path& file) { return present(file); }));
    }
};

class EraseSubfolderMovedOut : public ::testing::TestWithParam<int> {};

// Several rounds with helper workers, so that the moved folder is held by one of them as well
// as by the worker that found it.
TEST_P(EraseSubfolderMovedOut, TheTreeIsErasedAndWhatWasMadeThereAfterTheMoveStays)
{
    for (const unsigned workers : {1u, 4u, 4u, 8u}) {
        MovedOutCase c;
        std::vector<FaultRule> rules{c.moveRule()};
        if (GetParam() != 0)
            rules.push_back({Call::Openat2, GetParam()}); // the mount-ID way of staying on the mount
        FaultyCalls calls(std::move(rules));

        const Outcome outcome = eraseTree(c.tree.string(), nullptr, Options{workers});

        ASSERT_EQ(calls.count(Call::Unlinkat, "move-b-away"), 1) << workers;
        EXPECT_EQ(outcome.status, Status::Erased) << workers << " workers: " << outcome.reason << " at " << outcome.failedPath;
        EXPECT_FALSE(present(c.tree)) << workers;
        EXPECT_EQ(c.late.size(), 1u + kSubfolders);
        EXPECT_EQ(c.lateFilesLeft(), c.late.size()) << workers << " workers";
    }
}

INSTANTIATE_TEST_SUITE_P(KernelModes, EraseSubfolderMovedOut, ::testing::Values(0, ENOSYS, EPERM),
                         [](const auto& mode) { return mode.param == 0 ? std::string("Openat2") : mode.param == ENOSYS ? "NoOpenat2" : "Openat2Refused"; });

constexpr long kFuseType = 0x65735546;

// The client's caches hide the swap; the engine asks the server for each folder before each
// small batch of removals.
TEST(EraseOnPathBasedShares, AsksTheServerBeforeEachSmallBatchAndStopsWhereAFolderWasReplaced)
{
    TempDir tmp;
    const fs::path tree = tmp / "tree";
    makeWideTree(tree, 2, 640);
    {
        FaultyCalls calls({});
        calls.pretendFileSystemType = kFuseType;
        EXPECT_TRUE(eraseTree(tree.string(), nullptr, Options{1}).ok());
        EXPECT_GE(calls.count(Call::FstatFromServer), 2 * 640 / 32); // a look every 32 removals or fewer
    }

    makeWideTree(tree, 2, 640);
    FaultRule replaced{Call::FstatFromServer, EIO, {}, 1}; // what the client answers once the type changed
    std::atomic<int> unlinksAfter{0};
    std::atomic<bool> seen{false};
    replaced.before = [&] { seen = true; };
    FaultRule counting{Call::Unlinkat, 0};
    counting.before = [&] { unlinksAfter += seen ? 1 : 0; };
    FaultyCalls calls({replaced, counting});
    calls.pretendFileSystemType = kFuseType;

    const Outcome outcome = eraseTree(tree.string(), nullptr, Options{1});

    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.reason, "the folder was replaced on the server while it was being erased; it was left in place");
    EXPECT_TRUE(present(tree));
    EXPECT_EQ(unlinksAfter, 0); // the root was the folder asked first: nothing more is removed in it
}

} // namespace
} // namespace zarvok::erase::test
