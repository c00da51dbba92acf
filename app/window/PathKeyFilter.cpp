#include "PathKeyFilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>

namespace zarvok::app {
namespace {

// Ctrl+Alt together is how AltGr arrives on some systems, and AltGr types characters.
bool isCommand(Qt::KeyboardModifiers modifiers)
{
    const bool altGr = modifiers.testFlag(Qt::ControlModifier) && modifiers.testFlag(Qt::AltModifier);
    return !altGr && (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

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

bool discardsKey(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Backspace)
        return true;
    const QString typed = key.text();
    // Commands and keys that type no printable character are not typing.
    if (typed.isEmpty() || isCommand(key.modifiers()) || !typed.front().isPrint())
        return false;
    return std::any_of(typed.begin(), typed.end(), [](QChar c) { return !acceptsTypedCharacter(c.unicode()); });
}

QString acceptedText(const QString& typed)
{
    QString accepted;
    for (QChar c : typed)
        if (acceptsTypedCharacter(c.unicode()))
            accepted.append(c);
    return accepted;
}

bool PathKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return discardsKey(*static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod:
        return filterInputMethod(watched, static_cast<QInputMethodEvent*>(event));
    default:
        return false;
    }
}

// An input method (compose key, on-screen keyboard) commits whole strings: the refused
// characters are taken out and the rest goes on.
bool PathKeyFilter::filterInputMethod(QObject* watched, QInputMethodEvent* event)
{
    const QString accepted = acceptedText(event->commitString());
    if (accepted == event->commitString())
        return false;
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QCoreApplication::sendEvent(watched, &filtered);
    return true;
}

} // namespace zarvok::app
