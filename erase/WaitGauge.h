#pragma once
// Tells, while an erase runs, whether its workers spend their time on the processor or waiting
// for answers (a network share, a FUSE file system): each worker samples, about every 20 ms,
// how much of that time its thread was neither running nor ready to run, from the kernel's
// scheduler statistics, and how many of its operations took over 200 µs. Waits on round trips
// leave it blocked nearly all the time with nearly every operation slow; a local disk keeps it
// on the processor (or ready for it, on a busy machine) at a few µs an operation, with now and
// then one that meets a journal or log flush. Two samples in a row that say "round trips"
// widen the pool.

#include <cstdint>

namespace zarvok::erase {

class WorkPool;

namespace gauge {

// The pool the calling thread works for; nullptr when it stops.
void attach(WorkPool* pool);

// One file-system operation is done on the calling thread.
void noteOperation();

} // namespace gauge
} // namespace zarvok::erase
