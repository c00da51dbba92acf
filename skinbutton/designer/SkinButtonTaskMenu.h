#pragma once
// The task menu Designer shows for a SkinButton on a form: "About SkinButton…", which calls the
// button's About().

#include <QList>
#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class QAction;

namespace skin {
class SkinButton;
}

namespace skin::designer {

class SkinButtonTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    SkinButtonTaskMenu(SkinButton* button, QObject* parent);

    QList<QAction*> taskActions() const override;

private:
    QPointer<SkinButton> m_button;
    QAction* m_about;
};

class SkinButtonTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit SkinButtonTaskMenuFactory(QExtensionManager* parent = nullptr);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

} // namespace skin::designer
