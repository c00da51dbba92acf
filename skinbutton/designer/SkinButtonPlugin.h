#pragma once
// SkinButton in Qt Designer: an entry in the widget box, its properties in the property editor,
// and "About SkinButton…" in its task menu.
//
// Buttons are in design mode (no pointer tracking, no tooltip, no mnemonic, the design-time
// look) only inside one of Designer's form windows, once Designer has initialised the plugin
// with its form editor. Anywhere else (Form > Preview, or before initialisation, as for
// QUiLoader and QPluginLoader) a button runs as it does in a program.

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
