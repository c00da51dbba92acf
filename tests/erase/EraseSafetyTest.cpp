// Links swapped in while an erase runs, entries vanishing under it, and mount points inside
// the tree: nothing outside the tree is ever touched.

#include "EraseEngine.h"
#include "TempTree.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace zarvok::erase::test {
namespace {

// A tree outside the erased one; every test checks that it is exactly as made.
struct Sentinel {
    explicit Sentinel(const fs::path& at) : root(at)
    {
        entries = makeWideTree(root, 5, 5);
        writeFile(root / "marker", "untouched");
    }
    bool intact() const { return countEntries(root) == entries + 1 && present(root / "marker"); }

    fs::path root;
    std::size_t entries = 0;
};

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
        const std::string name = wholeTree ? treeName : "d" + std::to_string(round % folders);
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

// Private mount namespace, so the mounts vanish with the child.
std::string enterPrivateMounts()
{
    if (::geteuid() != 0)
        return "needs root";
    if (::unshare(CLONE_NEWNS) != 0)
        return std::string("unshare(CLONE_NEWNS) failed: ") + std::strerror(errno);
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return std::string("making mounts private failed: ") + std::strerror(errno);
    return {};
}

std::string mountOver(const fs::path& where, const fs::path& bindSource)
{
    const int result = bindSource.empty() ? ::mount("zarvok-test", where.c_str(), "tmpfs", 0, "size=1m")
                                          : ::mount(bindSource.c_str(), where.c_str(), nullptr, MS_BIND, nullptr);
    return result == 0 ? std::string() : std::string("mount failed: ") + std::strerror(errno);
}

class EraseMountPoint : public ::testing::TestWithParam<bool> {};

// A bind mount of the same file system (same st_dev) and a tmpfs (another st_dev).
TEST_P(EraseMountPoint, IsLeftInPlaceWithNothingBelowItTouched)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mount points can only be made as root (run the tests as root to cover this)";
    const bool bindMount = GetParam();
    TempDir tmp;
    const Sentinel sentinel(tmp / "sentinel");
    const fs::path tree = tmp / "tree";
    makeWideTree(tree, 3, 4);
    fs::create_directories(tree / "deeper" / "mnt");
    writeFile(tree / "deeper" / "sibling");

    const ChildResult result = runInChild(
        [&] {
            std::string error = enterPrivateMounts();
            if (error.empty())
                error = mountOver(tree / "deeper" / "mnt", bindMount ? sentinel.root : fs::path());
            if (error.empty() && !bindMount)
                writeFile(tree / "deeper" / "mnt" / "on-tmpfs");
            return error;
        },
        [&] {
            const Outcome outcome = eraseTree(tree.string(), nullptr, Options{2});
            // Still inside the namespace: the mounted tree must be untouched.
            if (!bindMount && !present(tree / "deeper" / "mnt" / "on-tmpfs"))
                return Outcome{Status::Erased, {}, "", "the tmpfs content was removed"};
            return outcome;
        });
    if (!result.ran && result.setupError.find("unshare") != std::string::npos)
        GTEST_SKIP() << "no private mount namespace here: " << result.setupError;
    ASSERT_TRUE(result.ran) << result.setupError;

    EXPECT_EQ(result.status, Status::Failed) << result.reason;
    EXPECT_EQ(result.error, EXDEV) << result.reason;
    EXPECT_EQ(result.failedPath, (tree / "deeper" / "mnt").string());
    EXPECT_TRUE(sentinel.intact());
    // Everything else went, the mount point and the folders holding it stayed.
    EXPECT_TRUE(present(tree / "deeper" / "mnt"));
    EXPECT_FALSE(present(tree / "deeper" / "sibling"));
    EXPECT_FALSE(present(tree / "d0"));
    EXPECT_EQ(countEntries(tree), 2u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EraseMountPoint, ::testing::Values(true, false),
                         [](const auto& kind) { return kind.param ? "BindMount" : "Tmpfs"; });

} // namespace
} // namespace zarvok::erase::test
