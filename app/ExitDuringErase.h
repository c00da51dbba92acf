#pragma once
// Which input ends the program at once while a folder is being erased: a click or a key on the
// Exit button. A click on Exit while a drop-down list or another pop-up of the program is open
// is taken from the pop-up (which would swallow it), the pop-up is closed and the click goes to
// the button.

#include "BackgroundEraser.h"

class QEvent;
class QObject;
class QWidget;

namespace zarvok::app {

class ExitDuringErase {
public:
    ExitDuringErase(QWidget* mainWindow, QWidget* exitButton);

    InputDuringErase decide(QObject* window, QEvent* event) const;

private:
    bool isOnExit(const QWidget* target) const;
    bool isExitInput(QEvent* event) const;
    InputDuringErase takeFromPopup(QObject* window, QEvent* event) const;

    QWidget* m_window;
    QWidget* m_exit;
};

} // namespace zarvok::app
