#pragma once
// Real folder trees under /tmp for the erase tests, and a way to run an erase in a child
// process (as another user, with a lower open-file limit, in a private mount namespace).

#include "EraseEngine.h"

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>

namespace zarvok::erase::test {

namespace fs = std::filesystem;

// A fresh folder under /tmp (or under `under`), removed with everything in it at the end of
// the test.
class TempDir {
public:
    TempDir();
    explicit TempDir(const fs::path& under);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// /dev/shm where it is a folder the tests may write in, else /tmp: tens of thousands of files are
// made there in a fraction of the seconds a disk may take.
fs::path quickScratch();

// prefix + number, e.g. "d3".
std::string numbered(const char* prefix, int number);
void writeFile(const fs::path& path, const std::string& content = "0123456789abcdef");
void touch(const fs::path& path); // an empty file, quickly
// Every entry below `root` (the root itself not included), links not followed.
std::size_t countEntries(const fs::path& root);
bool present(const fs::path& path); // without following a final link
// Builds `folders` folders of `filesEach` files of 16 bytes; returns the number of entries made.
std::size_t makeWideTree(const fs::path& root, int folders, int filesEach);
// A chain of `depth` nested folders named `name`, built through handles since it may be longer
// than PATH_MAX; `filesEach` files at every level.
void makeChain(const fs::path& root, int depth, const std::string& name, int filesEach = 0);
// Recursively gives the tree to `uid`/`gid` without following links.
void chownTree(const fs::path& root, uid_t uid, gid_t gid);

// What an erase run in a child process returned; `setupError` tells why it did not run.
struct ChildResult {
    bool ran = false;
    std::string setupError;
    Status status = Status::Failed;
    int error = 0;
    std::string failedPath;
    std::string reason;
};

// Forks; in the child runs `setup` (returns an error text, empty when fine) and then `erase`,
// and sends the outcome back.
ChildResult runInChild(const std::function<std::string()>& setup, const std::function<Outcome()>& erase);

// Setup steps for runInChild.
std::string becomeNobody(); // the unprivileged user 65534, as setpriv --reuid/--regid would
std::string limitOpenFiles(unsigned limit);
std::string enterPrivateMounts(); // needs root; the mounts made then vanish with the child
// Mounts a 1 MB tmpfs at `where`, or binds `bindSource` (a folder or a file) there.
std::string mountOver(const fs::path& where, const fs::path& bindSource = {});

// A tree outside the erased one; tests check that it is exactly as made.
struct Sentinel {
    explicit Sentinel(const fs::path& at);
    bool intact() const;

    fs::path root;
    std::size_t entries = 0;
};

constexpr uid_t kNobody = 65534;

} // namespace zarvok::erase::test
