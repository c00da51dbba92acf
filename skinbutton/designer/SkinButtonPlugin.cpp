#include "SkinButtonPlugin.h"

#include "SkinButtonTaskMenu.h"
#include "skinbutton/core/SkinButton.h"

#include <QIcon>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

namespace skin::designer {

SkinButtonPlugin::SkinButtonPlugin(QObject* parent) : QObject(parent) {}

QString SkinButtonPlugin::name() const { return QStringLiteral("skin::SkinButton"); }

QString SkinButtonPlugin::group() const { return QStringLiteral("Buttons"); }

QString SkinButtonPlugin::toolTip() const { return QStringLiteral("SkinButton: a push or toggle button with eleven looks"); }

QString SkinButtonPlugin::whatsThis() const
{
    return QStringLiteral("A self-painting push button, optionally a toggle button, with eleven looks (Style 0-10), "
                          "an icon beside the caption, custom or system colours and its own tooltip.");
}

QString SkinButtonPlugin::includeFile() const { return QStringLiteral("skinbutton/core/SkinButton.h"); }

QIcon SkinButtonPlugin::icon() const { return QIcon(); }

bool SkinButtonPlugin::isContainer() const { return false; }

QWidget* SkinButtonPlugin::createWidget(QWidget* parent)
{
    auto* button = new SkinButton(parent);
    button->setDesignMode(m_core != nullptr);
    return button;
}

bool SkinButtonPlugin::isInitialized() const { return m_core != nullptr; }

void SkinButtonPlugin::initialize(QDesignerFormEditorInterface* core)
{
    if (m_core || !core)
        return;
    m_core = core;
    if (QExtensionManager* manager = core->extensionManager())
        manager->registerExtensions(new SkinButtonTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
}

QString SkinButtonPlugin::domXml() const
{
    // A new button is captioned "SkinButton": Designer names a widget only after creating it,
    // and a caption written into the form keeps the running program's button the same.
    return QStringLiteral(R"(<ui language="c++">
 <widget class="skin::SkinButton" name="skinButton">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>75</width><height>23</height></rect>
  </property>
  <property name="Caption">
   <string>SkinButton</string>
  </property>
 </widget>
</ui>
)");
}

} // namespace skin::designer
