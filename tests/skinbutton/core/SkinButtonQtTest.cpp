// SkinButton as Qt code sees it: properties through the meta-object, Qt-named signals, QWidget's
// own setters, focus and the caption's mnemonic.
#include "ButtonTestSupport.h"

#include "skinbutton/core/PropertyTable.h"
#include "skinbutton/core/QtPropertyTypes.h"
#include "skinbutton/render/SystemColors.h"

#include <QIcon>
#include <QLineEdit>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace skin {
namespace {

using test::pixelAt;
using test::showButton;

const QJsonObject kStyle4{{QStringLiteral("Style"), 4}};

QImage filled(QSize size, Qt::GlobalColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

TEST(SkinButtonQt, EveryPropertyIsAWritableQtPropertyWithItsOwnNotifySignal)
{
    const QMetaObject& meta = SkinButton::staticMetaObject;
    for (const PropertyRow& row : propertyTable()) {
        SCOPED_TRACE(row.name);
        const QMetaProperty property = meta.property(meta.indexOfProperty(row.name));
        ASSERT_TRUE(property.isValid());
        EXPECT_TRUE(property.isWritable());
        EXPECT_TRUE(property.hasNotifySignal());
        EXPECT_EQ(property.notifySignal().parameterCount(), 0);
    }
}

TEST(SkinButtonQt, SetPropertyTakesQtsTypesAndReadsBackTheStoredValue)
{
    struct Row {
        const char* name;
        QVariant written;
        QVariant readBack;
        std::function<bool(const SkinButton&)> stored;
    };
    const Row rows[] = {
        // A number is taken; it reads back as the named value.
        {"Style", 9, QVariant::fromValue(SkinButton::GlossyTile), [](const SkinButton& b) { return b.Style() == 9; }},
        {"Caption", QStringLiteral("Go"), QStringLiteral("Go"), [](const SkinButton& b) { return b.Caption() == QStringLiteral("Go"); }},
        {"Icon", QPixmap::fromImage(filled(QSize(4, 4), Qt::red)), {},
         [](const SkinButton& b) { return b.Icon().image.pixel(0, 0) == qRgb(255, 0, 0); }},
        {"Icon", filled(QSize(3, 3), Qt::green), {}, [](const SkinButton& b) { return b.Icon().image.size() == QSize(3, 3); }},
        {"BackColor", QColor(1, 2, 3), QColor(1, 2, 3), [](const SkinButton& b) { return b.BackColor() == rgb(1, 2, 3); }},
        {"HighlightColor", QColor(Qt::blue), QColor(Qt::blue), [](const SkinButton& b) { return b.HighlightColor() == rgb(0, 0, 255); }},
        // The failed translation's -1 is the invalid colour, both ways.
        {"ToolTipBackColor", QColor(), QColor(), [](const SkinButton& b) { return b.ToolTipBackColor() == kInvalidColor; }},
        {"ToolTipForeColor", QColor(Qt::black), QColor(Qt::black), [](const SkinButton& b) { return b.ToolTipForeColor() == 0; }},
        {"ToolTip", QStringLiteral("tip"), QStringLiteral("tip"), [](const SkinButton& b) { return b.toolTip() == QStringLiteral("tip"); }},
        {"Font", QFont(QStringLiteral("DejaVu Serif"), 12), QFont(QStringLiteral("DejaVu Serif"), 12),
         [](const SkinButton& b) { return b.font().family() == QStringLiteral("DejaVu Serif"); }},
        {"Enabled", false, false, [](const SkinButton& b) { return !b.isEnabled(); }},
        {"value", true, true, [](const SkinButton& b) { return b.value(); }},
        {"IconSize", 32, 32, [](const SkinButton& b) { return b.IconSize() == 32; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto shown = showButton(kStyle4);
        SkinButton* b = shown.button;
        const QMetaProperty property = b->metaObject()->property(b->metaObject()->indexOfProperty(row.name));
        QSignalSpy notified(b, property.notifySignal());
        QSignalSpy changed(b, &SkinButton::propertyChanged);

        ASSERT_TRUE(b->setProperty(row.name, row.written));

        EXPECT_TRUE(row.stored(*b));
        if (row.readBack.isValid()) {
            EXPECT_EQ(b->property(row.name), row.readBack);
        }
        EXPECT_EQ(notified.count(), 1);
        EXPECT_EQ(changed.count(), 1);
    }
}

TEST(SkinButtonQt, NumberedPropertiesAreNamedEnumsWithTheStoredNumbers)
{
    const struct {
        const char* property;
        int number;
        const char* name;
        int count;
    } rows[] = {
        {"Style", 10, "PixelArtGel", 11},       {"NonThemeStyle", 0, "Classic3D", 11}, {"CaptionAlign", 3, "AlignTop", 5},
        {"IconAlign", 4, "AlignBottom", 5},     {"ButtonType", 1, "ToggleButton", 2},  {"ToolTipIcon", 2, "WarningTipIcon", 4},
        {"ToolTipType", 1, "BalloonTip", 2},
    };
    const QMetaObject& meta = SkinButton::staticMetaObject;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.property);
        const QMetaProperty property = meta.property(meta.indexOfProperty(row.property));
        ASSERT_TRUE(property.isEnumType());
        EXPECT_EQ(property.enumerator().keyCount(), row.count);
        EXPECT_STREQ(property.enumerator().valueToKey(row.number), row.name);
        for (int i = 0; i < row.count; ++i)
            EXPECT_EQ(property.enumerator().value(i), i);
    }
}

TEST(SkinButtonQt, FormEditorsSeeOnePropertyPerConceptAndCanResetColorsToTheSystems)
{
    const QMetaObject& meta = SkinButton::staticMetaObject;
    const auto designable = [&](const char* name) { return meta.property(meta.indexOfProperty(name)).isDesignable(); };
    for (const char* name : {"enabled", "font", "toolTip"})
        EXPECT_TRUE(designable(name)) << name;
    for (const char* name : {"Enabled", "Font", "ToolTip"})
        EXPECT_FALSE(designable(name)) << name;

    auto shown = showButton(kStyle4);
    SkinButton* b = shown.button;
    const SystemColors system = systemColorsOf(*b);
    const struct {
        const char* property;
        Color reset;
    } colors[] = {{"BackColor", system.color(SysColor::ButtonFace)}, {"HighlightColor", system.color(SysColor::Highlight)},
                  {"FontColor", system.color(SysColor::ButtonText)}, {"FontHighlightColor", system.color(SysColor::ButtonText)},
                  {"ToolTipBackColor", 0},                           {"ToolTipForeColor", 0}};
    for (const auto& row : colors) {
        SCOPED_TRACE(row.property);
        const QMetaProperty property = meta.property(meta.indexOfProperty(row.property));
        ASSERT_TRUE(property.isResettable());
        property.write(b, QColor(1, 2, 3));
        property.reset(b);
        EXPECT_EQ(fromQColor(property.read(b).value<QColor>()), row.reset);
    }
}

TEST(SkinButtonQt, LaysOutLikeAPushButtonWideEnoughForCaptionIconAndCorners)
{
    auto shown = showButton(kStyle4);
    SkinButton* b = shown.button;
    EXPECT_EQ(b->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
    EXPECT_EQ(b->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
    b->setCaption(QStringLiteral("OK"));
    EXPECT_EQ(b->sizeHint(), QSize(75, 23));
    b->setCaption(QStringLiteral("A much longer caption than fits"));
    const int captionOnly = b->sizeHint().width();
    EXPECT_GT(captionOnly, 75);
    b->setIcon(filled(QSize(16, 16), Qt::red));
    EXPECT_GE(b->sizeHint().width(), captionOnly + 16);
    const int square = b->sizeHint().width();
    b->setStyle(SkinButton::PixelArtGel);
    EXPECT_GT(b->sizeHint().width(), square);
}

TEST(SkinButtonQt, StyleSheetsSetAndSelectByTheControlsProperties)
{
    auto shown = showButton(kStyle4);
    shown.window->setStyleSheet(QStringLiteral("skin--SkinButton[Style=\"4\"] { qproperty-BackColor: #102030; qproperty-IconSize: 24; }"));
    shown.button->ensurePolished();
    EXPECT_EQ(shown.button->BackColor(), rgb(0x10, 0x20, 0x30));
    EXPECT_EQ(shown.button->IconSize(), 24);
}

TEST(SkinButtonQt, QWidgetsEnabledFontAndToolTipAreTheControlsOwn)
{
    auto shown = showButton(kStyle4);
    QWidget* widget = shown.button;
    QSignalSpy changed(shown.button, &SkinButton::propertyChanged);
    const QRgb enabledLook = pixelAt(*shown.button, 10, 10);

    widget->setEnabled(false);
    EXPECT_FALSE(shown.button->Enabled());
    EXPECT_EQ(shown.button->visualState(), 4);
    EXPECT_NE(pixelAt(*shown.button, 10, 10), enabledLook);
    widget->setEnabled(true);
    EXPECT_TRUE(shown.button->Enabled());
    EXPECT_EQ(pixelAt(*shown.button, 10, 10), enabledLook);

    widget->setFont(QFont(QStringLiteral("DejaVu Serif"), 14));
    EXPECT_EQ(shown.button->Font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(shown.button->Font().pointSize(), 14);

    widget->setToolTip(QStringLiteral("Quit the program"));
    EXPECT_EQ(shown.button->ToolTip(), QStringLiteral("Quit the program"));

    QStringList names;
    for (const QList<QVariant>& call : changed)
        names << call.at(0).toString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("Enabled"), QStringLiteral("Enabled"), QStringLiteral("Font"),
                                  QStringLiteral("ToolTipText")}));

    // A disabled parent greys the button but leaves its own Enabled alone.
    shown.window->setEnabled(false);
    EXPECT_TRUE(shown.button->Enabled());
    EXPECT_EQ(shown.button->visualState(), 4);
}

TEST(SkinButtonQt, ClickedFollowsClickAndToggledFollowsEveryChangeOfValue)
{
    auto shown = showButton({{QStringLiteral("Style"), 4}, {QStringLiteral("ButtonType"), 1}});
    SkinButton* b = shown.button;
    QStringList events;
    QObject::connect(b, &SkinButton::toggled, b, [&](bool on) {
        events << (on ? QStringLiteral("toggled on") : QStringLiteral("toggled off"));
    });
    QObject::connect(b, &SkinButton::Click, b, [&] { events << QStringLiteral("Click, value %1").arg(b->value()); });
    QObject::connect(b, &SkinButton::clicked, b, [&] { events << QStringLiteral("clicked"); });
    QObject::connect(b, &SkinButton::valueChanged, b, [&] { events << QStringLiteral("valueChanged"); });

    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    b->setValue(true); // no change: nothing
    b->setValue(false);
    b->setButtonType(0);
    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));

    // A click notifies value as a write does; every write notifies, changed or not.
    EXPECT_EQ(events, (QStringList{QStringLiteral("valueChanged"), QStringLiteral("toggled on"), QStringLiteral("Click, value 1"),
                                   QStringLiteral("clicked"), QStringLiteral("valueChanged"), QStringLiteral("valueChanged"),
                                   QStringLiteral("toggled off"), QStringLiteral("Click, value 0"), QStringLiteral("clicked")}));
}

TEST(SkinButtonQt, AboutAndRefreshAreSlotsThatScriptsReach)
{
    auto shown = showButton(kStyle4);
    QSignalSpy about(shown.button, &SkinButton::aboutRequested);
    EXPECT_TRUE(QMetaObject::invokeMethod(shown.button, "About"));
    EXPECT_EQ(about.count(), 1);
    const qint64 before = surfaceImageOf(*shown.button).cacheKey();
    EXPECT_TRUE(QMetaObject::invokeMethod(shown.button, "Refresh"));
    EXPECT_NE(surfaceImageOf(*shown.button).cacheKey(), before);
}

TEST(SkinButtonQt, TabAndAClickGiveTheButtonTheFocus)
{
    auto shown = showButton(kStyle4);
    auto* edit = new QLineEdit(shown.window.get());
    edit->show();
    QWidget::setTabOrder(edit, shown.button);
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.window.get()));
    ASSERT_TRUE(edit->hasFocus());

    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(shown.button->hasFocus());
    EXPECT_TRUE(hasFocusFlagOf(*shown.button));

    edit->setFocus();
    QTest::mouseClick(shown.button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(shown.button->hasFocus());
}

TEST(SkinButtonQt, AltAndTheMnemonicLetterClickFromAnywhereInTheWindowAndFollowTheCaption)
{
    auto shown = showButton({{QStringLiteral("Style"), 4}, {QStringLiteral("Caption"), QStringLiteral("E&xit")}});
    auto* edit = new QLineEdit(shown.window.get());
    edit->show();
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.window.get()));
    QSignalSpy clicks(shown.button, &SkinButton::Click);

    QTest::keyClick(edit, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(shown.button->hasFocus());

    shown.button->setCaption(QStringLiteral("&Go"));
    QTest::keyClick(edit, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 2);

    shown.button->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
    shown.button->setEnabled(true);
    shown.button->setDesignMode(true);
    QTest::keyClick(edit, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(SkinButtonQt, AnUnreadableStoredIconIsWarnedAboutAndTheRestStillLoads)
{
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtWarningMsg)
            warnings << text;
    });
    auto shown = showButton({{QStringLiteral("Icon"), QStringLiteral("/no/such/icon.png")},
                             {QStringLiteral("Caption"), QStringLiteral("Quit")},
                             {QStringLiteral("Value"), true}});
    qInstallMessageHandler(previous);

    EXPECT_TRUE(shown.button->Icon().isNull());
    EXPECT_EQ(shown.button->Caption(), QStringLiteral("Quit"));
    EXPECT_TRUE(shown.button->value());
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("cmdTest"))) << warnings[0].toStdString();
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("/no/such/icon.png"))) << warnings[0].toStdString();
}

} // namespace
} // namespace skin
