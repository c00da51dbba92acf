// SkinButton's input and the window system's notices: mouse, keyboard, focus, pointer
// tracking, the caption's mnemonic, and QWidget state written from outside.
#include "SkinButton.h"

#include "SkinButtonAccessible.h"
#include "ToolTipWindow.h"

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

Toggle SkinButton::toggle() const { return Toggle{m_props.buttonType == ToggleButton, m_props.value}; }

void SkinButton::apply(const Outcome& outcome)
{
    QPointer<SkinButton> self(this);
    if (outcome.flipValue) {
        m_props.value = !m_props.value;
        notifyAccessibleValueChanged(this);
    }
    if (outcome.repaint)
        Refresh();
    if (outcome.flipValue) {
        emit valueChanged(); // the property's own notification, for bindings and editors
        if (self)
            emit toggled(m_props.value);
    }
    if (self && outcome.mouseEnter)
        emit MouseEnter();
    if (self && outcome.mouseLeave)
        emit MouseLeave();
    if (self && outcome.click) {
        emit Click();
        if (self)
            emit clicked();
    }
}

bool SkinButton::isOverButton(const QPointF& pos) const
{
    const QPoint p = pos.toPoint();
    return mask().isEmpty() ? rect().contains(p) : mask().contains(p);
}

void SkinButton::mousePressEvent(QMouseEvent* event)
{
    apply(m_interaction.mousePress(buttonNumber(event->button())));
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    apply(m_interaction.mouseRelease(buttonNumber(event->button()), isOverButton(event->position()), toggle()));
}

void SkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    apply(m_interaction.mouseDoubleClick(buttonNumber(event->button())));
}

void SkinButton::keyPressEvent(QKeyEvent* event)
{
    if (!isSpace(event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        apply(m_interaction.spaceDown());
}

void SkinButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!isSpace(event)) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        apply(m_interaction.spaceUp(toggle()));
}

void SkinButton::focusInEvent(QFocusEvent*) { apply(m_interaction.focusChanged(true)); }

void SkinButton::focusOutEvent(QFocusEvent*) { apply(m_interaction.focusChanged(false)); }

void SkinButton::enterEvent(QEnterEvent* event)
{
    if (!isPointerTracked())
        return;
    const Outcome entered = m_interaction.pointerEntered();
    QPointer<SkinButton> self(this);
    apply(entered);
    // after MouseEnter, so that a handler's tooltip change shows at once
    if (self && entered.mouseEnter)
        ToolTipController::of(this)->pointerEntered(event->globalPosition().toPoint());
}

void SkinButton::leaveEvent(QEvent*)
{
    if (isPointerTracked())
        apply(m_interaction.pointerLeft());
}

void SkinButton::showEvent(QShowEvent*)
{
    // While the button is visible only its own tooltip is shown, not the host's. A host without
    // a text of its own leaves the button's stored tooltip as it is.
    if (!m_extenderToolTip.isEmpty()) {
        m_props.toolTip = m_extenderToolTip;
        syncWidget();
    }
    m_extenderToolTip.clear();
    Refresh();
}

void SkinButton::hideEvent(QHideEvent*) { m_extenderToolTip = m_props.toolTip; }

void SkinButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::ThemeChange:
        Refresh();
        break;
    case QEvent::EnabledChange:
        adoptWidgetEnabled();
        break;
    case QEvent::FontChange:
        adoptWidgetFont();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool SkinButton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the button shows a tip window of its own, never QToolTip
    case QEvent::ToolTipChange:
        adoptWidgetToolTip();
        break;
    case QEvent::Shortcut: {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (m_mnemonicId == 0 || shortcut->shortcutId() != m_mnemonicId)
            break;
        mnemonicPressed(shortcut->isAmbiguous());
        return true;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

// ---- QWidget state written from outside

void SkinButton::adoptWidgetEnabled()
{
    // Only the button's own flag is Enabled; a disabled parent only greys it.
    const bool own = !testAttribute(Qt::WA_ForceDisabled);
    if (!m_syncingWidget && own != m_props.enabled) {
        setEnabled(own);
        return;
    }
    if (isEnabled())
        m_interaction.reset();
    Refresh();
}

void SkinButton::adoptWidgetFont()
{
    if (!m_syncingWidget && font() != m_props.font.font)
        setFont(font());
}

void SkinButton::adoptWidgetToolTip()
{
    if (!m_syncingWidget && QWidget::toolTip() != m_props.toolTip)
        setToolTip(QWidget::toolTip());
}

// ---- mnemonic

void SkinButton::updateMnemonic()
{
    if (m_mnemonicId != 0)
        releaseShortcut(m_mnemonicId);
    m_mnemonicId = 0;
    if (m_designMode)
        return;
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_props.caption);
    if (!mnemonic.isEmpty())
        m_mnemonicId = grabShortcut(mnemonic, Qt::WindowShortcut);
}

void SkinButton::mnemonicPressed(bool ambiguous)
{
    if (!isEnabled())
        return;
    // Several buttons with one letter: each press moves the focus on, as Qt's buttons do.
    setFocus(Qt::ShortcutFocusReason);
    if (!ambiguous)
        click();
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
