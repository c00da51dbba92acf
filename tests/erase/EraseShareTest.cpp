// On a share whose server resolves every removal as a path again (FUSE, SMB), a folder on that
// path swapped for a link on the server sends the removals after it to what the link points to.
// The engine asks the server before each small batch; whichever folder of the path was swapped,
// the one being emptied, one above it, the queued folder or one holding that, the erase stops
// within a batch and says that the folder was replaced on the server.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>

namespace zarvok::erase::test {
namespace {

constexpr long kFuseType = 0x65735546;
constexpr char kReplaced[] = "the folder was replaced on the server while it was being erased; it was left in place";

// A path-based share standing in for sshfs: once `after` files below `swapped` are gone, the
// server puts a link in that folder's place. From then on it answers for that folder, asked from
// any handle along any path, as the client does for a handle whose type changed (EIO); each
// removal below it reaches what the link points to and is counted, the first of them failing
// with `firstError` when that is set, and a folder there cannot be removed (the link's target
// still holds what was removed before the swap).
class SwappingServer : public FaultyCalls {
public:
    SwappingServer(const fs::path& swapped, int after, int firstError)
        : FaultyCalls({}), m_swapped(swapped), m_after(after), m_firstError(firstError)
    {
        pretendFileSystemType = kFuseType;
        struct stat st{};
        if (::lstat(swapped.c_str(), &st) == 0)
            m_swappedIno = st.st_ino;
    }

    SysResult statFromServer(int dirFd, const char* path, struct stat& st) override
    {
        struct stat here{};
        const int flags = (*path ? 0 : AT_EMPTY_PATH) | AT_SYMLINK_NOFOLLOW;
        if (m_done && ::fstatat(dirFd, path, &here, flags) == 0 && here.st_ino == m_swappedIno)
            return SysResult{-1, EIO};
        return FaultyCalls::statFromServer(dirFd, path, st);
    }

    SysResult unlinkat(int dirFd, const char* name, int flags) override
    {
        if (!below(dirFd))
            return FaultyCalls::unlinkat(dirFd, name, flags);
        if (m_done) {
            ++m_reachedLink;
            if (flags & AT_REMOVEDIR)
                return SysResult{-1, ENOTEMPTY};
            if (m_firstError != 0 && m_reachedLink == 1)
                return SysResult{-1, m_firstError};
        }
        const SysResult removed = FaultyCalls::unlinkat(dirFd, name, flags);
        if (removed.ok() && !(flags & AT_REMOVEDIR) && ++m_gone == m_after)
            m_done = true;
        return removed;
    }

    int reachedLink() const { return m_reachedLink; }
    bool swappedYet() const { return m_done; }

private:
    bool below(int dirFd) const
    {
        std::error_code error;
        const fs::path at = fs::read_symlink("/proc/self/fd/" + std::to_string(dirFd), error);
        const std::string prefix = m_swapped.string() + '/';
        return !error && (at == m_swapped || at.string().starts_with(prefix));
    }

    const fs::path m_swapped;
    const int m_after;
    const int m_firstError;
    ino_t m_swappedIno = 0;
    std::atomic<int> m_gone{0};
    std::atomic<int> m_reachedLink{0};
    std::atomic<bool> m_done{false};
};

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
        EXPECT_GE(calls.count(Call::StatFromServer, ""), 2 * 640 / 32); // a look every 32 removals or fewer
    }

    makeWideTree(tree, 2, 640);
    FaultRule replaced{Call::StatFromServer, EIO, "", 1}; // what the client answers once the type changed
    std::atomic<int> unlinksAfter{0};
    std::atomic<bool> seen{false};
    replaced.before = [&] { seen = true; };
    FaultRule counting{Call::Unlinkat, 0};
    counting.before = [&] { unlinksAfter += seen ? 1 : 0; };
    FaultyCalls calls({replaced, counting});
    calls.pretendFileSystemType = kFuseType;

    const Outcome outcome = eraseTree(tree.string(), nullptr, Options{1});

    EXPECT_EQ(outcome.status, Status::Failed);
    EXPECT_EQ(outcome.reason, kReplaced);
    EXPECT_TRUE(present(tree));
    EXPECT_EQ(unlinksAfter, 0); // the root was the folder asked first: nothing more is removed in it
}

struct SwapCase {
    const char* swapped; // below the scratch folder; the queued folder is share/T
    int after;           // files of T/x/y gone before the swap
    int firstError;      // of the first removal that reaches the link's target
};

// share/T/x/y with 200 files in y and nothing else: every removal is made in y, so a swap of
// any folder on y's path sends them elsewhere.
TEST(EraseOnPathBasedShares, AFolderAboveTheOneBeingEmptiedSwappedOnTheServerStopsTheEraseWithinABatch)
{
    const SwapCase cases[] = {
        {"share/T/x", 5, 0},      // a folder above, in the tree
        {"share/T", 5, 0},        // the queued folder, two levels up
        {"share", 5, 0},          // the folder holding the queued one
        {"share/T/x", 5, EPERM},  // the removals that reach the link's target fail there first
        {"share/T/x", 60, 0},     // later, at a batch's edge
    };
    for (const SwapCase& c : cases) {
        for (const unsigned workers : {1u, 4u}) {
            TempDir tmp;
            const fs::path tree = tmp / "share/T";
            fs::create_directories(tree / "x/y");
            for (int i = 0; i < 200; ++i)
                touch(tree / "x/y" / numbered("f", i));
            const fs::path swapped = tmp / c.swapped;
            SwappingServer server(swapped, c.after, c.firstError);

            const Outcome outcome = eraseTree(tree.string(), nullptr, Options{workers});

            const std::string label = std::string(c.swapped) + " after " + std::to_string(c.after) + ", " + std::to_string(workers) + " workers";
            ASSERT_TRUE(server.swappedYet()) << label;
            EXPECT_EQ(outcome.status, Status::Failed) << label;
            EXPECT_EQ(outcome.reason, kReplaced) << label << ": " << outcome.failedPath;
            EXPECT_EQ(outcome.failedPath, swapped.string()) << label;
            EXPECT_LE(server.reachedLink(), 16) << label; // one batch at most
            EXPECT_TRUE(present(tree / "x/y")) << label;
        }
    }
}

// Asking about every folder on the path before each batch would cost depth squared round trips
// on a chain, down and again on the way back up.
TEST(EraseOnPathBasedShares, AChainAsksTheServerAboutFewFoldersPerLevel)
{
    TempDir tmp;
    constexpr int kDepth = 500;
    makeChain(tmp / "tree", kDepth, "d", 2);
    FaultyCalls calls({});
    calls.pretendFileSystemType = kFuseType;

    EXPECT_TRUE(eraseTree((tmp / "tree").string(), nullptr, Options{1}).ok());

    EXPECT_LE(calls.count(Call::StatFromServer), 10 * kDepth);
}

} // namespace
} // namespace zarvok::erase::test
