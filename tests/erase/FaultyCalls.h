#pragma once
// Stands in for the engine's system calls while it lives: chosen calls are answered with chosen
// errors, every other call goes through to the system, and every call is counted.

#include "SystemCalls.h"

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace zarvok::erase::test {

enum class Call { Openat2, Openat, Fstat, Getdents, Unlinkat, Fchmod, StatxMountId, FileHandleMountId, FdinfoMountId };

struct FaultRule {
    FaultRule(Call c, int err, std::string onName = {}, int count = -1) : call(c), error(err), name(std::move(onName)), times(count) {}

    Call call;
    int error;
    std::string name;             // only calls on this name; empty: any call of the kind
    int times = -1;               // faults to give; -1: every matching call
    std::function<void()> before; // runs just before the fault (e.g. someone else removes a folder)
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
    SysResult statxMountId(int fd, std::uint64_t& id) override;
    SysResult fileHandleMountId(int fd, std::uint64_t& id) override;
    SysResult fdinfoMountId(int fd, std::uint64_t& id) override;

private:
    // The error to answer with, or 0 to let the call through.
    int faultFor(Call call, const char* name);

    mutable std::mutex m_mutex;
    std::vector<FaultRule> m_rules;
    std::map<std::pair<Call, std::string>, int> m_counts;
};

} // namespace zarvok::erase::test
