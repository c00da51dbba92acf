#include "ButtonForm.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtDebug>

namespace zarvok::forms {

skin::PropertyBag storedProperties(const QString& formResource, const QString& controlName)
{
    QFile file(formResource);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "Cannot read the stored form" << formResource << file.errorString();
        return {};
    }
    QJsonParseError error{};
    const QJsonDocument form = QJsonDocument::fromJson(file.readAll(), &error);
    if (!form.isObject()) {
        qWarning() << "The stored form" << formResource << "is not a JSON object:" << error.errorString();
        return {};
    }
    const QJsonValue control = form.object().value(controlName);
    if (!control.isObject()) {
        qWarning() << "The stored form" << formResource << "holds no control" << controlName;
        return {};
    }
    return skin::PropertyBag::fromJson(control.toObject());
}

} // namespace zarvok::forms
