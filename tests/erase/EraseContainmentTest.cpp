// Mounts inside the tree and a queued mount point, whether openat2 works, is missing (ENOSYS)
// or is filtered (EPERM); and what is refused when no mount ID can be read.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>

namespace zarvok::erase::test {
namespace {

enum class Mounted { BindMount, Tmpfs, BoundFile };

struct MountCase {
    const char* label;
    Mounted kind;
    int openat2Error; // 0: openat2 works
};

// Runs `erase` in a private mount namespace after `mount` with openat2 answering as the case
// says; fails the outcome when the engine did not take the way the case is about.
ChildResult eraseInMountNamespace(const MountCase& c, const std::function<std::string()>& mount,
                                  const std::function<Outcome()>& erase)
{
    return runInChild(
        [&] {
            std::string error = enterPrivateMounts();
            return error.empty() ? mount() : error;
        },
        [&] {
            std::vector<FaultRule> rules;
            if (c.openat2Error != 0)
                rules.push_back({Call::Openat2, c.openat2Error});
            FaultyCalls calls(std::move(rules));
            Outcome outcome = erase();
            const bool mountIdsUsed = calls.count(Call::StatxMountId) > 0;
            if (mountIdsUsed != (c.openat2Error != 0))
                outcome.reason = "mount IDs used: " + std::to_string(mountIdsUsed);
            return outcome;
        });
}

class MountTest : public ::testing::TestWithParam<MountCase> {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "mount points can only be made as root (run the tests as root to cover this)";
    }
};

class EraseMountInside : public MountTest {};

// A bind mount has the folder's device number, a tmpfs another; a bound file cannot be unlinked.
TEST_P(EraseMountInside, IsLeftInPlaceWithNothingBelowItTouched)
{
    const MountCase c = GetParam();
    TempDir tmp;
    const Sentinel sentinel(tmp / "sentinel");
    const fs::path tree = tmp / "tree";
    makeWideTree(tree, 3, 4);
    const fs::path mountPoint = tree / "deeper" / "mnt";
    // Empty folders beside it, so that it is also met where empty folders are rmdir-ed outright.
    for (int i = 0; i < 40; ++i)
        fs::create_directories(tree / "deeper" / ("empty" + std::to_string(i)));
    fs::create_directories(c.kind == Mounted::BoundFile ? mountPoint.parent_path() : mountPoint);
    if (c.kind == Mounted::BoundFile)
        writeFile(mountPoint, "covered");
    writeFile(tree / "deeper" / "sibling");

    const ChildResult result = eraseInMountNamespace(
        c,
        [&] {
            const fs::path source = c.kind == Mounted::Tmpfs ? fs::path() : c.kind == Mounted::BindMount ? sentinel.root : sentinel.root / "marker";
            std::string error = mountOver(mountPoint, source);
            if (error.empty() && c.kind == Mounted::Tmpfs)
                writeFile(mountPoint / "on-tmpfs");
            return error;
        },
        [&] {
            Outcome outcome = eraseTree(tree.string(), nullptr, Options{2});
            // Still inside the namespace: the mounted tree must be untouched.
            if (c.kind == Mounted::Tmpfs && !present(mountPoint / "on-tmpfs"))
                outcome.reason = "the tmpfs content was removed";
            return outcome;
        });
    if (!result.ran && result.setupError.find("unshare") != std::string::npos)
        GTEST_SKIP() << "no private mount namespace here: " << result.setupError;
    ASSERT_TRUE(result.ran) << result.setupError;

    EXPECT_EQ(result.status, Status::Failed) << result.reason;
    EXPECT_EQ(result.error, c.kind == Mounted::BoundFile ? EBUSY : EXDEV) << result.reason;
    EXPECT_EQ(result.reason, "another file system is mounted here; it was left in place");
    EXPECT_EQ(result.failedPath, mountPoint.string());
    EXPECT_TRUE(sentinel.intact());
    // Everything else went; the mount point and the folders holding it stayed.
    EXPECT_TRUE(present(mountPoint));
    EXPECT_FALSE(present(tree / "deeper" / "sibling"));
    EXPECT_FALSE(present(tree / "d0"));
    EXPECT_EQ(countEntries(tree), 2u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EraseMountInside,
                         ::testing::Values(MountCase{"BindMount", Mounted::BindMount, 0}, MountCase{"Tmpfs", Mounted::Tmpfs, 0},
                                           MountCase{"BoundFile", Mounted::BoundFile, 0},
                                           MountCase{"BindMountWithoutOpenat2", Mounted::BindMount, ENOSYS},
                                           MountCase{"BindMountOpenat2Filtered", Mounted::BindMount, EPERM},
                                           MountCase{"TmpfsWithoutOpenat2", Mounted::Tmpfs, ENOSYS},
                                           MountCase{"BoundFileOpenat2Filtered", Mounted::BoundFile, EPERM}),
                         [](const auto& c) { return c.param.label; });

class EraseQueuedMountPoint : public MountTest {};

TEST_P(EraseQueuedMountPoint, IsRefusedBeforeAnythingIsTouched)
{
    const MountCase c = GetParam();
    TempDir tmp;
    const Sentinel sentinel(tmp / "sentinel");
    const fs::path tree = tmp / "tree";
    fs::create_directories(tree);

    const ChildResult result = eraseInMountNamespace(
        c, [&] { return mountOver(tree, c.kind == Mounted::BindMount ? sentinel.root : fs::path()); },
        [&] {
            if (c.kind == Mounted::Tmpfs)
                makeWideTree(tree, 2, 2);
            Outcome outcome = eraseTree(tree.string());
            if (present(tree) && countEntries(tree) != (c.kind == Mounted::Tmpfs ? 6u : sentinel.entries + 1))
                outcome.reason = "something inside the mounted folder was removed";
            return outcome;
        });
    if (!result.ran && result.setupError.find("unshare") != std::string::npos)
        GTEST_SKIP() << "no private mount namespace here: " << result.setupError;
    ASSERT_TRUE(result.ran) << result.setupError;

    EXPECT_EQ(result.status, Status::Refused);
    EXPECT_EQ(result.error, EBUSY) << result.reason;
    EXPECT_EQ(result.reason, "the folder is a mount point; a mounted volume is never emptied");
    EXPECT_TRUE(sentinel.intact());
}

INSTANTIATE_TEST_SUITE_P(Kinds, EraseQueuedMountPoint,
                         ::testing::Values(MountCase{"BindMount", Mounted::BindMount, 0}, MountCase{"Tmpfs", Mounted::Tmpfs, 0},
                                           MountCase{"BindMountWithoutOpenat2", Mounted::BindMount, ENOSYS},
                                           MountCase{"TmpfsOpenat2Filtered", Mounted::Tmpfs, EPERM}),
                         [](const auto& c) { return c.param.label; });

TEST(EraseWithoutMountIds, IsRefusedWhenOpenat2IsRefusedTooAndNothingIsTouched)
{
    TempDir tmp;
    const fs::path tree = tmp / "tree";
    const std::size_t made = makeWideTree(tree, 3, 3);
    FaultyCalls calls({{Call::Openat2, EPERM},
                       {Call::StatxMountId, ENOSYS},
                       {Call::FileHandleMountId, EOPNOTSUPP},
                       {Call::FdinfoMountId, ENOENT}});

    const Outcome outcome = eraseTree(tree.string());

    EXPECT_EQ(outcome.status, Status::Refused);
    EXPECT_EQ(outcome.error.value(), ENOTSUP);
    EXPECT_NE(outcome.reason.find("no mount ID can be read"), std::string::npos) << outcome.reason;
    EXPECT_EQ(outcome.failedPath, tree.string());
    EXPECT_EQ(countEntries(tree), made);
    EXPECT_EQ(calls.count(Call::Unlinkat), 0);
}

// Each later way of reading mount IDs takes over when the earlier ones fail.
TEST(EraseWithoutMountIds, FallsBackToTheNextWayOfReadingThem)
{
    for (const Call working : {Call::FileHandleMountId, Call::FdinfoMountId}) {
        TempDir tmp;
        const fs::path tree = tmp / "tree";
        makeWideTree(tree, 3, 3);
        std::vector<FaultRule> rules = {{Call::Openat2, ENOSYS}, {Call::StatxMountId, ENOTSUP}};
        if (working == Call::FdinfoMountId)
            rules.push_back({Call::FileHandleMountId, EOPNOTSUPP});
        FaultyCalls calls(std::move(rules));

        const Outcome outcome = eraseTree(tree.string());

        EXPECT_TRUE(outcome.ok()) << outcome.reason;
        EXPECT_FALSE(present(tree));
        EXPECT_GE(calls.count(working), 4); // the parent, the folder and its three subfolders
    }
}

} // namespace
} // namespace zarvok::erase::test
