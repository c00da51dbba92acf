#include "ExitDuringErase.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace zarvok::app {
namespace {

bool isClickPart(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return true;
    default:
        return false;
    }
}

void closePopups()
{
    // Bounded: a pop-up that refuses to close must not hang the program.
    for (int i = 0; i < 8 && QApplication::activePopupWidget() != nullptr; ++i)
        QApplication::activePopupWidget()->close();
}

} // namespace

ExitDuringErase::ExitDuringErase(QWidget* mainWindow, QWidget* exitButton)
    : m_window(mainWindow)
    , m_exit(exitButton)
{
}

bool ExitDuringErase::isOnExit(const QWidget* target) const
{
    return target != nullptr && (target == m_exit || m_exit->isAncestorOf(target));
}

bool ExitDuringErase::isExitInput(QEvent* event) const
{
    if (isClickPart(event))
        return isOnExit(m_window->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
        return QApplication::focusWidget() == m_exit;
    return false;
}

InputDuringErase ExitDuringErase::decide(QObject* window, QEvent* event) const
{
    if (window == nullptr || !window->isWindowType())
        return InputDuringErase::Hold;
    if (window == m_window->windowHandle())
        return isExitInput(event) ? InputDuringErase::Deliver : InputDuringErase::Hold;
    return takeFromPopup(window, event);
}

InputDuringErase ExitDuringErase::takeFromPopup(QObject* window, QEvent* event) const
{
    const auto* popup = static_cast<QWindow*>(window);
    if (popup->type() != Qt::Popup || !isClickPart(event))
        return InputDuringErase::Hold;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    // A click inside the pop-up is the pop-up's, even where it covers the button.
    if (popup->isVisible() && popup->geometry().contains(global))
        return InputDuringErase::Hold;
    const QPoint local = m_window->mapFromGlobal(global);
    if (!isOnExit(m_window->childAt(local)))
        return InputDuringErase::Hold;
    closePopups();
    QMouseEvent redirected(mouse->type(), local, global, mouse->button(), mouse->buttons(), mouse->modifiers());
    QCoreApplication::sendEvent(m_window->windowHandle(), &redirected);
    return InputDuringErase::Drop;
}

} // namespace zarvok::app
