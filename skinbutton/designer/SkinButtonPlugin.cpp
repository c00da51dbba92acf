#include "SkinButtonPlugin.h"

#include "SkinButtonTaskMenu.h"
#include "skinbutton/core/SkinButton.h"

#include <QEvent>
#include <QIcon>
#include <QPixmap>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>

namespace skin::designer {

namespace {

// Puts its button in design mode while it sits in one of Designer's form windows, and keeps it
// running anywhere else (Form > Preview builds its buttons through the same plugin). Decided
// when the button is shown or moved, as a form is put together before it is placed.
class FormWindowWatch : public QObject {
public:
    explicit FormWindowWatch(SkinButton* button) : QObject(button), m_button(button) { button->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::ParentChange) {
            const bool inForm = QDesignerFormWindowInterface::findFormWindow(m_button) != nullptr;
            if (inForm != m_button->isDesignMode())
                m_button->setDesignMode(inForm);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    SkinButton* m_button;
};

} // namespace

SkinButtonPlugin::SkinButtonPlugin(QObject* parent) : QObject(parent) {}

QString SkinButtonPlugin::name() const { return QStringLiteral("skin::SkinButton"); }

// Designer's strings are marked for translation (skinbutton/translations/skinbutton.ts), but
// not the group: it is Designer's own "Buttons" group by name.
QString SkinButtonPlugin::group() const { return QStringLiteral("Buttons"); }

QString SkinButtonPlugin::toolTip() const { return tr("SkinButton: a push or toggle button with eleven looks"); }

QString SkinButtonPlugin::whatsThis() const
{
    return tr("A self-painting push button, optionally a toggle button, with eleven looks (Style 0-10), "
              "an icon beside the caption, custom or system colours and its own tooltip.");
}

// As programs include the installed header; Zarvok's own sources name theirs by path.
QString SkinButtonPlugin::includeFile() const { return QStringLiteral("SkinButton/SkinButton.h"); }

QIcon SkinButtonPlugin::icon() const
{
    // The widget box shows the control as it draws itself: a small gel button, at 1x and 2x.
    QIcon icon;
    for (const qreal scale : {1.0, 2.0}) {
        SkinButton button;
        button.setCaption(QString());
        button.setStyle(SkinButton::PixelArtGel);
        button.resize(32, 22);
        QPixmap pixmap(QSize(32, 22) * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        button.render(&pixmap, QPoint(), QRegion(), QWidget::DrawChildren);
        icon.addPixmap(pixmap);
    }
    return icon;
}

bool SkinButtonPlugin::isContainer() const { return false; }

QWidget* SkinButtonPlugin::createWidget(QWidget* parent)
{
    auto* button = new SkinButton(parent);
    if (m_core)
        new FormWindowWatch(button); // owned by the button
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
  <property name="text">
   <string>SkinButton</string>
  </property>
 </widget>
</ui>
)");
}

} // namespace skin::designer
