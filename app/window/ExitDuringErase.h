#pragma once
// Which input ends the program at once while a folder is being erased: a click or a key on the
// Exit button. A click on Exit while a drop-down list or another pop-up of the program is open
// would only close the pop-up, so it goes straight to the button. The pop-up stays open, and
// keeps the pointer, until the click's release has arrived: closed earlier, it gives up the
// pointer while the button is down and the desktop may deliver the release nowhere. That
// release goes to the button too, also when the erase has ended meanwhile.

#include "BackgroundEraser.h"

#include <QObject>

class QEvent;
class QMouseEvent;
class QWidget;

namespace zarvok::app {

class ExitDuringErase final : public QObject {
public:
    ExitDuringErase(QWidget* mainWindow, QWidget* exitButton);

    InputDuringErase decide(QObject* window, QEvent* event);

protected:
    // Catches the release of a click on Exit begun past a pop-up.
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool isOnExit(const QWidget* target) const;
    bool isExitInput(QEvent* event) const;
    InputDuringErase pressPastPopup(const QWidget* popup, const QMouseEvent* mouse);
    void sendToExit(const QMouseEvent* mouse) const;

    QWidget* m_window;
    QWidget* m_exit;
};

} // namespace zarvok::app
