// The button's About box: its pixels, and the floating window About() shows.
#include "ButtonTestSupport.h"

#include "skinbutton/core/AboutPanel.h"
#include "skinbutton/render/ColorMath.h"

#include <QAccessible>
#include <QPalette>

#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace skin {
namespace {

// The version the About box shows, "major.minor", as the library is built.
QString libraryVersion() { return QStringLiteral("%1.%2").arg(SKINBUTTON_VERSION_MAJOR).arg(SKINBUTTON_VERSION_MINOR); }

constexpr QRgb kFace = 0xF0F0F0;
constexpr QRgb kLine = 0xA0A0A0;

QRgb rgbAt(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

Surface paintedPanel(const AboutTexts& texts)
{
    Surface surface(kAboutPanelWidth, kAboutPanelHeight);
    paintAboutPanel(surface, SystemColors::reference(), texts);
    return surface;
}

// The box around every pixel that is not the face colour, inside area.
QRect inkBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (rgbAt(image, x, y) != kFace)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(AboutPanelPixels, CloseButtonOutlineCornersAndGradientInBothLooks)
{
    struct Row {
        int x, y;
        QRgb normal, pressed;
    };
    const Row rows[] = {
        // corner pixels in the face colour
        {290, 80, kFace, kFace}, {291, 80, kFace, kFace}, {290, 81, kFace, kFace},
        {359, 80, kFace, kFace}, {360, 80, kFace, kFace}, {360, 81, kFace, kFace},
        {290, 106, kFace, kFace}, {291, 106, kFace, kFace}, {290, 105, kFace, kFace},
        {359, 106, kFace, kFace}, {360, 106, kFace, kFace}, {360, 105, kFace, kFace},
        // outline: edges and diagonals
        {292, 80, kLine, kLine}, {357, 80, kLine, kLine}, {358, 80, kLine, kLine}, {359, 81, kLine, kLine},
        {291, 81, kLine, kLine}, {290, 82, kLine, kLine}, {290, 104, kLine, kLine}, {291, 105, kLine, kLine},
        {292, 106, kLine, kLine}, {357, 106, kLine, kLine},
        {360, 82, kLine, kLine}, {360, 100, kLine, kLine}, // right edge, one column right of the gradient
        {360, 104, kLine, kLine}, {359, 105, kLine, kLine}, {358, 106, kLine, kLine}, // lower right diagonal
        // gradient rows 80-106 over columns 290-359: light at the top, or pressed dark at the top
        {300, 81, 0xFEFEFE, 0xE2E2E2}, {359, 90, 0xF3F3F3, 0xEDEDED}, {300, 105, 0xE2E2E2, 0xFEFEFE},
        // beside the button: the panel
        {361, 90, kFace, kFace}, {289, 90, kFace, kFace}, {300, 107, kFace, kFace},
    };
    Surface surface = paintedPanel(aboutTexts(QStringLiteral("4.0")));
    const QImage normal = surface.image().copy();
    paintCloseButton(surface, SystemColors::reference(), true);
    for (const Row& row : rows) {
        EXPECT_EQ(rgbAt(normal, row.x, row.y), row.normal) << row.x << "," << row.y;
        EXPECT_EQ(rgbAt(surface.image(), row.x, row.y), row.pressed) << row.x << "," << row.y;
    }
    // the label: blue ink, inside the button
    int bluePixels = 0;
    for (int y = 83; y < 104; ++y)
        for (int x = 292; x < 358; ++x)
            bluePixels += qBlue(normal.pixel(x, y)) > 150 && qRed(normal.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(bluePixels, 20);
}

// On a dark palette the blue label is lifted until it reads at 4.5:1 on the button's face.
TEST(AboutPanelPixels, CloseLabelStaysLegibleOnADarkPalette)
{
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEC));
    Surface surface(kAboutPanelWidth, kAboutPanelHeight);
    paintAboutPanel(surface, SystemColors::fromPalette(dark), aboutTexts(QStringLiteral("4.0")));
    const QImage& image = surface.image();
    double best = 1.0;
    for (int y = 83; y < 104; ++y) {
        const QRgb face = image.pixel(358, y); // the gradient beside the label, same row
        const double faceLuminance = RelativeLuminance(rgb(qRed(face), qGreen(face), qBlue(face)));
        for (int x = 292; x < 358; ++x) {
            const QRgb p = image.pixel(x, y);
            best = std::max(best, ContrastRatio(RelativeLuminance(rgb(qRed(p), qGreen(p), qBlue(p))), faceLuminance));
        }
    }
    EXPECT_GE(best, 4.5);
}

TEST(AboutPanelPixels, EachLineSitsOnItsRowFromItsColumnAndStaysInItsWidth)
{
    struct Row {
        AboutTexts texts;
        QRect area; // where its ink may be found
        int left, centreRow;
    };
    const QString h = QStringLiteral("HHHH");
    const Row rows[] = {
        {{h, {}, {}, {}}, {0, 0, 289, 60}, 20, 25},
        {{{}, h, {}, {}}, {0, 0, 289, 80}, 160, 45},
        {{{}, {}, h, {}}, {0, 40, 289, 104}, 20, 65},
        {{{}, {}, {}, h}, {0, 40, 289, 104}, 20, 80},
    };
    for (const Row& row : rows) {
        const QRect ink = inkBox(paintedPanel(row.texts).image(), row.area);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GE(ink.left(), row.left);
        EXPECT_LE(ink.left(), row.left + 3);
        EXPECT_NEAR(ink.center().y(), row.centreRow, 3) << row.centreRow;
    }
    // a packager's long home page ends in an ellipsis before the Close button's column
    const AboutTexts longLine{{}, {}, {}, QStringLiteral("https://example.org/").repeated(10)};
    EXPECT_LE(inkBox(paintedPanel(longLine).image(), QRect(0, 70, 289, 20)).right(), 250);
}

TEST(AboutPanelWindow, ScreenReadersGetItsTextsAndACloseButtonThatCloses)
{
    auto shown = test::showButton();
    shown.button->About();
    AboutPanel* panel = aboutPanelOf(shown.button);
    ASSERT_TRUE(panel);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(panel);
    ASSERT_NE(iface, nullptr);
    const AboutTexts texts = aboutTexts(libraryVersion());
    EXPECT_EQ(iface->text(QAccessible::Name), texts.title);
    for (const QString& line : {texts.version, texts.author, texts.homePage})
        EXPECT_TRUE(iface->text(QAccessible::Description).contains(line)) << line.toStdString();
    ASSERT_EQ(iface->childCount(), 1);
    QAccessibleInterface* close = iface->child(0);
    EXPECT_EQ(close->role(), QAccessible::Button);
    EXPECT_EQ(close->text(QAccessible::Name), QStringLiteral("Close"));
    close->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); // an animated click
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->isVisible(); }, 2000));
}

TEST(AboutPanelWindow, AboutShowsTheFloatingPanelAndAClickAnywhereHidesIt)
{
    auto shown = test::showButton();
    shown.button->About();
    QPointer<AboutPanel> panel = aboutPanelOf(shown.button);
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panel->isWindow());
    EXPECT_EQ(panel->parentWidget(), nullptr);
    EXPECT_EQ(panel->windowTitle(), QStringLiteral("About SkinButton ") + libraryVersion());
    EXPECT_EQ(panel->size(), QSize(377, 145));
    const Qt::WindowFlags flags = panel->windowFlags();
    for (Qt::WindowType flag : {Qt::WindowTitleHint, Qt::WindowMinimizeButtonHint, Qt::WindowStaysOnTopHint})
        EXPECT_TRUE(flags.testFlag(flag)) << flag;
    EXPECT_EQ(panel->minimumSize(), QSize(0, 0)); // the frame resizes it

    // any button down shows the pressed look; only a left click hides
    QTest::mousePress(panel, Qt::RightButton, Qt::NoModifier, QPoint(40, 80));
    EXPECT_EQ(rgbAt(panel->panelImage(), 300, 81), 0xE2E2E2u);
    QTest::mouseRelease(panel, Qt::RightButton, Qt::NoModifier, QPoint(40, 80));
    EXPECT_TRUE(panel->isVisible());
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(40, 80)); // on the home page
    EXPECT_FALSE(panel->isVisible());

    shown.button->About();
    EXPECT_EQ(aboutPanelOf(shown.button), panel.data());
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(rgbAt(panel->panelImage(), 300, 81), 0xFEFEFEu);

    shown.window.reset(); // the button goes, and its panel with it
    EXPECT_TRUE(panel.isNull());
}

} // namespace
} // namespace skin
