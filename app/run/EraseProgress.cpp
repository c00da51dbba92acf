#include "EraseProgress.h"

#include "EraseLoop.h"

#include <QLocale>

namespace zarvok::app {

QString progressText(std::uint64_t removed)
{
    // Fixed English like every text of the window, whatever the desktop's language.
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return kStatusWorking + QLatin1Char(' ') + english.toString(static_cast<qulonglong>(removed))
           + QStringLiteral(" removed");
}

EraseProgress::EraseProgress(Count count, Show show, QObject* parent)
    : QObject(parent)
    , m_count(std::move(count))
    , m_show(std::move(show))
{
    m_timer.setInterval(kRefreshMs);
    connect(&m_timer, &QTimer::timeout, this, &EraseProgress::tick);
}

void EraseProgress::start()
{
    m_clock.start();
    m_timer.start();
}

void EraseProgress::stop()
{
    m_timer.stop();
}

void EraseProgress::tick()
{
    if (m_clock.elapsed() >= kQuietMs)
        m_show(progressText(m_count()));
}

} // namespace zarvok::app
