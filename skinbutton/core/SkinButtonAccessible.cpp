#include "SkinButtonAccessible.h"

#include "SkinButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>

namespace skin {

namespace {

class SkinButtonAccessible final : public QAccessibleWidget {
public:
    explicit SkinButtonAccessible(SkinButton* button) : QAccessibleWidget(button, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("Click()"));
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const QString name = QAccessibleWidget::text(t); // an explicit accessibleName wins
            return name.isEmpty() ? withoutMnemonic(button()->Caption()) : name;
        }
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return button()->ToolTip(); // what the tip shows, for those who cannot see it
        if (t == QAccessible::Accelerator)
            return accelerator();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (isToggle()) {
            s.checkable = true;
            s.checked = button()->value();
        }
        s.pressed = button()->visualState() == StatePressed;
        return s;
    }

    QStringList actionNames() const override
    {
        // a toggle is toggled, as Qt's checkable buttons are
        QStringList names;
        if (widget()->isEnabled())
            names << (isToggle() ? toggleAction() : pressAction());
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override
    {
        if ((actionName == pressAction() || (isToggle() && actionName == toggleAction())) && widget()->isEnabled())
            button()->click();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    SkinButton* button() const { return static_cast<SkinButton*>(widget()); }

    // As a QPushButton's: Enter for the default button, else the shortcut (the mnemonic's
    // Alt+letter unless set otherwise); none while designed, where no shortcut acts.
    QString accelerator() const
    {
        if (button()->isDesignMode())
            return {};
        if (button()->isDefault())
            return QKeySequence(Qt::Key_Enter).toString(QKeySequence::NativeText);
        return button()->shortcut().toString(QKeySequence::NativeText);
    }
    bool isToggle() const { return button()->ButtonType() == SkinButton::ToggleButton; }
};

QAccessibleInterface* skinButtonFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(SkinButton::staticMetaObject.className()) && object && object->isWidgetType())
        if (auto* button = qobject_cast<SkinButton*>(object))
            return new SkinButtonAccessible(button);
    return nullptr;
}

} // namespace

void installSkinButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(skinButtonFactory);
        return true;
    }();
    (void)installed;
}

void notifyAccessibleNameChanged(QWidget* button)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(button, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void notifyAccessibleValueChanged(QWidget* button)
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(button, changed);
    QAccessible::updateAccessibility(&event);
}

} // namespace skin
