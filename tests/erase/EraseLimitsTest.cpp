// Folders the user may not read or write, trees deeper than PATH_MAX under a tiny open-file
// limit, and going on after a failure.

#include "EraseEngine.h"
#include "FaultyCalls.h"
#include "TempTree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace zarvok::erase::test {
namespace {

void skipUnlessRoot()
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the tree to the unprivileged user 65534";
}

TEST(EraseAsUser, ReadOnlyFilesAndFoldersWithoutPermissionsAreErased)
{
    skipUnlessRoot();
    TempDir tmp;
    const fs::path tree = tmp / "tree";
    struct Folder {
        const char* name;
        fs::perms perms;
    };
    const std::vector<Folder> folders = {
        {"no-write", fs::perms::owner_read | fs::perms::owner_exec},
        {"no-read", fs::perms::owner_write | fs::perms::owner_exec},
        {"no-search", fs::perms::owner_read | fs::perms::owner_write},
        {"nothing", fs::perms::none},
    };
    for (const Folder& folder : folders) {
        fs::create_directories(tree / folder.name / "sub");
        writeFile(tree / folder.name / "file");
        writeFile(tree / folder.name / "sub" / "file");
        fs::permissions(tree / folder.name / "sub", fs::perms::none);
    }
    writeFile(tree / "read-only");
    fs::permissions(tree / "read-only", fs::perms::owner_read);
    chownTree(tmp.path(), kNobody, kNobody);
    for (const Folder& folder : folders)
        fs::permissions(tree / folder.name, folder.perms);
    fs::permissions(tree, fs::perms::none); // the queued folder itself too

    const ChildResult result = runInChild(becomeNobody, [&] { return eraseTree(tree.string()); });

    ASSERT_TRUE(result.ran) << result.setupError;
    EXPECT_EQ(result.status, Status::Erased) << result.reason << " at " << result.failedPath;
    EXPECT_FALSE(present(tree));
}

// The user may not empty a folder of root's, whether or not its owner bits look open; the
// refused repair of a read-only one neither replaces the EACCES nor is followed by another try.
TEST(EraseAsUser, GoesOnAfterAFailureAndReportsTheFirstErrorOfTheFirstEntry)
{
    skipUnlessRoot();
    const fs::perms readable = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read
                               | fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    for (const fs::perms locked : {readable | fs::perms::owner_write, readable}) {
        TempDir tmp;
        const fs::path tree = tmp / "tree";
        makeWideTree(tree, 4, 5);
        fs::create_directories(tree / "locked");
        writeFile(tree / "locked" / "owned-by-root");
        chownTree(tmp.path(), kNobody, kNobody);
        ::lchown((tree / "locked").c_str(), 0, 0);
        fs::permissions(tree / "locked", locked);

        const ChildResult result = runInChild(becomeNobody, [&] {
            FaultyCalls calls({});
            Outcome outcome = eraseTree(tree.string(), nullptr, Options{2});
            const int tries = calls.count(Call::Unlinkat, "owned-by-root");
            const int repairs = calls.count(Call::Fchmod);
            if (tries != 1 || repairs > 1)
                outcome.reason = std::to_string(tries) + " unlinks, " + std::to_string(repairs) + " repairs";
            return outcome;
        });

        ASSERT_TRUE(result.ran) << result.setupError;
        EXPECT_EQ(result.status, Status::Failed);
        EXPECT_EQ(result.error, EACCES) << result.reason;
        EXPECT_EQ(result.reason, "Permission denied");
        EXPECT_EQ(result.failedPath, (tree / "locked" / "owned-by-root").string());
        // Everything else is gone.
        EXPECT_EQ(countEntries(tree), 2u);
        EXPECT_TRUE(present(tree / "locked" / "owned-by-root"));
    }
}

TEST(EraseAsUser, NeverChangesPermissionsOfTheFolderHoldingTheTree)
{
    skipUnlessRoot();
    TempDir tmp;
    const fs::path holder = tmp / "read-only-holder";
    const fs::path tree = holder / "tree";
    makeWideTree(tree, 2, 3);
    chownTree(tmp.path(), kNobody, kNobody);
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec;
    fs::permissions(holder, readOnly);

    const ChildResult result = runInChild(becomeNobody, [&] { return eraseTree(tree.string()); });

    ASSERT_TRUE(result.ran) << result.setupError;
    EXPECT_EQ(result.status, Status::Failed);
    EXPECT_EQ(result.error, EACCES) << result.reason;
    EXPECT_EQ(result.failedPath, tree.string());
    EXPECT_EQ(fs::status(holder).permissions(), readOnly);
    EXPECT_TRUE(present(tree));
    EXPECT_EQ(countEntries(tree), 0u); // emptied all the same
}

// Erases the tree in a child limited to 32 open files and checks that every one of the `made`
// entries was removed and counted.
void expectErasedUnderOpenFileLimit32(const fs::path& tree, std::size_t made, unsigned threads)
{
    const ChildResult result = runInChild([] { return limitOpenFiles(32); },
                                          [&] {
                                              Progress progress;
                                              Outcome outcome = eraseTree(tree.string(), &progress, Options{threads});
                                              if (outcome.ok() && progress.removed.load() != made)
                                                  outcome.reason = "removed " + std::to_string(progress.removed.load());
                                              return outcome;
                                          });

    ASSERT_TRUE(result.ran) << result.setupError;
    EXPECT_EQ(result.status, Status::Erased) << result.reason << " at " << result.failedPath.substr(0, 200);
    EXPECT_EQ(result.reason, "");
    EXPECT_FALSE(present(tree));
}

struct DeepCase {
    const char* label;
    unsigned threads;
    int filesEach;
};

class EraseDeep : public ::testing::TestWithParam<DeepCase> {};

// 10,000 levels of "folder" make a path of 70,000 bytes: far past PATH_MAX, and far past what
// 32 open files could hold.
TEST_P(EraseDeep, ChainDeeperThanPathMaxUnderAnOpenFileLimitOf32)
{
    constexpr int kDepth = 10000;
    TempDir tmp;
    const fs::path tree = tmp / "chain";
    makeChain(tree, kDepth, "folder", GetParam().filesEach);
    const std::size_t made = static_cast<std::size_t>(kDepth) * (GetParam().filesEach + 1) + 1;

    expectErasedUnderOpenFileLimit32(tree, made, GetParam().threads);
}

INSTANTIATE_TEST_SUITE_P(Shapes, EraseDeep,
                         ::testing::Values(DeepCase{"OneWorker", 1, 0}, DeepCase{"FourWorkers", 4, 0},
                                           DeepCase{"DefaultWorkersWithFiles", 0, 3}, DeepCase{"SixteenWorkers", 16, 1}),
                         [](const auto& shape) { return shape.param.label; });

// Many side branches along a deep spine: workers climb back through ".." into folders that
// still hold entries, under the same tiny limit.
TEST(EraseDeep, BranchingTreeUnderAnOpenFileLimitOf32)
{
    TempDir tmp;
    const fs::path tree = tmp / "comb";
    fs::path level = tree;
    for (int depth = 0; depth < 300; ++depth) {
        fs::create_directories(level);
        for (int b = 0; b < 3; ++b) {
            fs::create_directory(level / ("branch" + std::to_string(b)));
            touch(level / ("branch" + std::to_string(b)) / "leaf");
            touch(level / ("file" + std::to_string(b)));
        }
        level /= "spine";
    }
    const std::size_t made = countEntries(tree) + 1;

    expectErasedUnderOpenFileLimit32(tree, made, 4);
}

} // namespace
} // namespace zarvok::erase::test
