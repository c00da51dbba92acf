#include "skinbutton/core/PropertyBag.h"

#include <QBuffer>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(PropertyBag, KeysCompareWithoutRegardToCaseAndKeepTheirFirstSpelling)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("TooltipTitle"), QStringLiteral("first"));
    bag.WriteProperty(QStringLiteral("tooltiptitle"), QStringLiteral("second"));

    EXPECT_EQ(bag.size(), 1);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("TooltipTitle")});
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Tooltiptitle"), QStringLiteral("absent")).toText(),
              QStringLiteral("second"));
    EXPECT_TRUE(bag.contains(QStringLiteral("TOOLTIPTITLE")));
}

TEST(PropertyBag, AValueEqualToItsDefaultIsNotStoredAndRemovesAnEarlierOne)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Style"), qint32(8), qint32(3));
    ASSERT_TRUE(bag.contains(QStringLiteral("style")));

    bag.WriteProperty(QStringLiteral("Style"), qint32(3), qint32(3));
    EXPECT_FALSE(bag.contains(QStringLiteral("Style")));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Style"), qint32(7)).toInteger(), 7);

    bag.WriteProperty(QStringLiteral("Caption"), QString(), std::nullopt); // no default: kept
    EXPECT_TRUE(bag.contains(QStringLiteral("Caption")));
}

TEST(PropertyBag, KeysListInTheOrderFirstWritten)
{
    PropertyBag bag;
    for (const char* key : {"b", "a", "c"})
        bag.WriteProperty(QLatin1String(key), true);
    bag.WriteProperty(QStringLiteral("A"), false);
    EXPECT_EQ(bag.keys(), (QStringList{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("c")}));
}

TEST(PropertyValue, ConvertsStoredValuesToTheMembersType)
{
    struct Case {
        PropertyValue stored;
        std::optional<qint32> integer;
        std::optional<bool> boolean;
        std::optional<Color> colour;
    };
    const Case cases[] = {
        {PropertyValue(qint32(42)), 42, true, 42},
        {PropertyValue(false), 0, false, std::nullopt},
        {PropertyValue(QStringLiteral("17")), 17, std::nullopt, std::nullopt},
        {PropertyValue(QStringLiteral("True")), std::nullopt, true, std::nullopt},
        {PropertyValue(QStringLiteral("#102030")), std::nullopt, std::nullopt, rgb(0x10, 0x20, 0x30)},
        {PropertyValue(QStringLiteral("#10203")), std::nullopt, std::nullopt, std::nullopt},
        {PropertyValue::colour(rgb(1, 2, 3)), rgb(1, 2, 3), std::nullopt, rgb(1, 2, 3)},
        {PropertyValue(StoredFont{}), std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toJson().toVariant().toString().toStdString());
        EXPECT_EQ(c.stored.toInteger(), c.integer);
        EXPECT_EQ(c.stored.toBoolean(), c.boolean);
        EXPECT_EQ(c.stored.toColour(), c.colour);
    }
}

QImage checkerImage()
{
    QImage image(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, (x + y) % 2 ? 0xFF102030 : 0x80FFEEDD);
    return image;
}

TEST(PropertyBagJson, EveryKindOfValueSurvivesARoundTrip)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.25);
    font.setWeight(QFont::Bold);
    font.setItalic(true);

    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Style"), qint32(-8));
    bag.WriteProperty(QStringLiteral("Enabled"), false);
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("E&xit \u00e9"));
    bag.WriteProperty(QStringLiteral("BackColor"), PropertyValue::colour(rgb(0xAB, 0xCD, 0xEF)));
    bag.WriteProperty(QStringLiteral("Icon"), Picture{QString(), checkerImage()});
    bag.WriteProperty(QStringLiteral("Font"), StoredFont{font, 2});

    const PropertyBag back = PropertyBag::fromJson(bag.toJson());

    EXPECT_EQ(back.ReadProperty(QStringLiteral("Style"), qint32(0)).toInteger(), -8);
    EXPECT_EQ(back.ReadProperty(QStringLiteral("Enabled"), true).toBoolean(), false);
    EXPECT_EQ(back.ReadProperty(QStringLiteral("Caption"), QString()).toText(), QStringLiteral("E&xit \u00e9"));
    EXPECT_EQ(back.ReadProperty(QStringLiteral("BackColor"), qint32(0)).toColour(), rgb(0xAB, 0xCD, 0xEF));
    const auto picture = back.ReadProperty(QStringLiteral("Icon"), Picture{}).toPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image.convertToFormat(QImage::Format_ARGB32), checkerImage());
    const auto stored = back.ReadProperty(QStringLiteral("Font"), qint32(0)).toFont();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_DOUBLE_EQ(stored->font.pointSizeF(), 8.25);
    EXPECT_EQ(stored->font.weight(), QFont::Bold);
    EXPECT_TRUE(stored->font.italic());
    EXPECT_EQ(stored->charset, 2);
}

TEST(PropertyBagJson, ColoursAreWrittenAsHexAndFontsAsObjects)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("FontColor"), PropertyValue::colour(rgb(0x12, 0x34, 0x56)));
    bag.WriteProperty(QStringLiteral("Font"), StoredFont{QFont(QStringLiteral("Verdana")), 0});
    const QJsonObject json = bag.toJson();
    EXPECT_EQ(json.value(QStringLiteral("FontColor")).toString(), QStringLiteral("#123456"));
    EXPECT_EQ(json.value(QStringLiteral("Font")).toObject().value(QStringLiteral("family")).toString(),
              QStringLiteral("Verdana"));
}

TEST(PropertyBagJson, APicturePathLoadsTheFileAndIsWrittenBackAsThePath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icon.png"));
    ASSERT_TRUE(checkerImage().save(path));

    const PropertyBag bag = PropertyBag::fromJson(QJsonObject{{QStringLiteral("Icon"), path}});
    const auto picture = bag.ReadProperty(QStringLiteral("icon"), Picture{}).toPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->image.size(), QSize(4, 3));
    EXPECT_EQ(PropertyValue(*picture).toJson().toString(), path);
}

TEST(PropertyBagJson, AnSvgPictureLoads)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("icon.svg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<svg xmlns='http://www.w3.org/2000/svg' width='32' height='32'>"
               "<rect x='0' y='0' width='32' height='32' fill='#ff0000'/></svg>");
    file.close();

    QString why;
    const auto picture = PropertyValue(path).toPicture(&why);
    ASSERT_TRUE(picture) << why.toStdString();
    EXPECT_EQ(picture->image.size(), QSize(32, 32));
    EXPECT_EQ(QColor(picture->image.pixel(16, 16)), QColor(Qt::red));
}

TEST(PropertyBagJson, AMissingPictureIsAnErrorNamingThePath)
{
    QString why;
    EXPECT_FALSE(PropertyValue(QStringLiteral(":/no/such/icon.svg")).toPicture(&why));
    EXPECT_TRUE(why.contains(QStringLiteral(":/no/such/icon.svg"))) << why.toStdString();
    EXPECT_TRUE(PropertyValue(QString()).toPicture()->isNull());
}

TEST(PropertyBagJson, UnreadableEntriesAreLeftOutAndReported)
{
    const QJsonObject json{{QStringLiteral("Style"), 8},
                           {QStringLiteral("Half"), 1.5},
                           {QStringLiteral("List"), QJsonArray{1, 2}},
                           {QStringLiteral("Font"), QJsonObject{{QStringLiteral("pointSize"), 9}}}};
    QStringList problems;
    const PropertyBag bag = PropertyBag::fromJson(json, &problems);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("Style")});
    ASSERT_EQ(problems.size(), 3);
    EXPECT_TRUE(problems.join(QLatin1Char('\n')).contains(QStringLiteral("\"Half\"")));
}

} // namespace
} // namespace skin
