#pragma once
// The path field takes printable ASCII except the characters no path may hold (on Windows the
// slash among them; elsewhere the slash is the folder separator and is typed). Control codes,
// Backspace among them, are discarded as typed characters; keys that type nothing (Delete, the
// arrows) pass, and text that arrives by paste, drop or browse is not filtered.

#include <QObject>

namespace zarvok::app {

bool acceptsTypedCharacter(char16_t code);

class PathKeyFilter final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace zarvok::app
