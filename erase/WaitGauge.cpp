#include "WaitGauge.h"

#include "DirHandle.h"
#include "WorkPool.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace zarvok::erase::gauge {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kWindow = std::chrono::milliseconds(20);
constexpr auto kStale = std::chrono::milliseconds(250); // an idle spell, not a measurement
constexpr unsigned kMinOperations = 4; // a window lasts until it has seen this many
constexpr double kBlockedShare = 0.7;
// An operation this slow waited on something; on a share nearly every one does, on a local
// disk only the few that meet a journal or log flush (XFS and btrfs stall like that often
// enough to fool an average).
constexpr auto kSlowOperation = std::chrono::microseconds(200);
constexpr double kSlowShare = 0.75;
constexpr int kVotesToWiden = 2;

struct State {
    WorkPool* pool = nullptr;
    Fd schedstat; // this thread's /proc/thread-self/schedstat; invalid where there is none
    Clock::time_point windowStart{};
    std::uint64_t runNs = 0; // on the processor + waiting for it, at windowStart
    Clock::time_point lastOperation{};
    unsigned operations = 0;
    unsigned slowOperations = 0;
    int votes = 0;
};

thread_local State t_state;

// Nanoseconds this thread ran or waited to run; false when the kernel does not say.
bool readRunNs(State& state, std::uint64_t& ns)
{
    char text[96] = {};
    const ssize_t got = ::pread(state.schedstat.get(), text, sizeof text - 1, 0);
    unsigned long long onCpu = 0;
    unsigned long long queued = 0;
    if (got <= 0 || std::sscanf(text, "%llu %llu", &onCpu, &queued) != 2)
        return false;
    ns = onCpu + queued;
    return true;
}

void startWindow(State& state, Clock::time_point now)
{
    state.windowStart = now;
    state.lastOperation = now;
    state.operations = 0;
    state.slowOperations = 0;
    if (!readRunNs(state, state.runNs))
        state.schedstat.reset(); // nothing to measure with: the pool keeps its size
}

void judgeWindow(State& state, Clock::time_point now)
{
    const std::chrono::duration<double> wall = now - state.windowStart;
    std::uint64_t runNs = 0;
    if (now - state.windowStart > kStale || !readRunNs(state, runNs)) {
        state.votes = 0;
        return;
    }
    const double blocked = 1.0 - static_cast<double>(runNs - state.runNs) * 1e-9 / wall.count();
    const bool waitsOnRoundTrips = blocked > kBlockedShare && state.slowOperations >= kSlowShare * state.operations;
    state.votes = waitsOnRoundTrips ? state.votes + 1 : 0;
    if (state.votes >= kVotesToWiden) {
        state.votes = 0;
        state.pool->widen();
    }
}

} // namespace

void attach(WorkPool* pool)
{
    State& state = t_state;
    state.pool = pool && pool->adapts() ? pool : nullptr;
    state.votes = 0;
    if (!state.pool) {
        state.schedstat.reset(); // no handle outlives the erase
        return;
    }
    if (!state.schedstat.valid())
        state.schedstat.reset(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC));
    if (state.schedstat.valid())
        startWindow(state, Clock::now());
}

void noteOperation()
{
    State& state = t_state;
    if (!state.pool || !state.schedstat.valid() || !state.pool->mayStillWiden())
        return; // nothing to measure with, or nothing left to decide
    ++state.operations;
    const Clock::time_point now = Clock::now();
    state.slowOperations += now - state.lastOperation > kSlowOperation;
    state.lastOperation = now;
    if (now - state.windowStart < kWindow || state.operations < kMinOperations)
        return;
    judgeWindow(state, now);
    if (state.schedstat.valid())
        startWindow(state, now);
}

} // namespace zarvok::erase::gauge
