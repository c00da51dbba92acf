#pragma once
// How far a run is, from the entries its folders' surveys counted: the percentage removed and,
// after the first second, the time left at the pace so far.

#include <QString>

#include <cstdint>
#include <optional>

namespace zarvok::app {

class RunEstimate {
public:
    // `total`: entries to remove (each folder's survey plus the folder itself); 0 when not
    // every folder of the run has been surveyed, and the run's extent is unknown.
    explicit RunEstimate(std::uint64_t total = 0) : m_total(total) {}

    bool known() const { return m_total > 0; }
    // 0-99 while entries remain (100 only when every one is gone), nothing when unknown.
    std::optional<int> percent(std::uint64_t removed) const;
    // "12 s left", "4 min left"; empty in the first second or when unknown.
    QString timeLeft(std::uint64_t removed, qint64 elapsedMs) const;

    static constexpr qint64 kQuietMs = 1000;

private:
    std::uint64_t m_total;
};

} // namespace zarvok::app
