#include "PathKeyFilter.h"

#include <QKeyEvent>

#include <algorithm>

namespace zarvok::app {

bool acceptsTypedCharacter(char16_t code)
{
#ifdef Q_OS_WIN
    constexpr char16_t forbidden[] = {u'"', u'*', u'/', u'<', u'>', u'?', u'|'};
#else
    // Here the slash separates folders, so a path cannot be typed without it.
    constexpr char16_t forbidden[] = {u'"', u'*', u'<', u'>', u'?', u'|'};
#endif
    if (code < 32 || code > 126)
        return false;
    return std::find(std::begin(forbidden), std::end(forbidden), code) == std::end(forbidden);
}

bool PathKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const QString typed = static_cast<QKeyEvent*>(event)->text();
    if (typed.isEmpty())
        return false;
    const bool accepted = std::all_of(typed.begin(), typed.end(),
                                      [](QChar c) { return acceptsTypedCharacter(c.unicode()); });
    return !accepted;
}

} // namespace zarvok::app
