// The mount is the boundary on btrfs and XFS too: a btrfs subvolume (a device number of its own,
// but no mount) is erased like a folder, inside the tree or queued itself; a bind mount inside
// stays, in every kernel mode. Each case runs on a fresh loop image in a private mount
// namespace, so nothing is left mounted whatever happens.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <iterator>
#include <thread>

namespace zarvok::erase::test {
namespace {

struct FsCase {
    const char* label;
    const char* type; // "btrfs", "xfs" or "ext4"
    int openat2Error; // 0: openat2 works
};

bool isBtrfs(const FsCase& c)
{
    return std::string(c.type) == "btrfs";
}

int shell(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str());
}

// A file system of `type` made on an image in `tmp` and mounted at `where`.
std::string mountLoopImage(const TempDir& tmp, const char* type, const fs::path& where)
{
    const fs::path image = tmp / "image";
    fs::create_directories(where);
    if (shell("truncate -s 320M " + image.string()) != 0 || shell(std::string("mkfs.") + type + " -q " + image.string()) != 0)
        return std::string("mkfs.") + type + " is not available";
    if (shell("mount -o loop -t " + std::string(type) + " " + image.string() + " " + where.string()) != 0)
        return std::string("no loop mount of ") + type + " here";
    return {};
}

// A subvolume where the file system has them, else a plain folder, with a few files in it.
void makeSubvolume(const FsCase& c, const fs::path& at)
{
    if (isBtrfs(c))
        shell("btrfs subvolume create " + at.string());
    else
        fs::create_directories(at);
    for (int i = 0; i < 5; ++i)
        writeFile(at / numbered("f", i));
}

class EraseOnFileSystem : public ::testing::TestWithParam<FsCase> {
protected:
    void SetUp() override
    {
        if (::geteuid() != 0)
            GTEST_SKIP() << "loop images can only be mounted as root (run the tests as root to cover this)";
    }

    // Mounts the file system in a child's private namespace, builds the tree with `build`, and
    // erases it with openat2 answering as the case says; `check` (in the child) words what is wrong.
    ChildResult run(const std::function<void(const fs::path&)>& build, const std::function<Outcome(const fs::path&)>& erase)
    {
        const FsCase c = GetParam();
        const fs::path top = m_tmp / "fs";
        ChildResult result = runInChild(
            [&] {
                std::string error = enterPrivateMounts();
                if (error.empty())
                    error = mountLoopImage(m_tmp, c.type, top);
                if (error.empty())
                    build(top);
                return error;
            },
            [&] {
                std::vector<FaultRule> rules;
                if (c.openat2Error != 0)
                    rules.push_back({Call::Openat2, c.openat2Error});
                FaultyCalls calls(std::move(rules));
                return erase(top);
            });
        return result;
    }

    bool skipWhenUnavailable(const ChildResult& result)
    {
        const std::string& why = result.setupError;
        return !result.ran && (why.find("unshare") != std::string::npos || why.find("not available") != std::string::npos
                               || why.find("no loop mount") != std::string::npos);
    }

    // The case ran (or is skipped where loop images cannot be had) and erased everything,
    // with nothing to report.
    void expectErased(const ChildResult& result)
    {
        if (skipWhenUnavailable(result))
            GTEST_SKIP() << result.setupError;
        ASSERT_TRUE(result.ran) << result.setupError;
        EXPECT_EQ(result.status, Status::Erased) << result.failedPath << ": " << result.reason;
        EXPECT_EQ(result.reason, "");
    }

    TempDir m_tmp;
};

TEST_P(EraseOnFileSystem, ErasesSubvolumesInsideAndLeavesAMountInPlace)
{
    const FsCase c = GetParam();
    const Sentinel sentinel(m_tmp / "sentinel");
    const ChildResult result = run(
        [&](const fs::path& top) {
            const fs::path tree = top / "tree";
            makeWideTree(tree, 3, 4);
            makeSubvolume(c, tree / "a" / "sub");
            makeSubvolume(c, tree / "a" / "sub" / "inner");
            makeWideTree(tree / "a" / "sub" / "inner" / "wide", 2, 3);
            fs::create_directories(tree / "deeper" / "mnt");
            mountOver(tree / "deeper" / "mnt", sentinel.root);
        },
        [&](const fs::path& top) {
            const fs::path tree = top / "tree";
            Outcome outcome = eraseTree(tree.string(), nullptr, Options{2});
            // Counted here, inside the namespace, without descending into the mount.
            std::vector<std::string> left;
            for (auto it = fs::recursive_directory_iterator(tree); it != fs::recursive_directory_iterator(); ++it) {
                left.push_back(it->path().lexically_relative(tree).string());
                if (it->path() == tree / "deeper" / "mnt")
                    it.disable_recursion_pending();
            }
            if (left.size() != 2)
                outcome.reason = "left " + std::to_string(left.size()) + " entries, first " + left.front();
            return outcome;
        });
    if (skipWhenUnavailable(result))
        GTEST_SKIP() << result.setupError;
    ASSERT_TRUE(result.ran) << result.setupError;

    EXPECT_EQ(result.status, Status::Failed);
    EXPECT_EQ(result.error, EXDEV);
    EXPECT_EQ(result.reason, "another file system is mounted here; it was left in place");
    EXPECT_TRUE(result.failedPath.ends_with("/tree/deeper/mnt")) << result.failedPath;
    EXPECT_TRUE(sentinel.intact());
}

TEST_P(EraseOnFileSystem, ErasesAQueuedSubvolume)
{
    const FsCase c = GetParam();
    const ChildResult result = run(
        [&](const fs::path& top) {
            makeSubvolume(c, top / "queued");
            makeSubvolume(c, top / "queued" / "nested");
            makeWideTree(top / "queued" / "nested" / "wide", 2, 3);
            writeFile(top / "beside");
        },
        [&](const fs::path& top) {
            Outcome outcome = eraseTree((top / "queued").string());
            if (present(top / "queued") || !present(top / "beside"))
                outcome.reason = "the wrong entries went";
            return outcome;
        });
    expectErased(result);
}

// Workers side by side in one folder only queue on the lock of XFS and btrfs (slower than rm
// -rf, at more processor time): a large folder's files go by one thread there.
class EraseLargeFolder : public EraseOnFileSystem {};

TEST_P(EraseLargeFolder, UnlinksItOnOneThread)
{
    const ChildResult result = run(
        [&](const fs::path& top) {
            fs::create_directories(top / "large");
            for (int i = 0; i < 3000; ++i)
                writeFile(top / "large" / numbered("f", i));
        },
        [&](const fs::path& top) {
            CallingThreads unlinkers;
            FaultyCalls calls({unlinkers.rule(Call::Unlinkat)});
            Outcome outcome = eraseTree((top / "large").string());
            if (unlinkers.count() != 1)
                outcome.reason = std::to_string(unlinkers.count()) + " threads unlinked";
            return outcome;
        });
    expectErased(result);
}

// On ext4 an empty folder's rmdir frees its inode under the lock of the folder holding it; a
// handle held across the rmdir and closed by an idle worker frees it beside the next rmdirs.
class EraseEmptyFolders : public EraseOnFileSystem {};

TEST_P(EraseEmptyFolders, AreFreedByAnotherWorkerWithNoHandleLeftOpen)
{
    const ChildResult result = run(
        [&](const fs::path& top) {
            for (int i = 0; i < 2000; ++i)
                fs::create_directories(top / "many" / numbered("d", i));
        },
        [&](const fs::path& top) {
            CallingThreads closers;
            FaultyCalls calls({closers.rule(Call::Close)});
            const auto openBefore = std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
            Outcome outcome = eraseTree((top / "many").string());
            const auto openAfter = std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
            if (openAfter != openBefore)
                outcome.reason = std::to_string(openAfter - openBefore) + " handles left open";
            else if (closers.count() < 2)
                outcome.reason = "every handle was closed by the thread that removed the folders";
            return outcome;
        });
    expectErased(result);
}

// Workers asleep on the locks of XFS and btrfs look like workers waiting on round trips; the
// pool must not widen there even when every unlink waits (here 1 ms, as on a share). XFS runs
// one worker per core, so its own freeing of inodes keeps up.
class EraseSlowLocalDisk : public EraseOnFileSystem {};

TEST_P(EraseSlowLocalDisk, KeepsItsWorkers)
{
    const ChildResult result = run([&](const fs::path& top) { makeWideTree(top / "tree", 40, 40); },
                                   [&](const fs::path& top) {
                                       CallingThreads unlinkers;
                                       FaultyCalls calls({unlinkers.rule(Call::Unlinkat, [] {
                                           std::this_thread::sleep_for(std::chrono::milliseconds(1));
                                       })});
                                       Outcome outcome = eraseTree((top / "tree").string());
                                       if (unlinkers.count() > defaultThreads(1))
                                           outcome.reason = std::to_string(unlinkers.count()) + " threads unlinked";
                                       return outcome;
                                   });
    expectErased(result);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EraseOnFileSystem,
                         ::testing::Values(FsCase{"Btrfs", "btrfs", 0}, FsCase{"BtrfsWithoutOpenat2", "btrfs", ENOSYS},
                                           FsCase{"BtrfsOpenat2Filtered", "btrfs", EPERM}, FsCase{"Xfs", "xfs", 0},
                                           FsCase{"XfsWithoutOpenat2", "xfs", ENOSYS}, FsCase{"XfsOpenat2Filtered", "xfs", EPERM}),
                         [](const auto& c) { return c.param.label; });
INSTANTIATE_TEST_SUITE_P(Kinds, EraseEmptyFolders, ::testing::Values(FsCase{"Ext4", "ext4", 0}),
                         [](const auto& c) { return c.param.label; });
INSTANTIATE_TEST_SUITE_P(Kinds, EraseSlowLocalDisk, ::testing::Values(FsCase{"Btrfs", "btrfs", 0}, FsCase{"Xfs", "xfs", 0}),
                         [](const auto& c) { return c.param.label; });
INSTANTIATE_TEST_SUITE_P(Kinds, EraseLargeFolder, ::testing::Values(FsCase{"Btrfs", "btrfs", 0}, FsCase{"Xfs", "xfs", 0}),
                         [](const auto& c) { return c.param.label; });

} // namespace
} // namespace zarvok::erase::test
