#pragma once
// Holds back the input that the desktop sends to the program's windows while it lives, and
// posts it, in order, when it ends. Everything else (painting, timers, a close request from the
// window frame, the drag notices that answer the file manager) goes through at once.
//
//   input event                      held as
//   mouse, keys, wheel, touch, leave a copy of the event
//   pointer move after pointer move  replaces the move before it (only the latest counts)
//   input-method text                a copy of the event (it goes to the focused widget)
//   drop                             accepted now, with a copy of the dropped data; replayed as
//                                    enter + drop at the same spot

#include "BackgroundEraser.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QDropEvent;

namespace zarvok::app {

class HeldInput final : public QObject {
public:
    explicit HeldInput(const BackgroundEraser::InputPolicy& policy);
    ~HeldInput() override;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool isHeldKind(QObject* receiver, const QEvent* event) const;
    void hold(QObject* receiver, QEvent* event);
    void holdDrop(QObject* window, QDropEvent* drop);

    const BackgroundEraser::InputPolicy& m_policy;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
};

} // namespace zarvok::app
