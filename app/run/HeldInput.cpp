#include "HeldInput.h"

#include "DropPaths.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>

namespace zarvok::app {
namespace {

// A drop replayed after the erase: its own copy of the data, since the file manager's copy
// is gone once the drag has ended.
class HeldDrop final : public QObject {
public:
    HeldDrop(QObject* window, const QDropEvent& drop)
        : m_window(window)
        , m_position(drop.position())
        , m_actions(drop.possibleActions())
        , m_buttons(drop.buttons())
        , m_modifiers(drop.modifiers())
    {
        const QMimeData* source = drop.mimeData();
        for (const QString& format : source->formats())
            m_data.setData(format, source->data(format));
    }

protected:
    void customEvent(QEvent*) override
    {
        if (m_window) {
            QDragEnterEvent enter(m_position.toPoint(), m_actions, &m_data, m_buttons, m_modifiers);
            QCoreApplication::sendEvent(m_window, &enter);
            QDropEvent dropped(m_position, m_actions, &m_data, m_buttons, m_modifiers);
            QCoreApplication::sendEvent(m_window, &dropped);
        }
        deleteLater();
    }

private:
    QPointer<QObject> m_window;
    QMimeData m_data;
    QPointF m_position;
    Qt::DropActions m_actions;
    Qt::MouseButtons m_buttons;
    Qt::KeyboardModifiers m_modifiers;
};

} // namespace

HeldInput::HeldInput(const BackgroundEraser::InputPolicy& policy)
    : m_policy(policy)
{
    QCoreApplication::instance()->installEventFilter(this);
}

HeldInput::~HeldInput()
{
    QCoreApplication::instance()->removeEventFilter(this);
    for (auto& [receiver, event] : m_held)
        if (receiver)
            QCoreApplication::postEvent(receiver, event.release());
}

bool HeldInput::isHeldKind(QObject* receiver, const QEvent* event) const
{
    // Only the desktop sends these, and input-method text goes straight to the focused widget.
    if (event->type() == QEvent::InputMethod)
        return true;
    if (event->type() == QEvent::Drop)
        return receiver->isWindowType();
    // Leaving is held with the input so that it still follows the entry it belongs to.
    const bool input = event->isInputEvent() || event->type() == QEvent::Leave;
    return input && event->spontaneous() && receiver->isWindowType();
}

bool HeldInput::eventFilter(QObject* receiver, QEvent* event)
{
    if (!isHeldKind(receiver, event))
        return false;
    switch (m_policy ? m_policy(receiver, event) : InputDuringErase::Hold) {
    case InputDuringErase::Deliver:
        return false;
    case InputDuringErase::Drop:
        return true;
    case InputDuringErase::Hold:
        break;
    }
    if (event->type() == QEvent::Drop)
        holdDrop(receiver, static_cast<QDropEvent*>(event));
    else
        hold(receiver, event);
    return true;
}

void HeldInput::hold(QObject* receiver, QEvent* event)
{
    const bool moveAfterMove = event->type() == QEvent::MouseMove && !m_held.empty()
                               && m_held.back().first == receiver && m_held.back().second->type() == QEvent::MouseMove;
    if (moveAfterMove)
        m_held.back().second.reset(event->clone());
    else
        m_held.emplace_back(QPointer<QObject>(receiver), std::unique_ptr<QEvent>(event->clone()));
}

void HeldInput::holdDrop(QObject* window, QDropEvent* drop)
{
    // The file manager is answered at once; the drop is handled after the erase.
    if (!acceptAsCopy(drop))
        return;
    m_held.emplace_back(QPointer<QObject>(new HeldDrop(window, *drop)), std::make_unique<QEvent>(QEvent::User));
}

} // namespace zarvok::app
