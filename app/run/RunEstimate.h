#pragma once
// How far a run is, from the entries its folders' surveys counted: the percentage removed and,
// after the first second, the time left at the pace so far. A folder erased before its survey
// ended makes the figures an estimate, and says so ("about 40%").

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace zarvok::app {

class RunEstimate {
public:
    // `total`: entries to remove (each folder's survey plus the folder itself); 0 when not
    // every folder of the run has been surveyed, and the run's extent is unknown.
    explicit RunEstimate(std::uint64_t total = 0, bool estimated = false) : m_total(total), m_estimated(estimated) {}

    bool known() const { return m_total > 0; }
    // The total is an estimate: a survey had not ended when its folder's erase began.
    bool estimated() const { return m_estimated; }
    // "40%", "about 40%"; empty when unknown.
    QString percentText(std::uint64_t removed) const;
    // 0-99 while entries remain (100 only when every one is gone), nothing when unknown.
    std::optional<int> percent(std::uint64_t removed) const;
    // "12 s left", "4 min left"; empty in the first second or when unknown.
    QString timeLeft(std::uint64_t removed, qint64 elapsedMs) const;

    static constexpr qint64 kQuietMs = 1000;

private:
    std::uint64_t m_total;
    bool m_estimated;
};

// What the surveys know of a folder the run has yet to finish.
struct FolderExtent {
    std::uint64_t entries = 0; // to remove, the folder itself included; so far, while counting
    bool counted = false;      // the survey ended: the count is whole
};

// The run's estimate from the folders it has yet to finish, the one being erased first (of
// which `removedInCurrent` entries are gone), and what the whole run removed so far. Unknown
// while the folder being erased is still counted and its erase has passed the count.
// `estimated`: a folder already erased was erased before its survey ended.
RunEstimate estimateRun(const QList<FolderExtent>& left, std::uint64_t removedSoFar, std::uint64_t removedInCurrent, bool estimated);

} // namespace zarvok::app
