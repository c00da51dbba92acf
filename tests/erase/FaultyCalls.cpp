#include "FaultyCalls.h"

namespace zarvok::erase::test {

FaultyCalls::FaultyCalls(std::vector<FaultRule> rules) : m_rules(std::move(rules))
{
    useSystemCalls(this);
}

FaultyCalls::~FaultyCalls()
{
    useSystemCalls(nullptr);
}

int FaultyCalls::count(Call call, const std::string& name) const
{
    std::lock_guard lock(m_mutex);
    int total = 0;
    for (const auto& [key, calls] : m_counts)
        if (key.first == call && (name.empty() || key.second == name))
            total += calls;
    return total;
}

int FaultyCalls::faultFor(Call call, const char* name)
{
    std::function<void()> before;
    int error = 0;
    {
        std::lock_guard lock(m_mutex);
        ++m_counts[{call, name ? name : ""}];
        for (FaultRule& rule : m_rules) {
            if (rule.call != call || (!rule.name.empty() && (!name || rule.name != name)) || rule.times == 0)
                continue;
            if (rule.skip > 0) {
                --rule.skip;
                continue;
            }
            rule.times -= rule.times > 0;
            before = rule.before;
            error = rule.error;
            break;
        }
    }
    if (before)
        before();
    return error;
}

SysResult FaultyCalls::openat2(int dirFd, const char* name, const open_how& how)
{
    const int error = faultFor(Call::Openat2, name);
    return error ? SysResult{-1, error} : SystemCalls::openat2(dirFd, name, how);
}

SysResult FaultyCalls::openat(int dirFd, const char* name, int flags)
{
    const int error = faultFor(Call::Openat, name);
    return error ? SysResult{-1, error} : SystemCalls::openat(dirFd, name, flags);
}

SysResult FaultyCalls::fstat(int fd, struct stat& st)
{
    const int error = faultFor(Call::Fstat, nullptr);
    return error ? SysResult{-1, error} : SystemCalls::fstat(fd, st);
}

SysResult FaultyCalls::getdents64(int fd, char* buffer, std::size_t size)
{
    const int error = faultFor(Call::Getdents, nullptr);
    return error ? SysResult{-1, error} : SystemCalls::getdents64(fd, buffer, size);
}

SysResult FaultyCalls::unlinkat(int dirFd, const char* name, int flags)
{
    const int error = faultFor(Call::Unlinkat, name);
    return error ? SysResult{-1, error} : SystemCalls::unlinkat(dirFd, name, flags);
}

SysResult FaultyCalls::fchmod(int fd, mode_t mode)
{
    const int error = faultFor(Call::Fchmod, nullptr);
    return error ? SysResult{-1, error} : SystemCalls::fchmod(fd, mode);
}

SysResult FaultyCalls::readlink(const char* path, char* buffer, std::size_t size)
{
    const int error = faultFor(Call::Readlink, nullptr);
    return error ? SysResult{-1, error} : SystemCalls::readlink(path, buffer, size);
}

void FaultyCalls::close(int fd)
{
    faultFor(Call::Close, nullptr);
    SystemCalls::close(fd);
}

SysResult FaultyCalls::statFromServer(int dirFd, const char* path, struct stat& st)
{
    const int error = faultFor(Call::StatFromServer, path);
    return error ? SysResult{-1, error} : SystemCalls::statFromServer(dirFd, path, st);
}

SysResult FaultyCalls::fileSystemType(int fd, long& type)
{
    if (pretendFileSystemType == 0)
        return SystemCalls::fileSystemType(fd, type);
    type = pretendFileSystemType;
    return {};
}

SysResult FaultyCalls::statxMountId(int fd, std::uint64_t& id)
{
    const int error = faultFor(Call::StatxMountId, nullptr);
    return error ? SysResult{-1, error} : SystemCalls::statxMountId(fd, id);
}

SysResult FaultyCalls::fileHandleMountId(int fd, std::uint64_t& id)
{
    const int error = faultFor(Call::FileHandleMountId, nullptr);
    return error ? SysResult{-1, error} : SystemCalls::fileHandleMountId(fd, id);
}

SysResult FaultyCalls::fdinfoMountId(int fd, std::uint64_t& id)
{
    const int error = faultFor(Call::FdinfoMountId, nullptr);
    return error ? SysResult{-1, error} : SystemCalls::fdinfoMountId(fd, id);
}

} // namespace zarvok::erase::test
