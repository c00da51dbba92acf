// The stored properties of one button: a JSON object read into a PropertyBag, then loaded into
// the button's properties, as a window does with each control of its stored form.
//
// After every input: the bag holds only keys of the input, each once whatever its letter case;
// what it could not read is reported; the bag written out as JSON reads back as the same bag
// with nothing reported; and a button loaded without failure saves a bag that loads and saves
// again to the same JSON (but for the written changes of an empty caption and IconAlign 0).

#include "FuzzSupport.h"
#include "skinbutton/core/ButtonProperties.h"
#include "skinbutton/core/PropertyBag.h"

#include <QDir>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>


using namespace zarvok;

namespace {


skin::PropertyHost host()
{
    skin::PropertyHost h;
    h.name = QStringLiteral("cmdFuzz");
    h.toolTipText = QStringLiteral("host tip");
    h.surfaceFont = skin::designFont();
    h.systemColor = [](int index) { return index >= 0 && index < 31 ? skin::rgb(index * 8, 255 - index * 8, 99) : -1; };
    return h;
}

QString jsonText(const QJsonObject& o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

void checkKeys(const QJsonObject& json, const skin::PropertyBag& bag, const QStringList& problems)
{
    const QStringList keys = bag.keys();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        fuzz::check(json.contains(keys[i]), "every key of the bag comes from the input", keys[i]);
        for (qsizetype j = i + 1; j < keys.size(); ++j)
            fuzz::check(keys[i].compare(keys[j], Qt::CaseInsensitive) != 0, "a key is held once whatever its case",
                        keys[i] + QStringLiteral(" / ") + keys[j]);
    }
    qsizetype readable = 0;
    for (auto it = json.begin(); it != json.end(); ++it)
        readable += skin::PropertyValue::fromJson(it.value()).has_value() ? 1 : 0;
    fuzz::check(problems.size() == json.size() - readable, "every entry left out is reported, and no other");
    // Keys that differ only in case share one entry, so the bag may hold fewer than were read.
    fuzz::check(bag.size() <= readable, "the bag holds only entries that were read");
}

void checkRoundTrip(const skin::PropertyBag& bag)
{
    QStringList problems;
    const QJsonObject written = bag.toJson();
    const skin::PropertyBag again = skin::PropertyBag::fromJson(written, &problems);
    fuzz::check(problems.isEmpty(), "a bag written as JSON reads back without problems",
                problems.join(u'\n') + QLatin1Char('\n') + jsonText(written));
    fuzz::check(again.size() == bag.size(), "a bag written as JSON keeps every key", jsonText(written));
    for (const QString& key : bag.keys())
        fuzz::check(again.value(key) == bag.value(key), "a bag written as JSON keeps every value",
                    key + QStringLiteral(" in ") + jsonText(written));
}

void checkButtonRoundTrip(const skin::PropertyBag& bag)
{
    const skin::PropertyHost h = host();
    skin::ButtonProperties loaded = skin::initialProperties(h);
    QStringList warnings;
    if (skin::readProperties(bag, loaded, h, &warnings))
        return; // a value of the wrong kind: the load stops there, as it should

    skin::PropertyBag saved;
    skin::writeProperties(loaded, saved, h);
    skin::ButtonProperties reloaded = skin::initialProperties(h);
    const auto failure = skin::readProperties(saved, reloaded, h, &warnings);
    fuzz::check(!failure, "a saved button loads again", failure.value_or(QString()) + QLatin1Char('\n') + jsonText(saved.toJson()));
    skin::PropertyBag savedAgain;
    skin::writeProperties(reloaded, savedAgain, h);
    // As written, an empty caption and IconAlign 0 are saved as absent and load as "SkinButton"
    // and 1; every other value comes back as it was.
    QJsonObject expected = saved.toJson();
    if (loaded.caption.isEmpty())
        expected.insert(QStringLiteral("Caption"), QStringLiteral("SkinButton"));
    if (loaded.iconAlign == 0)
        expected.insert(QStringLiteral("IconAlign"), 1);
    fuzz::check(savedAgain.toJson() == expected, "a saved button saves the same again",
                jsonText(saved.toJson()) + QLatin1Char('\n') + jsonText(savedAgain.toJson()));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    const QString home = fuzz::usePrivateHome();
    QDir::setCurrent(home); // a relative picture path names nothing
    qputenv("QT_QPA_PLATFORM", "offscreen");
    fuzz::quietQtMessages();
    fuzz::startQt<QGuiApplication>(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!document.isObject())
        return 0;
    const QJsonObject json = document.object();
    QStringList problems;
    const skin::PropertyBag bag = skin::PropertyBag::fromJson(json, &problems);
    checkKeys(json, bag, problems);
    checkRoundTrip(bag);
    checkButtonRoundTrip(bag);
    return 0;
}
