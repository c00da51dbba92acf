// The plugin is loaded as Designer loads it; the button it makes is its own copy of the control,
// so the test reaches it only through Qt's meta-object (properties, signals, slots by name).
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QEnterEvent>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QUiLoader>
#include <QWidget>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <gtest/gtest.h>

namespace {

QDesignerCustomWidgetInterface* loadPlugin()
{
    static QPluginLoader loader(QStringLiteral(DESIGNER_PLUGIN));
    QObject* instance = loader.instance();
    EXPECT_TRUE(instance) << loader.errorString().toStdString();
    return qobject_cast<QDesignerCustomWidgetInterface*>(instance);
}

// MouseEnter signals for the pointer crossing into the button, as the window system reports it.
int mouseEntersOnCrossing(QWidget* button)
{
    QSignalSpy entered(button, SIGNAL(MouseEnter()));
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(button, &event);
    return int(entered.count());
}

// Designer's form editor as far as a plugin sees it: with an extension manager.
class FormEditor : public QDesignerFormEditorInterface {
public:
    FormEditor() { setExtensionManager(new QExtensionManager(this)); }
};

QAction* aboutAction(QDesignerFormEditorInterface& core, QWidget* button)
{
    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core.extensionManager(), button);
    if (!menu)
        return nullptr;
    for (QAction* action : menu->taskActions())
        if (action->text() == QStringLiteral("About SkinButton…"))
            return action;
    return nullptr;
}

TEST(SkinButtonDesignerPlugin, WithoutDesignerItMakesRunningButtons)
{
    QDesignerCustomWidgetInterface* plugin = loadPlugin();
    ASSERT_TRUE(plugin);
    EXPECT_EQ(plugin->name(), QStringLiteral("skin::SkinButton"));
    EXPECT_EQ(plugin->includeFile(), QStringLiteral("SkinButton/SkinButton.h"));
    EXPECT_FALSE(plugin->icon().pixmap(QSize(32, 22)).toImage().isNull());
    EXPECT_TRUE(plugin->domXml().contains(QStringLiteral("class=\"skin::SkinButton\"")));
    EXPECT_FALSE(plugin->isInitialized());

    QWidget window;
    QWidget* button = plugin->createWidget(&window);
    ASSERT_TRUE(button);
    EXPECT_STREQ(button->metaObject()->className(), "skin::SkinButton");
    EXPECT_TRUE(button->property("ShowFocus").toBool()); // keyboard focus shows, as on Qt's buttons
    EXPECT_EQ(button->minimumSize(), QSize(0, 0));
    window.show();
    EXPECT_EQ(mouseEntersOnCrossing(button), 1);

    ASSERT_TRUE(button->setProperty("Style", 8));
    ASSERT_TRUE(button->setProperty("BackColor", QColor(10, 20, 30)));
    EXPECT_EQ(button->property("Style").toInt(), 8);
    EXPECT_EQ(button->property("BackColor").value<QColor>(), QColor(10, 20, 30));
}

// Inside Designer, a button outside any form window (the preview's) runs; a button in a form
// window is designed (tried in the real Designer: a form window cannot be stood in for here).
TEST(SkinButtonDesignerPlugin, InDesignerPreviewButtonsRunAndTheTaskMenuCallsAbout)
{
    QDesignerCustomWidgetInterface* plugin = loadPlugin();
    ASSERT_TRUE(plugin);
    FormEditor core;
    plugin->initialize(&core);
    EXPECT_TRUE(plugin->isInitialized());

    QWidget form;
    QWidget* button = plugin->createWidget(&form);
    ASSERT_TRUE(button);
    form.show();
    EXPECT_EQ(mouseEntersOnCrossing(button), 1);

    QAction* about = aboutAction(core, button);
    ASSERT_TRUE(about);
    QSignalSpy aboutCalls(button, SIGNAL(aboutRequested()));
    about->trigger();
    EXPECT_EQ(aboutCalls.count(), 1);
    EXPECT_FALSE(aboutAction(core, &form)); // other widgets get no such entry
}

// A form as Designer saves it, built by QUiLoader through the plugin: Designer's value types
// (colour, font, pixmap, number, text, bool, and enumerations spelt as Designer writes them now
// and as earlier versions did) reach the control's properties.
TEST(SkinButtonDesignerPlugin, AFormSavedByDesignerLoadsWithItsProperties)
{
    const QByteArray form = R"(<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <widget class="skin::SkinButton" name="cmdGo">
   <property name="geometry"><rect><x>10</x><y>10</y><width>90</width><height>25</height></rect></property>
   <property name="Caption"><string>&amp;Go</string></property>
   <property name="Style"><enum>skin::GlossyTile</enum></property>
   <property name="BackColor"><color><red>200</red><green>100</green><blue>50</blue></color></property>
   <property name="Font"><font><family>DejaVu Serif</family><pointsize>11</pointsize><bold>true</bold></font></property>
   <property name="ButtonType"><number>1</number></property>
   <property name="value"><bool>true</bool></property>
   <property name="toolTip"><string>Starts it</string></property>
   <property name="ToolTipType"><enum>skin::SkinButton::BalloonTip</enum></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget><class>skin::SkinButton</class><extends>QWidget</extends><header>SkinButton/SkinButton.h</header></customwidget>
 </customwidgets>
</ui>
)";
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QStringLiteral(DESIGNER_PLUGIN_DIR));
    QBuffer buffer;
    buffer.setData(form);
    std::unique_ptr<QWidget> window(loader.load(&buffer));
    ASSERT_TRUE(window) << loader.errorString().toStdString();
    auto* button = window->findChild<QWidget*>(QStringLiteral("cmdGo"));
    ASSERT_TRUE(button);
    EXPECT_STREQ(button->metaObject()->className(), "skin::SkinButton");
    EXPECT_EQ(button->property("Caption").toString(), QStringLiteral("&Go"));
    EXPECT_EQ(button->property("Style").toInt(), 9);
    EXPECT_EQ(button->property("BackColor").value<QColor>(), QColor(200, 100, 50));
    const QFont font = button->property("Font").value<QFont>();
    EXPECT_EQ(font.family(), QStringLiteral("DejaVu Serif"));
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(button->property("value").toBool());
    EXPECT_EQ(button->property("ToolTip").toString(), QStringLiteral("Starts it"));
    EXPECT_EQ(button->property("ToolTipType").toInt(), 1);
}

} // namespace
