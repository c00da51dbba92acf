// Faults a real machine can give at any call: out of descriptors, a parent gone stale, a folder
// removed by someone else between listing and opening it.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace zarvok::erase::test {
namespace {

struct FaultCase {
    const char* label;
    FaultRule rule;
    Status status;
    int error;
    const char* failedBelowTree; // "" when the failure may be anywhere in the tree
    std::size_t left;            // entries left below the tree
    std::size_t unseen = 0;      // entries someone else removed before the engine saw them
};

class EraseFault : public ::testing::TestWithParam<FaultCase> {};

// One worker under an open-file limit of 32 keeps 15 handles on its way down, so the chain of
// 40 is climbed back through "..", where the faults at ".." land.
TEST_P(EraseFault, IsHandledAsTheCaseSays)
{
    const FaultCase c = GetParam();
    TempDir tmp;
    const fs::path tree = tmp / "tree";
    makeWideTree(tree, 4, 3);
    makeChain(tree / "deep", 40, "level", 1);
    const std::size_t made = countEntries(tree);
    FaultRule rule = c.rule;
    if (rule.name == "d2")
        rule.before = [&] { fs::remove_all(tree / "d2"); };

    const ChildResult result = runInChild([] { return limitOpenFiles(32); },
                                          [&] {
                                              FaultyCalls calls({rule});
                                              Progress progress;
                                              Outcome outcome = eraseTree(tree.string(), &progress, Options{1});
                                              if (outcome.ok() && progress.removed.load() != made + 1 - c.unseen)
                                                  outcome.reason = "removed " + std::to_string(progress.removed.load());
                                              if (calls.count(rule.call, rule.name) == 0)
                                                  outcome.reason = "the fault was never met";
                                              return outcome;
                                          });

    ASSERT_TRUE(result.ran) << result.setupError;
    EXPECT_EQ(result.status, c.status) << result.reason << " at " << result.failedPath;
    EXPECT_EQ(result.error, c.error) << result.reason;
    if (c.status == Status::Erased) {
        EXPECT_EQ(result.reason, "");
        EXPECT_FALSE(present(tree));
        return;
    }
    EXPECT_EQ(result.failedPath.rfind(tree.string() + c.failedBelowTree, 0), 0u) << result.failedPath;
    EXPECT_EQ(countEntries(tree), c.left);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, EraseFault,
    ::testing::Values(
        FaultCase{"OutOfDescriptorsOnce", {Call::Openat2, EMFILE, "d1", 1}, Status::Erased, 0, "", 0},
        FaultCase{"OutOfDescriptorsForGood", {Call::Openat2, EMFILE, "d1"}, Status::Failed, EMFILE, "/d1", 4},
        FaultCase{"FolderRemovedByOthersBeforeItIsOpened", {Call::Openat2, ENOENT, "d2", 1}, Status::Erased, 0, "", 0, 3},
        FaultCase{"ParentGoneFromItsChildIsReopenedFromTheTop", {Call::Openat2, ENOENT, "..", 1}, Status::Erased, 0, "", 0},
        FaultCase{"StaleParentIsReopenedFromTheTop", {Call::Openat2, ESTALE, "..", 1}, Status::Erased, 0, "", 0}),
    [](const auto& c) { return c.param.label; });

// Climbing back up fails, and on the way down from the top a mount now stands on a folder the
// walk had entered: the failure says so in words, not as the system's "cross-device link".
TEST(EraseFaultWords, AMountMetOnTheWayBackDownIsCalledAMount)
{
    TempDir tmp;
    const fs::path tree = tmp / "tree";
    makeChain(tree / "deep", 40, "level", 1);
    FaultRule mounted{Call::Openat2, EXDEV, "deep"};
    mounted.skip = 1; // the first open is the walk's way in

    const ChildResult result = runInChild([] { return limitOpenFiles(32); },
                                          [&] {
                                              FaultyCalls calls({{Call::Openat2, EXDEV, ".."}, mounted});
                                              return eraseTree(tree.string(), nullptr, Options{1});
                                          });

    ASSERT_TRUE(result.ran) << result.setupError;
    EXPECT_EQ(result.status, Status::Failed);
    EXPECT_EQ(result.error, EXDEV);
    EXPECT_EQ(result.reason, "another file system is mounted here; it was left in place");
}

// The queued folder is moved away mid-erase (and something put into it), or moved away and
// another folder made at its path: a failure that says so and names where it went, and the
// folder now at the path stays.
TEST(EraseMovedAway, IsAFailureThatSaysSoNeverASuccess)
{
    for (const bool replaced : {false, true}) {
        TempDir tmp;
        const fs::path tree = tmp / "tree";
        const fs::path moved = tmp / "tree.moved";
        makeWideTree(tree, 3, 3);
        FaultRule rule{Call::Unlinkat, 0, "f0", 1};
        rule.before = [&] {
            fs::rename(tree, moved);
            fs::create_directories(moved / "late");
            touch(moved / "late" / "x");
            if (replaced)
                fs::create_directories(tree);
        };
        FaultyCalls calls({rule});

        const Outcome outcome = eraseTree(tree.string(), nullptr, Options{1});

        EXPECT_EQ(outcome.status, Status::Failed) << replaced;
        EXPECT_EQ(outcome.error.value(), ESTALE) << replaced;
        EXPECT_EQ(outcome.reason, "the folder was moved away while it was being erased; what was left in it stays");
        EXPECT_EQ(outcome.failedPath, moved.string());
        EXPECT_TRUE(present(moved / "late" / "x"));
        EXPECT_EQ(present(tree), replaced);
    }
}

} // namespace
} // namespace zarvok::erase::test
