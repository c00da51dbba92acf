// SkinButton's input and the window system's notices: mouse, keyboard, focus, pointer
// tracking, the caption's mnemonic, and QWidget state written from outside.
#include "SkinButton.h"
#include "SkinButton_p.h"

#include "DefaultButton.h"
#include "SkinButtonAccessible.h"
#include "ToolTipWindow.h"

#include <QDialog>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>

namespace skin {

namespace {

int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

bool isSpace(const QKeyEvent* event) { return event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier; }

} // namespace

Toggle SkinButtonPrivate::toggle() const { return Toggle{props.buttonType == SkinButton::ToggleButton, q->value()}; }

// The visual state's side of an outcome: repaint, MouseEnter, MouseLeave. Clicks and the toggle's
// flip are QAbstractButton's (click(), nextCheckState()), so that pressed(), released(),
// clicked(bool), toggled() and the button group come as Qt's buttons give them.
void SkinButtonPrivate::apply(const Outcome& outcome)
{
    QPointer<SkinButton> self(q);
    if (outcome.repaint)
        q->Refresh();
    if (self && outcome.mouseEnter)
        Q_EMIT q->MouseEnter();
    if (self && outcome.mouseLeave)
        Q_EMIT q->MouseLeave();
}

bool SkinButton::hitButton(const QPoint& pos) const
{
    return mask().isEmpty() ? rect().contains(pos) : mask().contains(pos);
}

void SkinButton::mousePressEvent(QMouseEvent* event)
{
    QPointer<SkinButton> self(this);
    d->apply(d->interaction.mousePress(buttonNumber(event->button())));
    if (!self || event->button() != Qt::LeftButton)
        return;
    d->knownDown = true;
    QAbstractButton::mousePressEvent(event); // down, pressed()
    if (self)
        d->knownDown = isDown();
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    QPointer<SkinButton> self(this);
    const bool over = hitButton(event->position().toPoint());
    const Outcome released = d->interaction.mouseRelease(buttonNumber(event->button()), over, d->toggle());
    const VisualState decided = d->interaction.state();
    d->apply(released);
    if (!self || event->button() != Qt::LeftButton)
        return;
    // A click follows: the state input decided, not the latched look painted before the flip.
    if (isDown() && over)
        d->interaction.setState(decided);
    d->knownDown = false;
    QAbstractButton::mouseReleaseEvent(event); // over the button after a press: the click
}

void SkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click presses the look only; its release does not click.
    d->apply(d->interaction.mouseDoubleClick(buttonNumber(event->button())));
}

void SkinButton::keyPressEvent(QKeyEvent* event)
{
    if (isEnterKey(event) && (autoDefault() || isDefault()) && !d->designMode) {
        click(); // as QPushButton: Enter on an auto-default or default button
        return;
    }
    if (!isSpace(event)) {
        if (event->key() == Qt::Key_Space)
            QWidget::keyPressEvent(event); // Space with a modifier is no press
        else
            QAbstractButton::keyPressEvent(event); // arrows move through a button group
        return;
    }
    if (event->isAutoRepeat())
        return;
    QPointer<SkinButton> self(this);
    d->apply(d->interaction.spaceDown());
    if (!self)
        return;
    d->knownDown = true;
    QAbstractButton::keyPressEvent(event);
    if (self)
        d->knownDown = isDown();
}

void SkinButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!isSpace(event)) {
        if (event->key() == Qt::Key_Space)
            QWidget::keyReleaseEvent(event);
        else
            QAbstractButton::keyReleaseEvent(event);
        return;
    }
    if (event->isAutoRepeat())
        return;
    QPointer<SkinButton> self(this);
    d->interaction.spaceUp(d->toggle());
    const VisualState decided = d->interaction.state();
    d->apply(Outcome{.repaint = true});
    if (!self)
        return;
    if (isDown())
        d->interaction.setState(decided);
    d->knownDown = false;
    QAbstractButton::keyReleaseEvent(event); // one click per press
}

void SkinButton::click()
{
    if (!isEnabled())
        return;
    QPointer<SkinButton> self(this);
    d->apply(d->interaction.spaceDown());
    if (!self)
        return;
    d->interaction.spaceUp(d->toggle());
    const VisualState decided = d->interaction.state();
    d->apply(Outcome{.repaint = true});
    if (!self)
        return;
    d->interaction.setState(decided);
    d->knownDown = false;
    QAbstractButton::click(); // pressed(), the flip, released(), clicked() and Click()
}

void SkinButton::focusInEvent(QFocusEvent* event)
{
    QPointer<SkinButton> self(this);
    d->apply(d->interaction.focusChanged(true));
    if (self)
        QAbstractButton::focusInEvent(event);
}

void SkinButton::focusOutEvent(QFocusEvent* event)
{
    QPointer<SkinButton> self(this);
    d->apply(d->interaction.focusChanged(false));
    if (self)
        QAbstractButton::focusOutEvent(event);
}

void SkinButton::enterEvent(QEnterEvent* event)
{
    if (!isPointerTracked(*this))
        return;
    const Outcome entered = d->interaction.pointerEntered();
    QPointer<SkinButton> self(this);
    d->apply(entered);
    // after MouseEnter, so that a handler's tooltip change shows at once
    if (self && entered.mouseEnter)
        ToolTipController::of(this)->pointerEntered(event->globalPosition().toPoint());
}

void SkinButton::leaveEvent(QEvent*)
{
    if (isPointerTracked(*this))
        d->apply(d->interaction.pointerLeft());
}

void SkinButton::showEvent(QShowEvent*)
{
    // While the button is visible only its own tooltip is shown, not the host's. A host without
    // a text of its own leaves the button's stored tooltip as it is.
    if (!d->extenderToolTip.isEmpty()) {
        d->props.toolTip = d->extenderToolTip;
        d->syncWidget();
    }
    d->extenderToolTip.clear();
    Refresh();
}

void SkinButton::hideEvent(QHideEvent*) { d->extenderToolTip = d->props.toolTip; }

void SkinButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::ThemeChange:
        Refresh();
        break;
    case QEvent::EnabledChange:
        d->adoptWidgetEnabled();
        break;
    case QEvent::FontChange:
        d->adoptWidgetFont();
        break;
    default:
        break;
    }
    QAbstractButton::changeEvent(event);
}

bool SkinButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the button shows a tip window of its own, never QToolTip
    case QEvent::ToolTipChange:
        d->adoptWidgetToolTip();
        break;
    case QEvent::Shortcut: {
        // The shortcut (the mnemonic from the text, unless set otherwise): no shortcut at design
        // time; the mnemonic takes the focus, as Qt's buttons' do, and each press clicks at once.
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (d->designMode || !isEnabled())
            return true;
        const bool mnemonic = shortcut->key() == QKeySequence::mnemonic(text());
        if (mnemonic || shortcut->isAmbiguous())
            setFocus(Qt::ShortcutFocusReason);
        if (!shortcut->isAmbiguous())
            click();
        return true;
    }
    default:
        break;
    }
    return QAbstractButton::event(event);
}

// ---- QWidget state written from outside

void SkinButtonPrivate::adoptWidgetEnabled()
{
    // Only the button's own flag is Enabled; a disabled parent only greys it.
    const bool own = !q->testAttribute(Qt::WA_ForceDisabled);
    if (!syncingWidget && own != props.enabled) {
        q->setEnabled(own);
        return;
    }
    if (q->isEnabled())
        interaction.reset();
    q->Refresh();
}

void SkinButtonPrivate::adoptWidgetFont()
{
    if (syncingWidget)
        return;
    if (q->testAttribute(Qt::WA_SetFont)) {
        // QWidget::setFont: the control's Font, set.
        if (!fontSet || q->font() != props.font.font)
            q->setFont(q->font());
        return;
    }
    // Never set, or unset again: the parent's or the application's font, as Qt propagates it.
    fontSet = false;
    if (q->font() == props.font.font)
        return;
    props.font.font = q->font();
    surface.setFont(props.font.font);
    q->updateGeometry();
    applyLayout();
    Q_EMIT q->FontChanged();
}

void SkinButtonPrivate::adoptWidgetToolTip()
{
    if (!syncingWidget && q->QWidget::toolTip() != props.toolTip)
        q->setToolTip(q->QWidget::toolTip());
}

// ---- the default button

bool SkinButton::autoDefault() const { return d->autoDefault.value_or(qobject_cast<QDialog*>(window()) != nullptr); }

void SkinButton::setAutoDefault(bool autoDefault)
{
    d->autoDefault = autoDefault;
    Refresh();
}

bool SkinButton::isDefault() const { return d->defaultButton; }

void SkinButton::setDefault(bool isDefault)
{
    if (d->defaultButton == isDefault)
        return;
    d->defaultButton = isDefault;
    if (isDefault) {
        // one default button to a window
        const QList<SkinButton*> others = window()->findChildren<SkinButton*>();
        for (SkinButton* other : others)
            if (other != this)
                other->setDefault(false);
    }
    if (DefaultButtonWatch* watch = DefaultButtonWatch::of(this))
        watch->defaultChanged();
    Refresh();
}

bool SkinButtonPrivate::showsDefault() const
{
    if (q->hasFocus())
        return q->autoDefault() || defaultButton;
    if (!defaultButton)
        return false;
    const QWidget* focus = q->window()->focusWidget();
    return focus == nullptr || focus == q || !takesEnterWhenFocused(focus);
}

QString withoutMnemonic(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

} // namespace skin
