// What the engine removes, what it calls "no folder", and what it refuses.

#include "EraseEngine.h"
#include "TempTree.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace zarvok::erase::test {
namespace {

void makeSocket(const fs::path& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
    ::close(fd);
}

// Every kind of entry the engine must remove; returns how many entries it made.
std::size_t makeMixedTree(const fs::path& root, const fs::path& outside)
{
    fs::create_directories(root / "a" / "b" / "c");
    fs::create_directories(root / "empty");
    writeFile(root / "a" / "file");
    writeFile(root / "a" / "b" / ".hidden");
    writeFile(root / "read-only");
    fs::permissions(root / "read-only", fs::perms::owner_read);
    writeFile(root / std::string("not-utf8-\xff\xfe"));
    fs::create_directory(root / std::string("dir-\xc3\x28"));
    writeFile(root / std::string("dir-\xc3\x28") / "inside");
    fs::create_directory_symlink(outside, root / "a" / "link-to-outside");
    fs::create_symlink(outside / "kept.txt", root / "link-to-file");
    fs::create_symlink(root / "nowhere", root / "dangling");
    EXPECT_EQ(::mkfifo((root / "fifo").c_str(), 0644), 0);
    makeSocket(root / "socket");
    EXPECT_EQ(::mknod((root / "a" / "null-device").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    return countEntries(root);
}

class EraseEveryKind : public ::testing::TestWithParam<unsigned> {};

TEST_P(EraseEveryKind, RemovesTheWholeTreeAndCountsEachEntry)
{
    TempDir tmp;
    const fs::path outside = tmp / "outside";
    fs::create_directory(outside);
    writeFile(outside / "kept.txt", "keep me");
    const fs::path root = tmp / "tree";
    const std::size_t made = makeMixedTree(root, outside);

    Progress progress;
    const Outcome outcome = eraseTree(root.string(), &progress, Options{GetParam()});

    EXPECT_EQ(outcome.status, Status::Erased) << outcome.reason << " at " << outcome.failedPath;
    EXPECT_TRUE(outcome.ok());
    EXPECT_FALSE(present(root));
    EXPECT_EQ(progress.removed.load(), made + 1); // the folder itself too
    EXPECT_EQ(countEntries(outside), 1u);
    EXPECT_TRUE(present(outside / "kept.txt"));
}

TEST_P(EraseEveryKind, RemovesWideAndLargeFolders)
{
    TempDir tmp;
    const fs::path root = tmp / "tree";
    makeWideTree(root / "wide", 60, 40);
    // More entries than one read batch, with folders among them.
    const fs::path flat = root / "flat";
    fs::create_directory(flat);
    for (int i = 0; i < 12000; ++i)
        touch(flat / ("file-" + std::to_string(i)));
    for (int i = 0; i < 50; ++i) {
        fs::create_directory(flat / ("dir-" + std::to_string(i)));
        writeFile(flat / ("dir-" + std::to_string(i)) / "x", "");
    }
    const std::size_t made = countEntries(root);

    Progress progress;
    const Outcome outcome = eraseTree(root.string() + "/", &progress, Options{GetParam()});

    EXPECT_EQ(outcome.status, Status::Erased) << outcome.reason << " at " << outcome.failedPath;
    EXPECT_FALSE(present(root));
    EXPECT_EQ(progress.removed.load(), made + 1);
}

INSTANTIATE_TEST_SUITE_P(Workers, EraseEveryKind, ::testing::Values(1u, 2u, 4u, 0u));

TEST(EraseNoFolder, AnythingButAFolderAtThePathIsLeftAlone)
{
    TempDir tmp;
    const fs::path target = tmp / "target";
    fs::create_directory(target);
    writeFile(target / "precious");
    writeFile(tmp / "file");
    fs::create_directory_symlink(target, tmp / "link");
    fs::create_symlink(tmp / "file", tmp / "file-link");
    fs::create_symlink(tmp / "missing", tmp / "dangling");
    ASSERT_EQ(::mkfifo((tmp / "fifo").c_str(), 0644), 0);

    const std::vector<std::string> paths = {
        (tmp / "missing").string(),
        (tmp / "missing" / "below").string(),
        (tmp / "file").string(),
        (tmp / "file").string() + "/",
        (tmp / "file" / "below").string(),
        (tmp / "link").string(),
        (tmp / "link").string() + "/",
        (tmp / "link").string() + "//",
        (tmp / "file-link").string(),
        (tmp / "dangling").string(),
        (tmp / "fifo").string(),
    };
    const std::vector<Found> found = {Found::Nothing,      Found::Nothing,      Found::File,         Found::File,
                                      Found::Nothing,      Found::SymbolicLink, Found::SymbolicLink, Found::SymbolicLink,
                                      Found::SymbolicLink, Found::SymbolicLink, Found::File};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        Progress progress;
        const Outcome outcome = eraseTree(path, &progress);
        EXPECT_EQ(outcome.status, Status::NoFolder) << path;
        EXPECT_EQ(outcome.found, found[i]) << path;
        EXPECT_FALSE(outcome.ok()) << path;
        EXPECT_EQ(progress.removed.load(), 0u) << path;
    }
    for (const char* name : {"file", "link", "file-link", "dangling", "fifo", "target/precious"})
        EXPECT_TRUE(present(tmp / name)) << name;
}

TEST(EraseRefusals, RootHomeItsParentsRelativeDotAndNulPathsAreRefusedWithAReason)
{
    TempDir tmp;
    const fs::path home = tmp / "x" / "home";
    fs::create_directories(home / "inside");
    fs::create_directory_symlink(tmp.path(), tmp / "alias");
    const fs::path keep = tmp / "keep";
    fs::create_directories(keep / "sub");
    ::setenv("HOME", home.c_str(), 1); // the test main points HOME at a temporary folder already

    struct Case {
        std::string path;
        std::string reasonPart;
    };
    const std::vector<Case> cases = {
        {"/", "root"},
        {"//", "root"},
        {"/./", ". or .."},
        {"", "empty path"},
        {"relative/folder", "relative"},
        {"./folder", "relative"},
        {home.string(), "home"},
        {home.string() + "/", "home"},
        {tmp.path().string() + "/x//home", "home"},
        // Erasing a folder that holds the home folder would erase it too.
        {(tmp / "x").string(), "holds the home folder"},
        {(tmp / "x").string() + "///", "holds the home folder"},
        {(tmp / "alias" / "x").string(), "holds the home folder"},
        {tmp.path().string(), "holds the home folder"},
        {(home / "inside" / "..").string(), ". or .."},
        {(keep / "sub" / "..").string(), ". or .."},
        {(keep / ".").string(), ". or .."},
        // The system would read only up to the NUL and erase "keep".
        {keep.string() + std::string("\0/sub", 5), "NUL character"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = eraseTree(c.path);
        EXPECT_EQ(outcome.status, Status::Refused) << c.path;
        EXPECT_NE(outcome.reason.find(c.reasonPart), std::string::npos) << c.path << ": " << outcome.reason;
        EXPECT_EQ(outcome.failedPath, c.path);
        EXPECT_TRUE(outcome.error) << c.path;
    }
    EXPECT_TRUE(present(home / "inside"));
    EXPECT_TRUE(present(keep / "sub"));
    // Below the home folder is fine.
    EXPECT_TRUE(eraseTree((home / "inside").string()).ok());
    EXPECT_FALSE(present(home / "inside"));
}

TEST(EraseRefusals, APathThroughALinkedParentIsErasedButNotTheLinkTarget)
{
    TempDir tmp;
    fs::create_directories(tmp / "real" / "victim" / "x");
    writeFile(tmp / "real" / "sibling");
    fs::create_directory_symlink(tmp / "real", tmp / "alias");

    const Outcome outcome = eraseTree((tmp / "alias" / "victim").string());

    EXPECT_TRUE(outcome.ok()) << outcome.reason;
    EXPECT_FALSE(present(tmp / "real" / "victim"));
    EXPECT_TRUE(present(tmp / "real" / "sibling"));
    EXPECT_TRUE(present(tmp / "alias"));
}

} // namespace
} // namespace zarvok::erase::test
