#include "DefaultButton.h"

#include "SkinButton.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

#include <algorithm>

namespace skin {

bool isEnterKey(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           (modifiers == Qt::NoModifier || (modifiers == Qt::KeypadModifier && event->key() == Qt::Key_Enter));
}

bool takesEnterWhenFocused(const QWidget* widget)
{
    if (const auto* skin = qobject_cast<const SkinButton*>(widget))
        return skin->autoDefault() || skin->isDefault();
    if (const auto* push = qobject_cast<const QPushButton*>(widget))
        return push->autoDefault() || push->isDefault();
    return false;
}

DefaultButtonWatch::DefaultButtonWatch(SkinButton* button) : QObject(button), m_button(button)
{
    setObjectName(QStringLiteral("qt_skinbutton_default_watch"));
    button->installEventFilter(this);
}

DefaultButtonWatch* DefaultButtonWatch::of(const SkinButton* button)
{
    return button->findChild<DefaultButtonWatch*>(QStringLiteral("qt_skinbutton_default_watch"), Qt::FindDirectChildrenOnly);
}

void DefaultButtonWatch::defaultChanged()
{
    // Only a default button's look depends on where the focus is.
    QObject::disconnect(m_focus);
    if (m_button->isDefault())
        m_focus = connect(qApp, &QApplication::focusChanged, this, &DefaultButtonWatch::focusMoved);
    watchWindow();
}

void DefaultButtonWatch::watchWindow()
{
    // QDialog is where Enter means the default button, as for QPushButton.
    QWidget* window = qobject_cast<QDialog*>(m_button->window());
    if (window == m_window)
        return;
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = window;
    if (m_window)
        m_window->installEventFilter(this);
}

void DefaultButtonWatch::focusMoved(QWidget* old, QWidget* now)
{
    const QWidget* window = m_button->window();
    if ((old && old->window() == window) || (now && now->window() == window))
        m_button->Refresh();
}

namespace {

bool hasDefaultButton(const QWidget* dialog)
{
    const auto isDefault = [](const auto* button) { return button->isDefault(); };
    const QList<SkinButton*> skins = dialog->findChildren<SkinButton*>();
    const QList<QPushButton*> pushes = dialog->findChildren<QPushButton*>();
    return std::any_of(skins.begin(), skins.end(), isDefault) || std::any_of(pushes.begin(), pushes.end(), isDefault);
}

// The first button in the focus chain that takes Enter when focused, as QDialog chooses.
const QWidget* firstAutoDefault(const QWidget* dialog)
{
    for (const QWidget* w = dialog->nextInFocusChain(); w && w != dialog; w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus && takesEnterWhenFocused(w))
            return w;
    return nullptr;
}

} // namespace

void DefaultButtonWatch::takeDefaultIfNone()
{
    // A dialog shown without a default button makes its first auto-default button the default
    // (QDialog has done so for QPushButtons before its Show).
    if (!m_button->isDesignMode() && !hasDefaultButton(m_window) && firstAutoDefault(m_window) == m_button)
        m_button->setDefault(true);
}

bool DefaultButtonWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_button) {
        if (event->type() == QEvent::ParentChange || event->type() == QEvent::Show)
            watchWindow();
        return false;
    }
    if (watched != m_window)
        return false;
    if (event->type() == QEvent::Show)
        takeDefaultIfNone();
    if (event->type() != QEvent::KeyPress || !isEnterKey(static_cast<QKeyEvent*>(event)))
        return false;
    // Enter reached the dialog: no focused widget took it.
    if (!m_button->isDefault() || !m_button->isVisible() || m_button->isDesignMode())
        return false;
    if (m_button->isEnabled())
        m_button->click();
    return true;
}

} // namespace skin
