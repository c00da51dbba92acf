#include "StopSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace zarvok::tool {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Touched by the signal handler: lock-free atomics and a descriptor only.
std::atomic<int> g_signalsSeen{0};
std::atomic<int> g_firstSignal{0};
std::atomic<int> g_wakeWrite{-1};

std::atomic<bool> g_stopped{false};
std::atomic<int> g_stoppedRead{-1};

struct Watch {
    std::mutex mutex;
    erase::CancelFlag* cancelling = nullptr;
    int wakeRead = -1;
    int stoppedWrite = -1;
    int caller = -1; // the user's side of --admin, on our standard input
    std::atomic<bool> quitting{false};
    std::thread thread;
};
std::unique_ptr<Watch> g_owned;
Watch* g_watch = nullptr;

extern "C" void onStopSignal(int signal)
{
    const int savedErrno = errno;
    if (g_signalsSeen.fetch_add(1) > 0)
        ::_exit(kStopped); // asked again while stopping: at once
    g_firstSignal.store(signal);
    const char byte = 's';
    [[maybe_unused]] const ssize_t written = ::write(g_wakeWrite.load(), &byte, 1);
    errno = savedErrno;
}

void failHard(const char* what)
{
    std::fprintf(stderr, "zarvok-erase: %s: %s\n", what, std::strerror(errno));
    std::fflush(stderr);
    std::abort();
}

void requestStop(Watch& watch)
{
    std::lock_guard lock(watch.mutex);
    if (g_stopped.exchange(true))
        return;
    if (watch.cancelling)
        watch.cancelling->request();
    const char byte = 's';
    if (::write(watch.stoppedWrite, &byte, 1) != 1)
        failHard("a stop could not be passed on");
}

// The user's side hangs up (EOF, or an error once it is gone); anything it sends is ignored.
bool callerHungUp(int fd)
{
    char buffer[256];
    const ssize_t got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    return got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN);
}

void watchLoop(Watch& watch)
{
    pollfd fds[2] = {{watch.wakeRead, POLLIN, 0}, {watch.caller, POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            failHard("waiting for a stop failed");
        }
        if (fds[0].revents != 0) {
            char byte;
            [[maybe_unused]] const ssize_t got = ::read(watch.wakeRead, &byte, 1);
            if (watch.quitting.load())
                return;
            requestStop(watch);
        }
        if (fds[1].revents != 0 && callerHungUp(watch.caller)) {
            fds[1].fd = -1;
            requestStop(watch);
        }
    }
}

// Our standard input, when it is the socket of a user's side of --admin that greets us; we
// answer so it knows that the administrator's side runs.
int callerOnStandardInput()
{
    struct stat st {};
    if (::geteuid() != 0 || ::fstat(STDIN_FILENO, &st) != 0 || !S_ISSOCK(st.st_mode))
        return -1;
    // The user's side wrote its greeting before pkexec started.
    pollfd ready{STDIN_FILENO, POLLIN, 0};
    if (::poll(&ready, 1, 1000) != 1)
        return -1;
    const std::string_view hello(kCallerHello);
    char got[sizeof kCallerHello];
    if (::recv(STDIN_FILENO, got, hello.size(), MSG_DONTWAIT | MSG_PEEK) != static_cast<ssize_t>(hello.size())
        || std::string_view(got, hello.size()) != hello)
        return -1;
    [[maybe_unused]] const ssize_t taken = ::recv(STDIN_FILENO, got, hello.size(), MSG_DONTWAIT);
    // Our lines may go to a user's side that is gone: then they are lost, and we still stop.
    ::signal(SIGPIPE, SIG_IGN);
    const std::string_view answer(kRootHello);
    if (::send(STDIN_FILENO, answer.data(), answer.size(), MSG_NOSIGNAL) < 0 && errno != EPIPE && errno != ECONNRESET)
        failHard("the user's side could not be answered");
    return STDIN_FILENO;
}

void makePipe(int fds[2])
{
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        failHard("a pipe for stop requests could not be made");
}

} // namespace

StopWatch::StopWatch()
{
    g_owned = std::make_unique<Watch>();
    Watch* watch = g_owned.get();
    int wake[2];
    int stopped[2];
    makePipe(wake);
    makePipe(stopped);
    watch->wakeRead = wake[0];
    watch->stoppedWrite = stopped[1];
    watch->caller = callerOnStandardInput();
    g_wakeWrite.store(wake[1]);
    g_stoppedRead.store(stopped[0]);
    g_watch = watch;
    watch->thread = std::thread([watch] { watchLoop(*watch); });

    struct sigaction action {};
    action.sa_handler = onStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : kStopSignals)
        sigaddset(&action.sa_mask, signal);
    for (const int signal : kStopSignals)
        if (::sigaction(signal, &action, nullptr) != 0)
            failHard("signals could not be caught");
}

// The handlers and descriptors stay to the end of the process: a signal that comes after the
// last erase finds a pipe that nobody reads, and nothing else.
StopWatch::~StopWatch()
{
    Watch* watch = g_watch;
    watch->quitting.store(true);
    const char byte = 'q';
    if (::write(g_wakeWrite.load(), &byte, 1) != 1)
        failHard("the stop watch could not be ended");
    watch->thread.join();
    g_watch = nullptr;
    g_owned.reset();
}

StopWatch::Cancelling::Cancelling(erase::CancelFlag& flag)
{
    if (!g_watch)
        return;
    std::lock_guard lock(g_watch->mutex);
    g_watch->cancelling = &flag;
    if (g_stopped.load())
        flag.request();
}

StopWatch::Cancelling::~Cancelling()
{
    if (!g_watch)
        return;
    std::lock_guard lock(g_watch->mutex);
    g_watch->cancelling = nullptr;
}

int StopWatch::exitStatus(int status) const
{
    return g_stopped.load() ? kStopped : status;
}

bool stopRequested()
{
    return g_stopped.load();
}

int stoppedFd()
{
    return g_stoppedRead.load();
}

int stopSignal()
{
    return g_firstSignal.load();
}

} // namespace zarvok::tool
