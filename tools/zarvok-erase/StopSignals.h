#pragma once
// Stopping zarvok-erase: SIGINT, SIGTERM and SIGHUP, and for the administrator's side of
// --admin the user's side hanging up, end the erase under way; the tool still tells what became
// of each path and exits with kStopped. A second signal ends it at once.

#include "CancelFlag.h"

#include <mutex>
#include <thread>

namespace zarvok::tool {

constexpr int kStopped = 4; // exit status: stopped by a signal or by the user's side of --admin

// The user's side of --admin writes kCallerHello to the administrator's side on its standard
// input (a socket); that side answers kRootHello as soon as it runs as root, and stops when the
// socket hangs up: when the user's side is stopped, or dies.
inline constexpr char kCallerHello[] = "zarvok-erase: stop when this hangs up\n";
inline constexpr char kRootHello[] = "zarvok-erase: erasing as administrator\n";

// One per process, for as long as erases run: catches the signals, and watches the user's side
// when this process is the administrator's side started by it.
class StopWatch {
public:
    StopWatch();
    ~StopWatch();
    StopWatch(const StopWatch&) = delete;
    StopWatch& operator=(const StopWatch&) = delete;

    // While a Cancelling lives, a stop request cancels `flag` (at once when one came already).
    class Cancelling {
    public:
        explicit Cancelling(erase::CancelFlag& flag);
        ~Cancelling();
        Cancelling(const Cancelling&) = delete;
        Cancelling& operator=(const Cancelling&) = delete;
    };

    // The status to exit with: kStopped once a stop was requested, else `status`.
    int exitStatus(int status) const;
};

// Whether a stop was requested; false when no StopWatch lives.
bool stopRequested();

// A descriptor that turns readable, and stays so, once a stop is requested; -1 without a StopWatch.
int stoppedFd();

// The signal that asked to stop first (0 for a hang-up of the user's side, or none yet).
int stopSignal();

} // namespace zarvok::tool
