#include "PropertyBag.h"

#include <QBuffer>
#include <QImageReader>
#include <QJsonArray>
#include <QtDebug>

#include <algorithm>
#include <cmath>
#include <limits>
#include <variant>
#include <vector>

namespace skin {

// Behind the public classes, so that what they hold can change without changing their size.
class PropertyValueData : public QSharedData {
public:
    template <class T>
    explicit PropertyValueData(T v)
        : value(std::move(v))
    {
    }
    std::variant<qint32, bool, QString, ColourValue, skin::Picture, StoredFont> value;
};

class PropertyBagData : public QSharedData {
public:
    struct Entry {
        QString key;
        PropertyValue value;
    };
    std::vector<Entry>::iterator find(const QString& key)
    {
        return std::find_if(entries.begin(), entries.end(),
                            [&key](const Entry& e) { return e.key.compare(key, Qt::CaseInsensitive) == 0; });
    }
    std::vector<Entry>::const_iterator find(const QString& key) const
    {
        return std::find_if(entries.cbegin(), entries.cend(),
                            [&key](const Entry& e) { return e.key.compare(key, Qt::CaseInsensitive) == 0; });
    }
    std::vector<Entry> entries;
};

namespace {

const QString kDataUriPrefix = QStringLiteral("data:image/png;base64,");

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

std::optional<Color> parseHexColour(const QString& text)
{
    if (text.size() != 7 || !text.startsWith(QLatin1Char('#')))
        return std::nullopt;
    bool ok = false;
    const uint rrggbb = text.mid(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return rgb(int(rrggbb >> 16) & 0xFF, int(rrggbb >> 8) & 0xFF, int(rrggbb) & 0xFF);
}

QJsonValue colourToJson(Color c)
{
    if (c < 0 || c > 0xFFFFFF)
        return QJsonValue(double(c)); // invalid or system reference: keep the number itself
    return QString::asprintf("#%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
}

QString pngDataUri(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return kDataUriPrefix + QString::fromLatin1(png.toBase64());
}

QJsonObject fontToJson(const StoredFont& f)
{
    return QJsonObject{{QStringLiteral("family"), f.font.family()},
                       {QStringLiteral("pointSize"), f.font.pointSizeF()},
                       {QStringLiteral("weight"), int(f.font.weight())},
                       {QStringLiteral("italic"), f.font.italic()},
                       {QStringLiteral("charset"), f.charset}};
}

std::optional<StoredFont> fontFromJson(const QJsonObject& o, QString* error)
{
    const QString family = o.value(QStringLiteral("family")).toString();
    if (family.isEmpty()) {
        if (error)
            *error = QStringLiteral("a font needs a \"family\"");
        return std::nullopt;
    }
    StoredFont f;
    f.font.setFamily(family);
    const double points = o.value(QStringLiteral("pointSize")).toDouble(8.25);
    if (points > 0)
        f.font.setPointSizeF(points);
    const int weight = o.value(QStringLiteral("weight")).toInt(400);
    f.font.setWeight(QFont::Weight(qBound(1, weight, 1000)));
    f.font.setItalic(o.value(QStringLiteral("italic")).toBool(false));
    f.charset = o.value(QStringLiteral("charset")).toInt(0);
    return f;
}

std::optional<qint32> integralNumber(double d)
{
    if (!std::isfinite(d) || d != std::floor(d) || d < double(std::numeric_limits<qint32>::min())
        || d > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(d);
}

} // namespace

std::optional<Picture> Picture::load(const QString& path, QString* error)
{
    if (path.isEmpty())
        return Picture{};
    QImage image;
    if (path.startsWith(kDataUriPrefix)) {
        image.loadFromData(QByteArray::fromBase64(path.mid(kDataUriPrefix.size()).toLatin1()), "PNG");
        if (image.isNull()) {
            if (error)
                *error = QStringLiteral("the embedded picture is not a readable PNG");
            return std::nullopt;
        }
        return Picture{QString(), image};
    }
    QImageReader reader(path);
    if (!reader.read(&image)) {
        if (error)
            *error = QStringLiteral("cannot read picture \"%1\": %2").arg(path, reader.errorString());
        return std::nullopt;
    }
    return Picture{path, image};
}

PropertyValue::PropertyValue(qint32 v) : d(new PropertyValueData(v)) {}
PropertyValue::PropertyValue(bool v) : d(new PropertyValueData(v)) {}
PropertyValue::PropertyValue(const QString& v) : d(new PropertyValueData(v)) {}
PropertyValue::PropertyValue(const char* v) : d(new PropertyValueData(QString::fromUtf8(v))) {}
PropertyValue::PropertyValue(ColourValue v) : d(new PropertyValueData(v)) {}
PropertyValue::PropertyValue(const skin::Picture& v) : d(new PropertyValueData(v)) {}
PropertyValue::PropertyValue(const StoredFont& v) : d(new PropertyValueData(v)) {}
PropertyValue::PropertyValue(const PropertyValue& other) = default;
PropertyValue::PropertyValue(PropertyValue&& other) noexcept = default;
PropertyValue& PropertyValue::operator=(const PropertyValue& other) = default;
PropertyValue& PropertyValue::operator=(PropertyValue&& other) noexcept = default;
PropertyValue::~PropertyValue() = default;

PropertyValue::Type PropertyValue::type() const { return Type(d->value.index()); }

bool operator==(const PropertyValue& a, const PropertyValue& b) { return a.d == b.d || a.d->value == b.d->value; }

std::optional<qint32> PropertyValue::toInteger() const
{
    return std::visit(Overloaded{[](qint32 v) -> std::optional<qint32> { return v; },
                                 [](bool v) -> std::optional<qint32> { return v ? 1 : 0; },
                                 [](const QString& v) -> std::optional<qint32> {
                                     bool ok = false;
                                     const int n = v.trimmed().toInt(&ok);
                                     return ok ? std::optional<qint32>(n) : std::nullopt;
                                 },
                                 [](ColourValue v) -> std::optional<qint32> { return v.rgb; },
                                 [](const auto&) -> std::optional<qint32> { return std::nullopt; }},
                      d->value);
}

std::optional<bool> PropertyValue::toBoolean() const
{
    return std::visit(Overloaded{[](qint32 v) -> std::optional<bool> { return v != 0; },
                                 [](bool v) -> std::optional<bool> { return v; },
                                 [](const QString& v) -> std::optional<bool> {
                                     const QString t = v.trimmed().toLower();
                                     if (t == QLatin1String("true"))
                                         return true;
                                     if (t == QLatin1String("false"))
                                         return false;
                                     return std::nullopt;
                                 },
                                 [](const auto&) -> std::optional<bool> { return std::nullopt; }},
                      d->value);
}

std::optional<QString> PropertyValue::toText() const
{
    return std::visit(Overloaded{[](qint32 v) -> std::optional<QString> { return QString::number(v); },
                                 [](const QString& v) -> std::optional<QString> { return v; },
                                 [](const auto&) -> std::optional<QString> { return std::nullopt; }},
                      d->value);
}

std::optional<Color> PropertyValue::toColour() const
{
    return std::visit(Overloaded{[](qint32 v) -> std::optional<Color> { return v; },
                                 [](ColourValue v) -> std::optional<Color> { return v.rgb; },
                                 [](const QString& v) { return parseHexColour(v.trimmed()); },
                                 [](const auto&) -> std::optional<Color> { return std::nullopt; }},
                      d->value);
}

std::optional<Picture> PropertyValue::toPicture(QString* error) const
{
    if (const auto* picture = std::get_if<skin::Picture>(&d->value))
        return *picture;
    if (const auto* path = std::get_if<QString>(&d->value))
        return Picture::load(*path, error);
    if (error)
        *error = QStringLiteral("not a picture");
    return std::nullopt;
}

std::optional<StoredFont> PropertyValue::toFont() const
{
    if (const auto* font = std::get_if<StoredFont>(&d->value))
        return *font;
    return std::nullopt;
}

QJsonValue PropertyValue::toJson() const
{
    return std::visit(Overloaded{[](qint32 v) { return QJsonValue(v); },
                                 [](bool v) { return QJsonValue(v); },
                                 [](const QString& v) { return QJsonValue(v); },
                                 [](ColourValue v) { return colourToJson(v.rgb); },
                                 [](const skin::Picture& v) {
                                     if (!v.source.isEmpty() || v.isNull())
                                         return QJsonValue(v.source);
                                     return QJsonValue(pngDataUri(v.image));
                                 },
                                 [](const StoredFont& v) { return QJsonValue(fontToJson(v)); }},
                      d->value);
}

std::optional<PropertyValue> PropertyValue::fromJson(const QJsonValue& json, QString* error)
{
    auto fail = [error](const QString& why) -> std::optional<PropertyValue> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    switch (json.type()) {
    case QJsonValue::Bool:
        return PropertyValue(json.toBool());
    case QJsonValue::String:
        return PropertyValue(json.toString());
    case QJsonValue::Double:
        if (const auto n = integralNumber(json.toDouble()))
            return PropertyValue(*n);
        return fail(QStringLiteral("a number must be a 32-bit integer"));
    case QJsonValue::Object:
        if (const auto font = fontFromJson(json.toObject(), error))
            return PropertyValue(*font);
        return std::nullopt;
    default:
        return fail(QStringLiteral("only numbers, booleans, texts and fonts can be stored"));
    }
}

PropertyBag::PropertyBag() : d(new PropertyBagData) {}
PropertyBag::PropertyBag(const PropertyBag& other) = default;
PropertyBag::PropertyBag(PropertyBag&& other) noexcept = default;
PropertyBag& PropertyBag::operator=(const PropertyBag& other) = default;
PropertyBag& PropertyBag::operator=(PropertyBag&& other) noexcept = default;
PropertyBag::~PropertyBag() = default;

int PropertyBag::size() const { return int(d->entries.size()); }

void PropertyBag::WriteProperty(const QString& key, const PropertyValue& value,
                                const std::optional<PropertyValue>& defaultValue)
{
    auto it = d->find(key);
    if (defaultValue && value == *defaultValue) {
        if (it != d->entries.end())
            d->entries.erase(it);
        return;
    }
    if (it != d->entries.end())
        it->value = value;
    else
        d->entries.push_back({key, value});
}

PropertyValue PropertyBag::ReadProperty(const QString& key, const PropertyValue& defaultValue) const
{
    const auto it = d->find(key);
    return it != d->entries.cend() ? it->value : defaultValue;
}

bool PropertyBag::contains(const QString& key) const { return d->find(key) != d->entries.cend(); }

std::optional<PropertyValue> PropertyBag::value(const QString& key) const
{
    const auto it = d->find(key);
    if (it == d->entries.cend())
        return std::nullopt;
    return it->value;
}

QStringList PropertyBag::keys() const
{
    QStringList result;
    for (const PropertyBagData::Entry& e : d->entries)
        result << e.key;
    return result;
}

QJsonObject PropertyBag::toJson() const
{
    QJsonObject json;
    for (const PropertyBagData::Entry& e : d->entries)
        json.insert(e.key, e.value.toJson());
    return json;
}

PropertyBag PropertyBag::fromJson(const QJsonObject& json, QStringList* problems)
{
    PropertyBag bag;
    for (auto it = json.begin(); it != json.end(); ++it) {
        QString why;
        if (const auto value = PropertyValue::fromJson(it.value(), &why)) {
            bag.WriteProperty(it.key(), *value);
            continue;
        }
        const QString problem = QStringLiteral("property \"%1\" skipped: %2").arg(it.key(), why);
        if (problems)
            *problems << problem;
        else
            qWarning().noquote() << problem;
    }
    return bag;
}

} // namespace skin
