#pragma once
// Tells, while an erase runs, whether its workers spend their time on the processor or waiting
// for answers (a network share, a FUSE file system): each worker samples, about every 20 ms,
// how much of that time its thread was neither running nor ready to run, from the kernel's
// scheduler statistics. Waits on round trips leave it blocked nearly all the time at well over
// 100 µs an operation; a local disk keeps it on the processor (or ready for it, on a busy
// machine) at a few µs an operation. Two such samples in a row widen the pool.

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
