#pragma once
// The path field takes printable ASCII except the characters no path may hold (on Windows the
// slash among them; elsewhere the slash is the folder separator and is typed). Only what would
// type a character is filtered: Backspace is discarded as the control code it types, while
// keyboard commands (Ctrl+A, Ctrl+C, Ctrl+V, ...), focus keys and keys that type nothing
// (Delete, the arrows) pass. Text that arrives by paste, drop or browse is not filtered.
//
// Install it on the editable combo box: the box has the keyboard focus and hands key and
// input-method events to its line edit directly, past any filter on the line edit.

#include <QObject>

class QInputMethodEvent;
class QKeyEvent;

namespace zarvok::app {

bool acceptsTypedCharacter(char16_t code);
// Whether a key press is discarded by the path field.
bool discardsKey(const QKeyEvent& key);
// The typed text without the characters the field refuses.
QString acceptedText(const QString& typed);

class PathKeyFilter final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterInputMethod(QObject* watched, QInputMethodEvent* event);
};

} // namespace zarvok::app
