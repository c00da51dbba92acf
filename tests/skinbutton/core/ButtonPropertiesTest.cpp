#include "skinbutton/core/ButtonProperties.h"
#include "skinbutton/render/SystemColors.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

PropertyHost hostWith(const SystemColors& colors, const QString& name = QStringLiteral("cmdQuit"),
                      const QString& toolTipText = QString())
{
    return PropertyHost{name, toolTipText, designFont(), [colors](int index) { return colors.color(index); }};
}

// A host whose system colours are the reference ones, each shifted by `shift` in red.
PropertyHost shiftedHost(int shift)
{
    PropertyHost host = hostWith(SystemColors::reference());
    host.systemColor = [shift](int index) { return SystemColors::reference().color(index) ^ shift; };
    return host;
}

ButtonProperties everythingChanged()
{
    ButtonProperties p;
    p.style = 8;
    p.caption = QStringLiteral("&Quit");
    p.icon = Picture{QString(), QImage(2, 2, QImage::Format_RGB32)};
    p.icon.image.fill(Qt::blue);
    p.iconAlign = 3;
    p.iconSize = 32;
    p.captionAlign = 4;
    p.nonThemeStyle = 2;
    p.enabled = false;
    p.showFocus = true;
    p.useCustomColors = true;
    p.backColor = rgb(1, 2, 3);
    p.highlightColor = rgb(4, 5, 6);
    p.fontColor = rgb(7, 8, 9);
    p.fontHighlightColor = rgb(10, 11, 12);
    p.toolTip = QStringLiteral("Leave the program");
    p.toolTipTitle = QStringLiteral("Quit");
    p.toolTipIcon = 2;
    p.toolTipType = 1;
    p.toolTipBackColor = rgb(13, 14, 15);
    p.toolTipForeColor = rgb(16, 17, 18);
    p.font = StoredFont{QFont(QStringLiteral("DejaVu Sans"), 11), 0};
    p.buttonType = 1;
    p.value = true;
    return p;
}

void expectSameProperties(const ButtonProperties& a, const ButtonProperties& b)
{
    EXPECT_EQ(a.style, b.style);
    EXPECT_EQ(a.caption, b.caption);
    EXPECT_EQ(a.icon.image, b.icon.image);
    EXPECT_EQ(a.iconAlign, b.iconAlign);
    EXPECT_EQ(a.iconSize, b.iconSize);
    EXPECT_EQ(a.captionAlign, b.captionAlign);
    EXPECT_EQ(a.nonThemeStyle, b.nonThemeStyle);
    EXPECT_EQ(a.enabled, b.enabled);
    EXPECT_EQ(a.showFocus, b.showFocus);
    EXPECT_EQ(a.useCustomColors, b.useCustomColors);
    EXPECT_EQ(a.backColor, b.backColor);
    EXPECT_EQ(a.highlightColor, b.highlightColor);
    EXPECT_EQ(a.fontColor, b.fontColor);
    EXPECT_EQ(a.fontHighlightColor, b.fontHighlightColor);
    EXPECT_EQ(a.toolTip, b.toolTip);
    EXPECT_EQ(a.toolTipTitle, b.toolTipTitle);
    EXPECT_EQ(a.toolTipIcon, b.toolTipIcon);
    EXPECT_EQ(a.toolTipType, b.toolTipType);
    EXPECT_EQ(a.toolTipBackColor, b.toolTipBackColor);
    EXPECT_EQ(a.toolTipForeColor, b.toolTipForeColor);
    EXPECT_EQ(a.font.font, b.font.font);
    EXPECT_EQ(a.buttonType, b.buttonType);
    EXPECT_EQ(a.value, b.value);
}

TEST(ButtonPersistence, ANewButtonStartsFromItsNameAndTheSystemColours)
{
    const SystemColors colors = SystemColors::reference();
    const ButtonProperties p = initialProperties(hostWith(colors, QStringLiteral("cmdDelete")));
    EXPECT_EQ(p.style, 0);
    EXPECT_EQ(p.caption, QStringLiteral("cmdDelete"));
    EXPECT_EQ(p.iconSize, 16);
    EXPECT_TRUE(p.icon.isNull());
    EXPECT_TRUE(p.enabled);
    EXPECT_EQ(p.backColor, rgb(0xF0, 0xF0, 0xF0));
    EXPECT_EQ(p.highlightColor, rgb(0x00, 0x78, 0xD7));
    EXPECT_EQ(p.fontColor, 0);
    EXPECT_EQ(p.fontHighlightColor, 0);
    EXPECT_EQ(p.toolTipType, 0);
    EXPECT_EQ(p.toolTipBackColor, 0);
    EXPECT_EQ(p.font.font.family(), QStringLiteral("Verdana"));
    EXPECT_DOUBLE_EQ(p.font.font.pointSizeF(), 8.25);
    EXPECT_EQ(p.font.font.weight(), QFont::Normal);
}

TEST(ButtonPersistence, SavingWritesEveryChangedKeyInItsFixedOrder)
{
    PropertyBag bag;
    writeProperties(everythingChanged(), bag, hostWith(SystemColors::reference()));
    const QStringList expected = QStringLiteral(
        "Icon Style Caption IconSize IconAlign CaptionAlign iNonThemeStyle Enabled ShowFocus "
        "USeCustomColors BackColor HighlightColor FontColor FontHighlightColor ToolTipText "
        "Tooltiptitle ToolTipIcon ToolTipType ttBackColor ttForeColor Font ButtonType Value").split(QLatin1Char(' '));
    EXPECT_EQ(bag.keys(), expected);
}

TEST(ButtonPersistence, EverythingSurvivesSaveAndLoad)
{
    const PropertyHost host = hostWith(SystemColors::reference());
    PropertyBag bag;
    writeProperties(everythingChanged(), bag, host);
    ButtonProperties loaded;
    ASSERT_FALSE(readProperties(PropertyBag::fromJson(bag.toJson()), loaded, host));
    expectSameProperties(loaded, everythingChanged());
}

TEST(ButtonPersistence, ANewButtonSavesOnlyWhatDiffersFromTheStoredDefaults)
{
    const PropertyHost host = hostWith(SystemColors::reference());
    PropertyBag bag;
    writeProperties(initialProperties(host), bag, host);
    // Style 0 and NonThemeStyle 0 differ from the stored defaults 3 and 5, ShowFocus on from the
    // stored off; the tooltip keys have no default; the reference tooltip text colour is black,
    // so ttBackColor 0 is left out.
    const QStringList expected = QStringLiteral(
        "Icon Style Caption iNonThemeStyle ShowFocus Tooltiptitle ToolTipIcon ToolTipType ttForeColor Font")
                                     .split(QLatin1Char(' '));
    EXPECT_EQ(bag.keys(), expected);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("ttForeColor"), qint32(-5)).toColour(), 0);
}

TEST(ButtonPersistence, AbsentKeysLoadTheirReadDefaults)
{
    const SystemColors colors = SystemColors::reference();
    ButtonProperties p = everythingChanged();
    ASSERT_FALSE(readProperties(PropertyBag(), p, hostWith(colors, QStringLiteral("cmdQuit"), QStringLiteral("host tip"))));
    EXPECT_TRUE(p.icon.isNull());
    EXPECT_EQ(p.style, 3);
    EXPECT_EQ(p.caption, QStringLiteral("SkinButton")); // not the instance's name
    EXPECT_EQ(p.iconSize, 16);
    EXPECT_EQ(p.iconAlign, 1); // left, not the centre a new button has
    EXPECT_EQ(p.captionAlign, 0);
    EXPECT_EQ(p.nonThemeStyle, 5);
    EXPECT_TRUE(p.enabled);
    EXPECT_FALSE(p.showFocus);
    EXPECT_FALSE(p.useCustomColors);
    EXPECT_EQ(p.backColor, colors.color(15));
    EXPECT_EQ(p.highlightColor, colors.color(13));
    EXPECT_EQ(p.fontColor, colors.color(18));
    EXPECT_EQ(p.fontHighlightColor, colors.color(18));
    EXPECT_EQ(p.toolTip, QStringLiteral("host tip"));
    EXPECT_EQ(p.toolTipTitle, QString());
    EXPECT_EQ(p.toolTipIcon, 0);
    EXPECT_EQ(p.toolTipType, 1); // balloon, not the 0 a new button has
    EXPECT_EQ(p.toolTipBackColor, colors.color(23));
    EXPECT_EQ(p.toolTipForeColor, colors.color(24));
    EXPECT_EQ(p.font.font.family(), QStringLiteral("Verdana"));
    EXPECT_EQ(p.buttonType, 0);
    EXPECT_FALSE(p.value);
}

TEST(ButtonPersistence, ListedSurprisesOfTheStoredForm)
{
    const PropertyHost host = hostWith(SystemColors::reference());
    ButtonProperties saved = initialProperties(host);
    saved.caption.clear();
    saved.iconAlign = 0;
    PropertyBag bag;
    writeProperties(saved, bag, host);
    EXPECT_FALSE(bag.contains(QStringLiteral("Caption")));
    EXPECT_FALSE(bag.contains(QStringLiteral("IconAlign")));
    EXPECT_TRUE(bag.contains(QStringLiteral("ToolTipType")));

    ButtonProperties loaded;
    ASSERT_FALSE(readProperties(bag, loaded, host));
    EXPECT_EQ(loaded.caption, QStringLiteral("SkinButton"));
    EXPECT_EQ(loaded.iconAlign, 1);
    EXPECT_EQ(loaded.toolTipType, 0); // present in the bag

    ButtonProperties withoutType;
    ASSERT_FALSE(readProperties(PropertyBag::fromJson(QJsonObject{{QStringLiteral("Style"), 8}}), withoutType, host));
    EXPECT_EQ(withoutType.toolTipType, 1);
}

TEST(ButtonPersistence, OmittedColoursFollowTheSystemColoursOfTheMomentOfLoading)
{
    const PropertyHost before = shiftedHost(0);
    const PropertyHost after = shiftedHost(0x11);
    PropertyBag bag;
    ButtonProperties p = initialProperties(before);
    p.fontColor = rgb(0x20, 0x40, 0x60); // not a system colour: stored
    writeProperties(p, bag, before);

    ButtonProperties loaded;
    ASSERT_FALSE(readProperties(bag, loaded, after));
    EXPECT_EQ(loaded.backColor, after.systemColor(15));
    EXPECT_EQ(loaded.highlightColor, after.systemColor(13));
    EXPECT_EQ(loaded.fontHighlightColor, after.systemColor(18));
    EXPECT_EQ(loaded.fontColor, rgb(0x20, 0x40, 0x60));
}

TEST(ButtonPersistence, KeysAreFoundWhateverTheirCase)
{
    const QJsonObject json{{QStringLiteral("STYLE"), 8},
                           {QStringLiteral("inonthemestyle"), 2},
                           {QStringLiteral("TOOLTIPTITLE"), QStringLiteral("Title")},
                           {QStringLiteral("usecustomcolors"), true},
                           {QStringLiteral("TTBACKCOLOR"), QStringLiteral("#FFFFE1")}};
    ButtonProperties p;
    ASSERT_FALSE(readProperties(PropertyBag::fromJson(json), p, hostWith(SystemColors::reference())));
    EXPECT_EQ(p.style, 8);
    EXPECT_EQ(p.nonThemeStyle, 2);
    EXPECT_EQ(p.toolTipTitle, QStringLiteral("Title"));
    EXPECT_TRUE(p.useCustomColors);
    EXPECT_EQ(p.toolTipBackColor, rgb(0xFF, 0xFF, 0xE1));
}

TEST(ButtonPersistence, AValueOfTheWrongKindEndsTheLoadAtItsKey)
{
    const QJsonObject json{{QStringLiteral("Style"), 9},
                           {QStringLiteral("Caption"), QStringLiteral("Go")},
                           {QStringLiteral("IconSize"), QStringLiteral("large")},
                           {QStringLiteral("CaptionAlign"), 2}};
    ButtonProperties p;
    const auto error = readProperties(PropertyBag::fromJson(json), p, hostWith(SystemColors::reference()));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("IconSize"))) << error->toStdString();
    EXPECT_EQ(p.style, 9);
    EXPECT_EQ(p.caption, QStringLiteral("Go"));
    EXPECT_EQ(p.captionAlign, 0); // after the failing key: not read
}

TEST(ButtonPersistence, AnUnreadableIconCostsOnlyThePictureAndIsReportedByPath)
{
    ButtonProperties p;
    p.icon = Picture{QString(), QImage(2, 2, QImage::Format_RGB32)};
    QStringList warnings;
    const auto error = readProperties(PropertyBag::fromJson(QJsonObject{{QStringLiteral("Icon"), QStringLiteral(":/icons/none.svg")},
                                                                         {QStringLiteral("Style"), 9},
                                                                         {QStringLiteral("Value"), true}}),
                                      p, hostWith(SystemColors::reference()), &warnings);
    EXPECT_FALSE(error);
    EXPECT_TRUE(p.icon.isNull());
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral(":/icons/none.svg"))) << warnings[0].toStdString();
    EXPECT_EQ(p.style, 9);
    EXPECT_TRUE(p.value); // the last key
}

} // namespace
} // namespace skin
