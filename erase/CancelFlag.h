#pragma once
// Stops an erase from another thread. The workers look at it between entries, so a stop takes
// effect within the system calls already under way; what was removed stays removed.

#include <atomic>

namespace zarvok::erase {

class CancelFlag {
public:
    void request() { m_requested.store(true, std::memory_order_relaxed); }
    bool requested() const { return m_requested.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> m_requested{false};
};

} // namespace zarvok::erase
