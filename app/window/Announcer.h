#pragma once
// Tells screen readers about a run without taking the focus from where the user is: each
// message is shown anew as an accessible notification, which a screen reader presents by
// itself (Orca speaks a notification as it appears, whatever has the focus). Sighted users
// read the same words on the status line, so it takes no room of its own.

#include <QWidget>

class QLabel;

namespace zarvok::app {

class Announcer final : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
    QString lastText() const;

private:
    QLabel* m_text;
};

} // namespace zarvok::app
