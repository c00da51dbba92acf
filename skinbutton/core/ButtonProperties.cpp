#include "ButtonProperties.h"

#include "PropertyTable.h"

#include <QtDebug>

namespace skin {

namespace {

constexpr int kDefaultIconSize = 16;

PropertyValue resolve(const StoredDefault& d, const PropertyHost& host)
{
    switch (d.from) {
    case StoredDefault::From::SystemColor:
        return PropertyValue::colour(host.systemColor(d.systemColor));
    case StoredDefault::From::HostToolTip:
        return PropertyValue(host.toolTipText);
    case StoredDefault::From::HostFont:
        return PropertyValue(host.surfaceFont);
    case StoredDefault::From::None:
    case StoredDefault::From::Constant:
        break;
    }
    return d.constant;
}

PropertyValue valueOf(const ButtonProperties& p, const PropertyRow& row)
{
    return std::visit(overloaded{
                          [&](int ButtonProperties::*m) {
                              return row.kind == PropertyKind::ColorValue ? PropertyValue::colour(p.*m) : PropertyValue(qint32(p.*m));
                          },
                          [&](auto ButtonProperties::*m) { return PropertyValue(p.*m); },
                      },
                      row.member);
}

template <class T>
bool storeIf(std::optional<T> value, T& member)
{
    if (value)
        member = std::move(*value);
    return value.has_value();
}

// Converts a stored value into the row's member; false when it cannot stand for that type.
bool store(const PropertyValue& v, const PropertyRow& row, ButtonProperties& p, QString* why)
{
    return std::visit(overloaded{
                          [&](int ButtonProperties::*m) {
                              return storeIf(row.kind == PropertyKind::ColorValue ? v.toColour() : v.toInteger(), p.*m);
                          },
                          [&](bool ButtonProperties::*m) { return storeIf(v.toBoolean(), p.*m); },
                          [&](QString ButtonProperties::*m) { return storeIf(v.toText(), p.*m); },
                          [&](Picture ButtonProperties::*m) { return storeIf(v.toPicture(why), p.*m); },
                          [&](StoredFont ButtonProperties::*m) { return storeIf(v.toFont(), p.*m); },
                      },
                      row.member);
}

} // namespace

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
    p.style = 0;
    p.caption = host.name;
    p.iconSize = kDefaultIconSize;
    p.icon = Picture{};
    p.showFocus = false;
    p.useCustomColors = false;
    p.enabled = true;
    p.backColor = host.systemColor(SysColor::ButtonFace);
    p.highlightColor = host.systemColor(SysColor::Highlight);
    p.fontColor = host.systemColor(SysColor::ButtonText);
    p.fontHighlightColor = host.systemColor(SysColor::ButtonText);
    p.font = host.surfaceFont;
    return p;
}

void writeProperties(const ButtonProperties& p, PropertyBag& bag, const PropertyHost& host)
{
    const auto table = propertyTable();
    auto write = [&](const PropertyRow& row) {
        const PropertyValue value = valueOf(p, row);
        const QString key = QLatin1String(row.key);
        if (row.saveDefault.from == StoredDefault::From::None)
            bag.WriteProperty(key, value);
        else
            bag.WriteProperty(key, value, resolve(row.saveDefault, host));
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
        if (store(bag.ReadProperty(key, resolve(row.loadDefault, host)), row, p, &why))
            continue;
        if (row.kind != PropertyKind::PictureValue)
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
