#include "MountIdCost.h"

#include "Contenders.h"
#include "SystemCalls.h"
#include "TreeBuilder.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <functional>

namespace zarvok::bench {

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Nanoseconds per folder of one pass that opens each folder with `open` and closes it.
double perFolder(int rootFd, int folders, const std::function<int(int, const char*)>& open)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < folders; ++i) {
        const std::string name = "folder" + std::to_string(i);
        const int fd = open(rootFd, name.c_str());
        if (fd >= 0)
            ::close(fd);
    }
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    return took.count() / folders;
}

} // namespace

MountIdCost measureMountIdCost(const std::string& dir, int folders)
{
    const std::string path = dir + "/zarvok-bench-mountid-" + std::to_string(::getpid());
    Shape shape = subfoldersShape(1.0);
    shape.folders = folders;
    buildTree(path, shape);
    const int rootFd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);

    auto viaOpenat2 = [](int at, const char* name) {
        open_how how{};
        how.flags = kDirFlags;
        how.resolve = RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS;
        return static_cast<int>(erase::sys().openat2(at, name, how).value);
    };
    auto viaOpenat = [](int at, const char* name) { return ::openat(at, name, kDirFlags); };
    auto viaOpenatChecked = [](int at, const char* name) {
        const int fd = ::openat(at, name, kDirFlags);
        std::uint64_t id = 0;
        if (fd >= 0)
            erase::sys().statxMountId(fd, id);
        return fd;
    };

    MountIdCost cost;
    cost.folders = static_cast<std::size_t>(folders);
    perFolder(rootFd, folders, viaOpenat); // warms the directory cache for all three
    for (int round = 0; round < 3; ++round) { // interleaved, so that load on the machine hits all alike
        cost.openat2Ns += perFolder(rootFd, folders, viaOpenat2) / 3;
        cost.openatNs += perFolder(rootFd, folders, viaOpenat) / 3;
        cost.openatCheckedNs += perFolder(rootFd, folders, viaOpenatChecked) / 3;
    }
    ::close(rootFd);
    runProgram({"rm", "-rf", path});
    return cost;
}

} // namespace zarvok::bench
