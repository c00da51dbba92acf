#pragma once
// Stands in for the engine's system calls while it lives: chosen calls are answered with chosen
// errors, every other call goes through to the system, and every call is counted.

#include "SystemCalls.h"

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace zarvok::erase::test {

enum class Call { Openat2, Openat, Fstat, Getdents, Unlinkat, Fchmod, Close, StatxMountId, FileHandleMountId, FdinfoMountId, StatFromServer, Readlink };

struct FaultRule {
    FaultRule(Call c, int err, std::string onName = {}, int count = -1) : call(c), error(err), name(std::move(onName)), times(count) {}

    Call call;
    int error;
    std::string name;             // only calls on this name; empty: any call of the kind
    int times = -1;               // faults to give; -1: every matching call
    int skip = 0;                 // matching calls let through before the first fault
    std::function<void()> before; // runs just before the fault (e.g. someone else removes a folder)
};

// Which threads make one kind of call: its rule goes into a FaultyCalls and gives no fault.
class CallingThreads {
public:
    // `then` runs after the call is noted (e.g. a sleep, as for a round trip).
    FaultRule rule(Call call, std::function<void()> then = {})
    {
        FaultRule noting{call, 0};
        noting.before = [this, then = std::move(then)] {
            {
                std::lock_guard lock(m_mutex);
                m_threads.insert(std::this_thread::get_id());
            }
            if (then)
                then();
        };
        return noting;
    }
    std::size_t count() const
    {
        std::lock_guard lock(m_mutex);
        return m_threads.size();
    }

private:
    mutable std::mutex m_mutex;
    std::set<std::thread::id> m_threads;
};

class FaultyCalls : public SystemCalls {
public:
    explicit FaultyCalls(std::vector<FaultRule> rules);
    ~FaultyCalls() override;
    FaultyCalls(const FaultyCalls&) = delete;
    FaultyCalls& operator=(const FaultyCalls&) = delete;

    // Calls made of that kind (on that name, when one is given), faulted ones included.
    int count(Call call, const std::string& name = {}) const;

    SysResult openat2(int dirFd, const char* name, const open_how& how) override;
    SysResult openat(int dirFd, const char* name, int flags) override;
    SysResult fstat(int fd, struct stat& st) override;
    SysResult getdents64(int fd, char* buffer, std::size_t size) override;
    SysResult unlinkat(int dirFd, const char* name, int flags) override;
    SysResult fchmod(int fd, mode_t mode) override;
    void close(int fd) override; // counted, never faulted
    SysResult readlink(const char* path, char* buffer, std::size_t size) override;
    SysResult statFromServer(int dirFd, const char* path, struct stat& st) override;
    SysResult fileSystemType(int fd, long& type) override; // pretendFileSystemType when set
    SysResult statxMountId(int fd, std::uint64_t& id) override;
    SysResult fileHandleMountId(int fd, std::uint64_t& id) override;
    SysResult fdinfoMountId(int fd, std::uint64_t& id) override;

    long pretendFileSystemType = 0;

private:
    // The error to answer with, or 0 to let the call through.
    int faultFor(Call call, const char* name);

    mutable std::mutex m_mutex;
    std::vector<FaultRule> m_rules;
    std::map<std::pair<Call, std::string>, int> m_counts;
};

} // namespace zarvok::erase::test
