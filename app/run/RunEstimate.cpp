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

} // namespace zarvok::app
