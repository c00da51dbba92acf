// A survey counts what an erase would meet, by the same rules, and touches nothing.

#include "Survey.h"
#include "TempTree.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace zarvok::erase::test {
namespace {

// What a child process's survey saw, sent back through the outcome's text.
Outcome asOutcome(const Survey& s)
{
    Outcome outcome;
    outcome.reason = "entries=" + std::to_string(s.entries) + " mounts=" + std::to_string(s.mountPoints)
                     + " locked=" + std::to_string(s.lockedFolders) + " unreadable=" + std::to_string(s.unreadable)
                     + " first-unreadable=" + s.firstUnreadable + " first-mount=" + s.firstMountPoint;
    return outcome;
}

TEST(Survey, CountsEntriesAndSpaceWithHardLinksOnceAndLinksNotFollowed)
{
    TempDir dir;
    const fs::path root = dir / "tree";
    const std::size_t made = makeWideTree(root, 3, 10);
    const Survey plain = surveyTree(root.string());
    ASSERT_EQ(plain.status, Survey::Status::Done);
    EXPECT_EQ(plain.entries, made);
    EXPECT_GT(plain.bytes, 0u);

    // Two more names for a file already there take no more space; a link to a large folder
    // outside is one entry.
    fs::create_hard_link(root / "d0" / "f0", root / "twin1");
    fs::create_hard_link(root / "d0" / "f0", root / "twin2");
    makeWideTree(dir / "outside", 5, 20);
    fs::create_directory_symlink(dir / "outside", root / "link");
    const Survey linked = surveyTree(root.string());
    EXPECT_EQ(linked.entries, made + 3);
    EXPECT_EQ(linked.bytes, plain.bytes);
    EXPECT_EQ(countEntries(root), made + 3); // nothing touched

    const Survey quick = surveyTree(root.string(), nullptr, SurveyDetail::EntriesOnly);
    EXPECT_EQ(quick.entries, made + 3);
    EXPECT_FALSE(quick.sized);
}

TEST(Survey, WalksAChainDeeperThanItsOpenHandles)
{
    TempDir dir;
    const fs::path root = dir / "chain";
    makeChain(root, 2000, "d", 1);
    const Survey survey = surveyTree(root.string());
    EXPECT_EQ(survey.status, Survey::Status::Done);
    EXPECT_EQ(survey.entries, 2000u * 2);
    EXPECT_EQ(survey.unreadable, 0u);

    // A folder of several listing batches whose handle is closed for a deep chain below one of
    // its first subfolders: its listing goes on where it stood, each entry counted once.
    const fs::path wide = dir / "wide";
    constexpr int kSubfolders = 9000, kChains = 10, kLevels = 60;
    for (int i = 0; i < kSubfolders; ++i)
        fs::create_directories(wide / numbered("s", i));
    for (int i = 0; i < kChains; ++i)
        makeChain(wide / numbered("s", i * kSubfolders / kChains) / "chain", kLevels, "d", 0);
    const Survey widely = surveyTree(wide.string());
    EXPECT_EQ(widely.status, Survey::Status::Done);
    EXPECT_EQ(widely.entries, countEntries(wide));
    EXPECT_EQ(widely.unreadable, 0u);
}

TEST(Survey, RefusesWhatAnEraseRefusesAndTellsNoFolder)
{
    TempDir dir;
    writeFile(dir / "file");
    const struct {
        std::string path;
        Survey::Status status;
    } cases[] = {
        {"/", Survey::Status::Refused},
        {"relative/path", Survey::Status::Refused},
        {(dir / "missing").string(), Survey::Status::NoFolder},
        {(dir / "file").string(), Survey::Status::NoFolder},
    };
    for (const auto& c : cases)
        EXPECT_EQ(surveyTree(c.path).status, c.status) << c.path;
}

TEST(Survey, StopsWhenCancelled)
{
    TempDir dir;
    makeWideTree(dir / "tree", 2, 5);
    SurveyProgress progress;
    progress.cancel.request();
    EXPECT_EQ(surveyTree((dir / "tree").string(), &progress).status, Survey::Status::Stopped);
}

TEST(Survey, TellsFoldersTheUserMayNotEmptyOrReadWithoutChangingThem)
{
    TempDir dir;
    const fs::path root = dir / "tree";
    makeWideTree(root, 2, 2);
    fs::create_directories(root / "theirs" / "inner");
    // the closed folder lies below more levels than the survey keeps open, and is named by its path
    makeChain(root / "chain", 60, "d");
    fs::path closed = root / "chain";
    for (int level = 0; level < 60; ++level)
        closed /= "d";
    closed /= "closed";
    fs::create_directories(closed / "inner");
    chownTree(root, kNobody, kNobody);
    ASSERT_EQ(::chown((root / "theirs").c_str(), 0, 0), 0);
    ASSERT_EQ(::chown(closed.c_str(), 0, 0), 0);
    ASSERT_EQ(::chmod(closed.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const ChildResult seen = runInChild(becomeNobody, [&] { return asOutcome(surveyTree(root.string())); });
    ASSERT_TRUE(seen.ran) << seen.setupError;
    // 6 + theirs, its inner + the chain's 61 folders + closed (its inner unseen).
    EXPECT_EQ(seen.reason, "entries=70 mounts=0 locked=2 unreadable=1 first-unreadable=" + closed.string() + " first-mount=");
    struct stat st{};
    ASSERT_EQ(::stat(closed.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
}

TEST(Survey, NeverLooksPastAMountPointInside)
{
    TempDir dir;
    const fs::path root = dir / "tree";
    makeWideTree(root, 1, 3);
    fs::create_directory(root / "mnt");
    const ChildResult seen = runInChild(
        [&] {
            std::string error = enterPrivateMounts();
            if (error.empty())
                error = mountOver(root / "mnt", dir / "tree");
            return error;
        },
        [&] { return asOutcome(surveyTree(root.string())); });
    if (!seen.ran)
        GTEST_SKIP() << "no private mounts here: " << seen.setupError;
    EXPECT_EQ(seen.reason, "entries=5 mounts=1 locked=0 unreadable=0 first-unreadable= first-mount=" + (root / "mnt").string());
}

} // namespace
} // namespace zarvok::erase::test
