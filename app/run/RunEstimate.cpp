#include "RunEstimate.h"

#include <algorithm>

namespace zarvok::app {

std::optional<int> RunEstimate::percent(std::uint64_t removed) const
{
    if (!known())
        return std::nullopt;
    if (removed >= m_total)
        return 100;
    // Rounded down: "100%" would tell the user it is over while entries remain.
    return int(std::min<std::uint64_t>(99, removed * 100 / m_total));
}

QString RunEstimate::percentText(std::uint64_t removed) const
{
    const std::optional<int> shown = percent(removed);
    if (!shown)
        return {};
    return (m_estimated ? QStringLiteral("about %1%") : QStringLiteral("%1%")).arg(*shown);
}

QString RunEstimate::timeLeft(std::uint64_t removed, qint64 elapsedMs) const
{
    if (!known() || elapsedMs < kQuietMs || removed == 0 || removed >= m_total)
        return {};
    const double leftMs = double(elapsedMs) * double(m_total - removed) / double(removed);
    const qint64 seconds = qint64(leftMs / 1000.0 + 0.999);
    if (seconds < 60)
        return QStringLiteral("%1 s left").arg(std::max<qint64>(seconds, 1));
    if (seconds < 3600)
        return QStringLiteral("%1 min left").arg((seconds + 59) / 60);
    return QStringLiteral("%1 h %2 min left").arg(seconds / 3600).arg((seconds % 3600 + 59) / 60);
}

RunEstimate estimateRun(const QList<FolderExtent>& left, std::uint64_t removedSoFar, std::uint64_t removedInCurrent, bool estimated)
{
    std::uint64_t remaining = 0;
    for (qsizetype i = 0; i < left.size(); ++i) {
        const FolderExtent& folder = left.at(i);
        const std::uint64_t gone = i == 0 ? removedInCurrent : 0;
        if (i == 0 && !folder.counted && folder.entries <= gone)
            return RunEstimate(); // the survey fell behind the erase
        estimated = estimated || !folder.counted;
        // The folder being erased goes last: something is left until its erase ends.
        const std::uint64_t least = i == 0 ? 1 : 0;
        remaining += std::max(folder.entries > gone ? folder.entries - gone : 0, least);
    }
    return RunEstimate(removedSoFar + remaining, estimated);
}

} // namespace zarvok::app
