#include "Accessible.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QMenu>
#include <QLabel>

namespace zarvok::forms {
namespace {

const char kRoleProperty[] = "zarvokAccessibleRole";

// A label read as text: screen readers take the words of a text event from this interface.
class LabelAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    LabelAccessible(QLabel* label, QAccessible::Role role)
        : QAccessibleWidget(label, role)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        return t == QAccessible::Name && own.isEmpty() ? label()->text() : own;
    }

    // QAccessibleTextInterface: the label's text, read only, never selected.
    QString text(int start, int end) const override { return label()->text().mid(start, end - start); }
    int characterCount() const override { return int(label()->text().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* roleFactory(const QString& className, QObject* object)
{
    // Asked once for each class from the object's own up; only the own class is ours to answer.
    if (object == nullptr || !object->isWidgetType() || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    const QVariant role = object->property(kRoleProperty);
    if (auto* label = qobject_cast<Label*>(object))
        return new LabelAccessible(label, role.isValid() ? QAccessible::Role(role.toInt()) : QAccessible::StaticText);
    if (!role.isValid())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Role(role.toInt()));
}

void installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(roleFactory);
        return true;
    }();
    (void)installed;
}

} // namespace

// Where the new text starts to differ, backed up to the start of that word: "... 10 in list" to
// "... 11 in list" is announced as "11 in list".
int changedWordsFrom(const QString& before, const QString& after)
{
    int same = 0;
    while (same < before.size() && same < after.size() && before[same] == after[same])
        ++same;
    while (same > 0 && same < after.size() && !after[same - 1].isSpace() && !after[same].isSpace())
        --same;
    return same;
}

void setAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    installFactory();
    widget->setProperty(kRoleProperty, int(role));
    // An interface made before (setting a text announces it) is dropped, to be made anew.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget); made && made->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void setAnnouncedText(Label* label, const QString& text)
{
    const QString before = label->text();
    if (before == text)
        return;
    installFactory();
    label->setText(text);
    // Qt drops it when no assistive technology listens.
    const int from = changedWordsFrom(before, text);
    QAccessibleTextUpdateEvent event(label, from, before.mid(from), text.mid(from));
    QAccessible::updateAccessibility(&event);
}

void popUpMenu(QMenu* menu, const QPoint& globalAt)
{
    menu->popup(globalAt);
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    for (QAction* action : menu->actions())
        if (action->isEnabled() && !action->isSeparator() && action->isVisible()) {
            menu->setActiveAction(action);
            return;
        }
}

} // namespace zarvok::forms
