// ssh ProxyCommand relay: connects stdin/stdout to HOST:PORT and holds back every chunk DELAY_MS
// milliseconds in each direction, as a network with that one-way latency would. Chunks are
// delayed, not throttled: each leaves DELAY_MS after it arrived, whatever is queued behind it.
//
//   latency-relay HOST PORT DELAY_MS
//
// Compiled rather than scripted: on a share's benchmark the relay runs on the same cores as the
// client and the server, and a real network costs the client no processor time at all.

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Chunk {
    Clock::time_point due;
    std::vector<char> bytes;
};

bool writeAll(int fd, const std::vector<char>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Moves bytes from `in` to `out`, each chunk `delay` after it was read, until `in` ends.
void pump(int in, int out, Clock::duration delay)
{
    std::deque<Chunk> due;
    bool ended = false;
    while (!ended || !due.empty()) {
        const Clock::time_point now = Clock::now();
        while (!due.empty() && due.front().due <= now) {
            if (!writeAll(out, due.front().bytes))
                return;
            due.pop_front();
        }
        if (ended) {
            if (!due.empty())
                std::this_thread::sleep_until(due.front().due);
            continue;
        }
        timespec wait{};
        timespec* timeout = nullptr;
        if (!due.empty()) {
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(due.front().due - Clock::now()).count();
            wait.tv_sec = ns > 0 ? ns / 1000000000 : 0;
            wait.tv_nsec = ns > 0 ? ns % 1000000000 : 0;
            timeout = &wait;
        }
        pollfd ready{in, POLLIN, 0};
        if (::ppoll(&ready, 1, timeout, nullptr) <= 0)
            continue;
        std::vector<char> bytes(65536);
        const ssize_t n = ::read(in, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ended = true;
            continue;
        }
        bytes.resize(static_cast<std::size_t>(n));
        due.push_back({Clock::now() + delay, std::move(bytes)});
    }
}

int connectTo(const char* host, const char* port)
{
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host, port, &hints, &found) != 0 || !found)
        return -1;
    int fd = ::socket(found->ai_family, found->ai_socktype, found->ai_protocol);
    if (fd >= 0 && ::connect(fd, found->ai_addr, found->ai_addrlen) != 0) {
        ::close(fd);
        fd = -1;
    }
    ::freeaddrinfo(found);
    if (fd >= 0) {
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    return fd;
}

} // namespace

int main(int argc, char** argv)
{
    char* rest = nullptr;
    const double delayMs = argc == 4 ? std::strtod(argv[3], &rest) : -1;
    if (argc != 4 || *rest != '\0' || delayMs < 0) {
        std::fprintf(stderr, "usage: latency-relay HOST PORT DELAY_MS\n");
        return 2;
    }
    const int server = connectTo(argv[1], argv[2]);
    if (server < 0) {
        std::perror("latency-relay: cannot connect");
        return 1;
    }
    const auto delay = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(delayMs));
    std::thread toServer([server, delay] {
        pump(STDIN_FILENO, server, delay);
        ::shutdown(server, SHUT_WR);
    });
    toServer.detach(); // ends with the process once the server has closed
    pump(server, STDOUT_FILENO, delay);
    return 0;
}
