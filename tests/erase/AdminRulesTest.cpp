// What zarvok-erase --admin refuses as root, beyond the engine's rules: one table of folders
// against stand-in rules (folders made here), one against this system's own rules, and a
// folder swapped between the check and the erase.

#include "AdminRules.h"
#include "TempTree.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

namespace zarvok::erase::test {
namespace {

using zarvok::tool::AdminRules;
using zarvok::tool::adminRefusal;

// The refusal for the folder at `path`, opened as the engine opens it (no link followed at the
// end); "(cannot open)" when there is no folder there.
std::string refusalOf(const fs::path& path, const AdminRules& rules)
{
    const int fd = ::open(path.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return "(cannot open)";
    struct stat st{};
    ::fstat(fd, &st);
    std::string reason = adminRefusal(fd, st, rules);
    ::close(fd);
    return reason;
}

class AdminRulesTable : public ::testing::Test {
protected:
    AdminRulesTable()
    {
        for (const char* folder : {"sys/lib/deep", "sys/scratch/mine", "homes/alice/docs", "homes/bob/docs", "free/one/two", "elsewhere"})
            fs::create_directories(tmp / folder);
        fs::create_symlink(tmp / "sys", tmp / "free" / "linked-sys");
        rules.systemFolders = {(tmp / "sys").string()};
        rules.scratchFolders = {(tmp / "sys" / "scratch").string()};
        rules.homes = {{"alice", (tmp / "homes" / "alice").string(), 1001}, {"bob", (tmp / "homes" / "bob").string(), 1002},
                       {"nobody", "/nonexistent", 65534}};
        rules.asker = 1001;
    }

    TempDir tmp;
    AdminRules rules;
};

TEST_F(AdminRulesTable, RefusesTheRootTopLevelSystemFoldersAndHomes)
{
    struct Case {
        std::string path; // below the test's folder unless absolute
        std::string refusal; // a part of the reason; empty: erased
    };
    const std::vector<Case> cases = {
        {"/", "the file-system root is never erased"},
        {"/tmp", "a top-level folder (one directly under /) is never erased as administrator"},
        {"/usr", "a top-level folder"},
        {"sys", "it lies in " + (tmp / "sys").string()},
        {"sys/lib/deep", "it lies in " + (tmp / "sys").string()},
        {"sys/lib/deep/", "it lies in"},
        {"free/linked-sys/lib", "it lies in"},       // a linked parent leads into it all the same
        {"sys/lib/../lib", "it lies in"},
        {"homes/alice", "it is the home folder of alice"},
        {"homes/alice/", "it is the home folder of alice"},
        {"homes/bob", "it is the home folder of bob"},
        {"homes", "it holds the home folder of alice"},
        {"", "it holds the home folder of alice"},  // the test's own folder holds them too
        {"homes/alice/docs", ""},                      // inside the asker's own home
        {"homes/bob/docs", "it lies in the home folder of bob"},
        {"sys/scratch", "is shared by every user"},
        {"sys/scratch/mine", ""},                      // shared scratch, even in a system folder
        {"free", ""},
        {"free/one/two", ""},
        {"elsewhere", ""},
        {"free/linked-sys", "(cannot open)"},          // the link itself: not a folder
    };
    for (const Case& c : cases) {
        const fs::path path = !c.path.empty() && c.path[0] == '/' ? fs::path(c.path) : tmp.path() / c.path;
        const std::string reason = refusalOf(path, rules);
        if (c.refusal.empty())
            EXPECT_EQ(reason, "") << c.path;
        else
            EXPECT_NE(reason.find(c.refusal), std::string::npos) << c.path << ": " << reason;
    }
}

// Root's climb from a folder on a mount only a user's namespace has would end in the user's own
// folders: a mount missing from root's table is refused before any climb.
TEST_F(AdminRulesTable, RefuseAFolderOnAMountRootDoesNotHave)
{
    std::ofstream(tmp / "mountinfo") << "999999998 1 0:1 / / rw - tmpfs none rw\n";
    rules.mountTable = (tmp / "mountinfo").string();
    EXPECT_NE(refusalOf(tmp / "free" / "one", rules).find("a mount namespace of its own"), std::string::npos);
    rules.mountTable = (tmp / "no-such-table").string();
    EXPECT_NE(refusalOf(tmp / "free" / "one", rules).find("mount could not be told"), std::string::npos);
}

// Before polkit is asked, as the user: the same refusals where the user can look, and none
// where the user cannot (root judges again on its own handle).
TEST_F(AdminRulesTable, AreToldBeforePolkitIsAskedWhereTheUserCanSee)
{
    using zarvok::tool::adminRefusalSeenByUser;
    EXPECT_EQ(adminRefusalSeenByUser("/", rules), "the file-system root is never erased");
    EXPECT_EQ(adminRefusalSeenByUser("//", rules), "the file-system root is never erased");
    EXPECT_NE(adminRefusalSeenByUser((tmp / "sys" / "lib").string(), rules).find("it lies in"), std::string::npos);
    EXPECT_NE(adminRefusalSeenByUser((tmp / "homes" / "alice").string() + "/", rules).find("home folder of alice"), std::string::npos);
    EXPECT_EQ(adminRefusalSeenByUser((tmp / "free" / "one").string(), rules), "");
    EXPECT_EQ(adminRefusalSeenByUser((tmp / "free" / "linked-sys").string(), rules), ""); // a link: root tells
    EXPECT_EQ(adminRefusalSeenByUser((tmp / "no-such-folder").string(), rules), "");
    // /proc/self/cwd names the user's working folder to the user and root's to root.
    const fs::path here = fs::current_path();
    fs::current_path(tmp / "free");
    EXPECT_NE(adminRefusalSeenByUser("/proc/self/cwd/one", rules).find("passes through a link of /proc"), std::string::npos);
    fs::current_path(here);
}

TEST(AdminRulesOfThisSystem, RefuseSystemFoldersHomesAndTopLevelFolders)
{
    const AdminRules rules = AdminRules::ofThisSystem(::getuid());
    TempDir tmp;
    fs::create_directories(tmp / "plain");
    char varTmp[] = "/var/tmp/zarvok-rules-XXXXXX";
    const bool haveVarTmp = ::mkdtemp(varTmp) != nullptr;
    struct Case {
        std::string path;
        std::string refusal;
    };
    const std::vector<Case> cases = {
        {"/var/lib", "it lies in /var"},
        {"/var/log", "it lies in /var"},
        {"/var/tmp", "is shared by every user"},
        {haveVarTmp ? varTmp : "/nonexistent", ""},
        {"/var/spool", "it lies in /var"},
        {"/usr/share", "it lies in /usr"},
        {"/usr/lib", "it lies in /usr"},
        {"/etc/apt", "it lies in /etc"},
        {"/proc/sys", "it lies in /proc"},
        {"/sys/kernel", "it lies in /sys"},
        {"/dev/shm", "it lies in /dev"},
        {"/run/dbus", "it lies in /run"},
        {"/var", "a top-level folder"},
        {"/home", "a top-level folder"},
        {(tmp / "plain").string(), ""},
    };
    for (const Case& c : cases) {
        if (!fs::is_directory(fs::symlink_status(c.path)))
            continue; // not on this system
        const std::string reason = refusalOf(c.path, rules);
        if (c.refusal.empty())
            EXPECT_EQ(reason, "") << c.path;
        else
            EXPECT_NE(reason.find(c.refusal), std::string::npos) << c.path << ": " << reason;
    }
    // Every home folder of the password database that exists, and what holds it.
    bool sawHome = false;
    for (const AdminRules::Home& home : rules.homes) {
        if (!fs::is_directory(fs::symlink_status(home.folder)) || fs::path(home.folder).parent_path() == "/")
            continue;
        sawHome = true;
        EXPECT_NE(refusalOf(home.folder, rules), "") << home.folder; // in /usr or /run, or a home folder
        if (fs::path(home.folder).parent_path().parent_path() != "/") {
            EXPECT_NE(refusalOf(fs::path(home.folder).parent_path(), rules), "") << home.folder;
        }
    }
    EXPECT_TRUE(sawHome || rules.homes.empty());
    if (haveVarTmp)
        fs::remove(varTmp);
}

// The rules are asked again on the handle the erase works through: a folder swapped for a
// guarded one after the first look is judged as the guarded one, refused, and neither is touched.
TEST(AdminRulesInTheEngine, JudgeTheFolderTheEraseOpens)
{
    TempDir tmp;
    makeWideTree(tmp / "victim", 2, 2);
    makeWideTree(tmp / "guarded", 2, 2);
    const std::size_t guardedEntries = countEntries(tmp / "guarded");
    struct stat guarded{};
    ASSERT_EQ(::stat((tmp / "guarded").c_str(), &guarded), 0);
    std::vector<ino_t> judged;
    Options options;
    options.refusal = [&](int fd, const struct stat& st) -> std::string {
        struct stat behind{};
        ::fstat(fd, &behind);
        EXPECT_EQ(behind.st_ino, st.st_ino); // the identity is the handle's
        judged.push_back(st.st_ino);
        if (judged.size() == 1) {
            fs::rename(tmp / "victim", tmp / "away");
            fs::rename(tmp / "guarded", tmp / "victim");
        }
        return st.st_ino == guarded.st_ino && st.st_dev == guarded.st_dev ? "guarded" : "";
    };

    const Outcome outcome = eraseTree((tmp / "victim").string(), nullptr, options);

    EXPECT_EQ(outcome.status, Status::Refused) << outcome.reason;
    EXPECT_EQ(outcome.reason, "guarded");
    ASSERT_EQ(judged.size(), 2u);
    EXPECT_EQ(judged[1], guarded.st_ino);
    EXPECT_EQ(countEntries(tmp / "victim"), guardedEntries);
    EXPECT_TRUE(present(tmp / "away"));
}

TEST(AdminRulesInTheEngine, NeverFollowALinkSwappedIn)
{
    TempDir tmp;
    makeWideTree(tmp / "victim", 2, 2);
    makeWideTree(tmp / "guarded", 2, 2);
    const std::size_t guardedEntries = countEntries(tmp / "guarded");
    AdminRules rules;
    int looks = 0;
    Options options;
    options.refusal = [&](int fd, const struct stat& st) {
        if (looks++ == 0) {
            fs::rename(tmp / "victim", tmp / "away");
            fs::create_directory_symlink(tmp / "guarded", tmp / "victim");
        }
        return adminRefusal(fd, st, rules);
    };

    const Outcome outcome = eraseTree((tmp / "victim").string(), nullptr, options);

    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(countEntries(tmp / "guarded"), guardedEntries);
    EXPECT_TRUE(present(tmp / "away"));
}

// /proc/PID/root and /proc/PID/cwd lead root into what another process sees; the erase refuses
// a path through them when told to, and touches nothing.
TEST(AdminRulesInTheEngine, RefuseAPathThroughAProcLink)
{
    TempDir tmp;
    makeWideTree(tmp / "tree", 2, 2);
    const std::size_t entries = countEntries(tmp / "tree");
    Options options;
    options.refuseProcLinks = true;
    const fs::path here = fs::current_path();
    fs::current_path(tmp.path());
    for (const std::string& path : std::vector<std::string>{"/proc/self/root" + (tmp / "tree").string(), "/proc/self/cwd/tree"}) {
        const Outcome outcome = eraseTree(path, nullptr, options);
        EXPECT_EQ(outcome.status, Status::Refused) << path << ": " << outcome.reason;
        EXPECT_NE(outcome.reason.find("passes through a link of /proc"), std::string::npos) << outcome.reason;
    }
    fs::current_path(here);
    EXPECT_EQ(countEntries(tmp / "tree"), entries);
}

} // namespace
} // namespace zarvok::erase::test
