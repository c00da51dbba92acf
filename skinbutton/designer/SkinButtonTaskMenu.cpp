#include "SkinButtonTaskMenu.h"

#include "skinbutton/core/SkinButton.h"

#include <QAction>

namespace skin::designer {

SkinButtonTaskMenu::SkinButtonTaskMenu(SkinButton* button, QObject* parent)
    : QObject(parent), m_button(button), m_about(new QAction(tr("About SkinButton…"), this))
{
    connect(m_about, &QAction::triggered, this, [this] {
        if (m_button)
            m_button->About();
    });
}

QList<QAction*> SkinButtonTaskMenu::taskActions() const { return {m_about}; }

SkinButtonTaskMenuFactory::SkinButtonTaskMenuFactory(QExtensionManager* parent) : QExtensionFactory(parent) {}

QObject* SkinButtonTaskMenuFactory::createExtension(QObject* object, const QString& iid, QObject* parent) const
{
    if (iid != QLatin1String(Q_TYPEID(QDesignerTaskMenuExtension)))
        return nullptr;
    if (auto* button = qobject_cast<SkinButton*>(object))
        return new SkinButtonTaskMenu(button, parent);
    return nullptr;
}

} // namespace skin::designer
