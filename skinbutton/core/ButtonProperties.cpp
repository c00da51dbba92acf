#include "ButtonProperties.h"

#include "PropertyTable.h"

#include <QtDebug>

namespace skin {

StoredFont designFont()
{
    QFont font(QStringLiteral("Verdana"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Normal);
    return StoredFont{font, 0};
}

ButtonProperties initialProperties(const PropertyHost& host)
{
    ButtonProperties p;
    for (const PropertyRow& row : propertyTable())
        if (row.initial.from != PropertyDefault::From::Declared)
            store(resolve(row.initial, row, host), row, p);
    return p;
}

void writeProperties(const ButtonProperties& p, PropertyBag& bag, const PropertyHost& host)
{
    const auto table = propertyTable();
    auto write = [&](const PropertyRow& row) {
        const PropertyValue value = valueOf(p, row);
        const QString key = QLatin1String(row.key);
        if (row.saveDefault.from == PropertyDefault::From::None)
            bag.WriteProperty(key, value);
        else
            bag.WriteProperty(key, value, resolve(row.saveDefault, row, host));
    };
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i + 1 < table.size() && table[i + 1].savedBeforePrevious) {
            write(table[i + 1]);
            write(table[i]);
            ++i;
        } else {
            write(table[i]);
        }
    }
}

std::optional<QString> readProperties(const PropertyBag& bag, ButtonProperties& p, const PropertyHost& host,
                                      QStringList* warnings)
{
    for (const PropertyRow& row : propertyTable()) {
        const QString key = QLatin1String(row.key);
        QString why;
        if (store(bag.ReadProperty(key, resolve(row.loadDefault, row, host)), row, p, &why))
            continue;
        if (row.kind != PropertyKind::Picture)
            return QStringLiteral("\"%1\" does not hold a value of the right kind").arg(key);
        // A picture that cannot be read costs the button its picture, not the rest of its keys.
        p.*std::get<Picture ButtonProperties::*>(row.member) = Picture{};
        const QString warning = QStringLiteral("\"%1\": %2").arg(key, why.isEmpty() ? QStringLiteral("not a picture") : why);
        if (warnings)
            warnings->append(warning);
        else
            qWarning().noquote() << "SkinButton: no picture for" << warning;
    }
    return std::nullopt;
}

} // namespace skin
