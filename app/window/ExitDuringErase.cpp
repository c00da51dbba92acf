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

InputDuringErase ExitDuringErase::decide(QObject* window, QEvent* event)
{
    if (window == nullptr || !window->isWindowType())
        return InputDuringErase::Hold;
    // While a pop-up is open every click is its own, whichever window the desktop names.
    if (QWidget* popup = QApplication::activePopupWidget(); popup != nullptr && isClickPart(event))
        return pressPastPopup(popup, static_cast<QMouseEvent*>(event));
    if (window == m_window->windowHandle())
        return isExitInput(event) ? InputDuringErase::Deliver : InputDuringErase::Hold;
    return InputDuringErase::Hold;
}

InputDuringErase ExitDuringErase::pressPastPopup(const QWidget* popup, const QMouseEvent* mouse)
{
    if (mouse->type() == QEvent::MouseButtonRelease)
        return InputDuringErase::Hold;
    const QPoint global = mouse->globalPosition().toPoint();
    // A click inside the pop-up is the pop-up's, even where it covers the button.
    if (popup->rect().contains(popup->mapFromGlobal(global)))
        return InputDuringErase::Hold;
    if (!isOnExit(m_window->childAt(m_window->mapFromGlobal(global))))
        return InputDuringErase::Hold;
    // Installed after the erase's own filter, this one sees the release first.
    QCoreApplication::instance()->installEventFilter(this);
    sendToExit(mouse);
    return InputDuringErase::Drop;
}

bool ExitDuringErase::eventFilter(QObject* receiver, QEvent* event)
{
    const bool release = event->type() == QEvent::MouseButtonRelease && event->spontaneous() && receiver->isWindowType();
    if (!release)
        return false;
    QCoreApplication::instance()->removeEventFilter(this);
    closePopups();
    sendToExit(static_cast<QMouseEvent*>(event)); // released off the button, it is no click
    return true;
}

void ExitDuringErase::sendToExit(const QMouseEvent* mouse) const
{
    const QPointF global = mouse->globalPosition();
    QMouseEvent copy(mouse->type(), m_exit->mapFromGlobal(global), global, mouse->button(), mouse->buttons(),
                     mouse->modifiers());
    QCoreApplication::sendEvent(m_exit, &copy);
}

} // namespace zarvok::app
