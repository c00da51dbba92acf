// On a share whose server resolves every removal as a path again (FUSE, SMB), a folder on that
// path swapped for a link on the server sends the removals after it to what the link points to.
// The engine asks the server before each small batch; whichever folder of the path was swapped,
// the one being emptied, one above it, the queued folder or one holding that, the erase stops
// within a batch and says that the folder was replaced on the server.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>

namespace zarvok::erase::test {
namespace {

constexpr long kFuseType = 0x65735546;
constexpr char kReplaced[] = "the folder was replaced on the server while it was being erased; it was left in place";

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

} // namespace
} // namespace zarvok::erase::test
