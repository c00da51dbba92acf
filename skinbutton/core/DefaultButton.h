#pragma once
// A SkinButton as its dialog's default button, as QDialog does it for QPushButton (which it
// finds by type only): Enter or Return that reaches the dialog clicks the default button, and
// its look follows the keyboard focus (a focused auto-default button takes the default look).

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace skin {

class SkinButton;

// Enter or Return without modifiers, or Enter on the keypad.
bool isEnterKey(const QKeyEvent* event);
// A button that takes Enter itself while it has the focus: an auto-default SkinButton or QPushButton.
bool takesEnterWhenFocused(const QWidget* widget);

class DefaultButtonWatch final : public QObject {
public:
    // Owned by the button; follows it from window to window.
    explicit DefaultButtonWatch(SkinButton* button);

    static DefaultButtonWatch* of(const SkinButton* button);

    // The button became its window's default, or stopped being it.
    void defaultChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchWindow();
    void takeDefaultIfNone();
    void focusMoved(QWidget* old, QWidget* now);

    SkinButton* m_button;
    QPointer<QWidget> m_window;
    QMetaObject::Connection m_focus;
};

} // namespace skin
