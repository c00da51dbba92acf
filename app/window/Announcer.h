#pragma once
// Tells screen readers about a run without taking the focus from where the user is: each
// message is shown anew as an accessible notification, which a screen reader presents by
// itself (Orca speaks a notification as it appears, whatever has the focus). Sighted users
// read the same words on the status line, so it takes no room of its own.

#include <QWidget>

#include <array>

namespace zarvok::app {

class Announcer final : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
    QString lastText() const;
    // The notification that carries the last message.
    QWidget* shownNotification() const { return m_notifications[m_shown]; }

private:
    // Orca drops a notification's showing as a duplicate once the same object has been shown
    // again, and reads the name an object has when it gets to it: messages that follow each
    // other faster than it reads (a run's start, then its stop) each need an object of their own.
    std::array<QWidget*, 4> m_notifications{};
    std::size_t m_shown = 0;
};

} // namespace zarvok::app
