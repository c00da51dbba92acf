// A folder moved out of the tree while a worker is inside it: it is no failure of the queued
// folder, which is still erased, and nothing made in it after the move is touched; a move far up
// a chain deeper than one look's "../.." can climb is seen too. The queued folder itself moved
// away: nothing more is removed in it, and the outcome says so, naming where it went.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <functional>

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

// Makes an empty file; false when it could not be made (its folder is gone, say).
bool made(int dirFd, const char* name)
{
    const int fd = ::openat(dirFd, name, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool made(const fs::path& file)
{
    return made(AT_FDCWD, file.c_str());
}

// Calls `visit` with a handle on each level of a chain of "d" folders from `first` to `last`,
// `top` being level 0; through handles, since the chain is deeper than a path may name.
void forLevels(const fs::path& top, int first, int last, const std::function<void(int)>& visit)
{
    int fd = ::open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (int level = 0; fd >= 0 && level <= last; ++level) {
        if (level >= first)
            visit(fd);
        const int next = level < last ? ::openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
        ::close(fd);
        fd = next;
    }
}

// A chain deeper than one "../.." path can climb (1,000 levels), 20 files a level. When the
// worker unlinks a file at level 1,100, level 1 is moved out of the tree and a file made in every
// level below 1,100. Looks at where a folder is are spread over the work (a look climbs as many
// levels as the folder lies deep, and waits until the worker has done that much work since the
// last one), so the move is seen within about as many removals as the chain is deep: of the
// 200 late files, those of the few dozen levels the worker enters before its next look may go.
TEST(EraseDeepChainMovedOut, AMoveFarAboveAFolderDeeperThanOneClimbIsSeen)
{
    constexpr int kDepth = 1300;
    constexpr int kMoveAt = 1100;
    constexpr int kFilesEach = 20;
    // Work (entries listed) between two looks, at most the depth; one level is 21 entries.
    constexpr int kMostLevelsUnseen = kDepth / (kFilesEach + 1) + 2;
    for (const unsigned workers : {1u, 4u}) {
        TempDir tmp(quickScratch());
        const fs::path tree = tmp / "tree";
        const fs::path away = tmp / "away"; // level 1, moved
        makeChain(tree, kDepth, "d", kFilesEach);
        forLevels(tree, kMoveAt, kMoveAt, [](int fd) { made(fd, "move-trigger"); });
        int lateMade = 0;
        std::atomic<bool> moved{false};
        std::atomic<int> unlinksAfter{0};
        FaultRule move{Call::Unlinkat, 0, "move-trigger", 1};
        move.before = [&] {
            fs::rename(tree / "d", away);
            moved = true;
            // Level k of the chain is k - 1 levels below level 1.
            forLevels(away, kMoveAt, kDepth - 1, [&](int fd) { lateMade += made(fd, "late") ? 1 : 0; });
        };
        FaultRule counting{Call::Unlinkat, 0};
        counting.before = [&] { unlinksAfter += moved ? 1 : 0; };
        FaultyCalls calls({move, counting});

        const Outcome outcome = eraseTree(tree.string(), nullptr, Options{workers});

        ASSERT_EQ(calls.count(Call::Unlinkat, "move-trigger"), 1) << workers;
        ASSERT_EQ(lateMade, kDepth - kMoveAt);
        int lateLeft = 0;
        forLevels(away, kMoveAt, kDepth - 1, [&](int fd) { lateLeft += ::faccessat(fd, "late", F_OK, AT_SYMLINK_NOFOLLOW) == 0 ? 1 : 0; });
        EXPECT_EQ(outcome.status, Status::Erased) << workers << " workers: " << outcome.reason;
        EXPECT_FALSE(present(tree));
        EXPECT_GE(lateLeft, lateMade - kMostLevelsUnseen) << workers << " workers";
        EXPECT_LE(unlinksAfter, kMostLevelsUnseen * (kFilesEach + 1)) << workers << " workers";
    }
}

constexpr char kMovedAway[] = "the folder was moved away while it was being erased; what was left in it stays";

// The queued folder is renamed while a worker is inside one of its subfolders, a file made in it
// and in each subfolder, and someone makes another folder at the old path. Nothing more is
// removed in the moved folder (a worker that looked just before the move may still list one
// subfolder), and the outcome says it was moved, naming its new place: never a path under the
// old name, which is someone else's folder now; where /proc cannot tell the new place, the path
// as queued.
TEST(EraseQueuedFolderMoved, NothingMoreIsRemovedInItAndTheOutcomeNamesItsNewPlace)
{
    for (const auto& [workers, placeTold] : {std::pair{1u, true}, std::pair{4u, true}, std::pair{1u, false}}) {
        TempDir tmp;
        const fs::path tree = tmp / "T";
        const fs::path moved = tmp / "T.moved";
        makeWideTree(tree, kSubfolders, 40);
        touch(tree / "d0" / "move-trigger");
        std::vector<fs::path> late;
        FaultRule rule{Call::Unlinkat, 0, "move-trigger", 1};
        rule.before = [&] {
            fs::rename(tree, moved);
            fs::create_directory(tree);
            touch(tree / "theirs");
            if (made(moved / "late"))
                late.push_back(moved / "late");
            for (int i = 0; i < kSubfolders; ++i)
                if (made(moved / numbered("d", i) / "late"))
                    late.push_back(moved / numbered("d", i) / "late");
        };
        std::vector<FaultRule> rules{rule};
        if (!placeTold)
            rules.push_back({Call::Readlink, ENOENT});
        FaultyCalls calls(std::move(rules));

        const Outcome outcome = eraseTree(tree.string(), nullptr, Options{workers});

        ASSERT_EQ(calls.count(Call::Unlinkat, "move-trigger"), 1) << workers;
        EXPECT_EQ(outcome.status, Status::Failed) << workers;
        EXPECT_EQ(outcome.error.value(), ESTALE) << workers;
        EXPECT_EQ(outcome.reason, kMovedAway) << workers << " workers, at " << outcome.failedPath;
        EXPECT_EQ(outcome.failedPath, (placeTold ? moved : tree).string()) << workers;
        EXPECT_TRUE(present(tree / "theirs")) << workers;
        const auto left = static_cast<std::size_t>(std::count_if(late.begin(), late.end(), [](const fs::path& f) { return present(f); }));
        EXPECT_GE(left + (workers - 1), late.size()) << workers << " workers, " << late.size() << " late files made";
    }
}

} // namespace
} // namespace zarvok::erase::test
