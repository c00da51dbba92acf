#include "TreeBuilder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zarvok::bench {

namespace {

int scaled(int count, double scale)
{
    return std::max(1, static_cast<int>(std::lround(count * scale)));
}

void writeFiles(int dirFd, int count)
{
    static const char content[] = "0123456789abcdef";
    for (int i = 0; i < count; ++i) {
        const std::string name = "file" + std::to_string(i);
        const int fd = ::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, content, 16) != 16)
            throw std::runtime_error("could not write " + name);
        ::close(fd);
    }
}

int makeAndOpen(int dirFd, const std::string& name)
{
    if (::mkdirat(dirFd, name.c_str(), 0755) != 0)
        throw std::runtime_error("could not make " + name);
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("could not open " + name);
    return fd;
}

} // namespace

Shape wideShape(double scale)
{
    return Shape{"wide", scaled(2000, scale), 100, false};
}

Shape flatShape(double scale)
{
    return Shape{"flat", 0, scaled(200000, scale), false};
}

Shape deepShape(double scale)
{
    return Shape{"deep", scaled(5000, scale), 2, true};
}

Shape subfoldersShape(double scale)
{
    return Shape{"subfolders", scaled(200000, scale), 0, false};
}

Shape chainwideShape(double scale)
{
    return Shape{"chainwide", scaled(200, scale), scaled(10000, scale), true};
}

Shape shareShape(double scale)
{
    return Shape{"share", scaled(20, scale), 100, false};
}

std::optional<Shape> shapeNamed(const std::string& name, double scale)
{
    if (name == "chainwide")
        return chainwideShape(scale);
    if (name == "share")
        return shareShape(scale);
    if (name == "flat")
        return flatShape(scale);
    if (name == "deep")
        return deepShape(scale);
    if (name == "subfolders")
        return subfoldersShape(scale);
    if (name == "wide")
        return wideShape(scale);
    return std::nullopt;
}

std::size_t buildTree(const std::string& root, const Shape& shape)
{
    int fd = makeAndOpen(AT_FDCWD, root);
    std::size_t entries = 1;
    if (shape.folders == 0) {
        writeFiles(fd, shape.filesEach);
        entries += static_cast<std::size_t>(shape.filesEach);
    }
    for (int i = 0; i < shape.folders; ++i) {
        const int child = makeAndOpen(fd, shape.chain ? "level" : "folder" + std::to_string(i));
        writeFiles(child, shape.filesEach);
        entries += 1 + static_cast<std::size_t>(shape.filesEach);
        if (shape.chain) {
            ::close(fd);
            fd = child;
        } else {
            ::close(child);
        }
    }
    ::close(fd);
    return entries;
}

} // namespace zarvok::bench
