#pragma once
// SkinButton in Qt Designer: an entry in the widget box, its properties in the property editor,
// and "About SkinButton…" in its task menu.
//
// Buttons are in design mode (no pointer tracking, no tooltip, no mnemonic, the design-time
// look) only once Designer has initialised the plugin with its form editor. A button the plugin
// creates before that runs as it does in a program, so programs and tests can use the plugin as
// a plain factory (QUiLoader, QPluginLoader).

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

class QDesignerFormEditorInterface;

namespace skin::designer {

class SkinButtonPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QDesignerCustomWidgetInterface_iid)
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit SkinButtonPlugin(QObject* parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    QDesignerFormEditorInterface* m_core = nullptr;
};

} // namespace skin::designer
