#pragma once
// Hands one kind of key press of a widget to a function; the key goes no further when it
// answers true.

#include <QKeyEvent>
#include <QObject>

#include <functional>

namespace zarvok::app {

class KeyTaker final : public QObject {
public:
    KeyTaker(QObject* watched, int key, std::function<bool()> take)
        : QObject(watched)
        , m_key(key)
        , m_take(std::move(take))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier; // the keypad's keys too
        return key->key() == m_key && plain && m_take();
    }

private:
    int m_key;
    std::function<bool()> m_take;
};

} // namespace zarvok::app
