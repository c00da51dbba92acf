#pragma once
// What assistive technology (screen readers, over AT-SPI) is told about the windows' plain
// widgets beyond what Qt tells by itself: roles that differ from the class's own (a window that
// is a frame or a dialog, a label that is a status bar), and label changes announced with the
// new text, which Qt's name-change event does not carry.

#include <QAccessible>
#include <QLabel>
#include <QString>

class QMenu;
class QPoint;
class QWidget;

namespace zarvok::forms {

// A label whose text screen readers can read and whose changes they hear (setAnnouncedText).
// Its own class, because Qt's interface for plain labels answers before any other.
class Label final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};

// For widgets of a class of the program's own (a window, a forms::Label), not of Qt's.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

// Sets the label's text and, when it changed, tells assistive technology with a text event
// that carries the words that changed (from the first word that differs to the end).
void setAnnouncedText(Label* label, const QString& text);

// Where the announced words start: the first word of `after` that differs from `before`.
int changedWordsFrom(const QString& before, const QString& after);

// Pops the menu up at `globalAt`. Opened from the keyboard (no mouse button down), it starts on
// its first enabled item, as keyboard menus do: screen readers hear a menu open only by the
// item that takes the focus (the menu itself is not in their tree).
void popUpMenu(QMenu* menu, const QPoint& globalAt);

} // namespace zarvok::forms
