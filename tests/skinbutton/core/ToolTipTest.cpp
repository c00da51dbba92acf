// The button's own tooltip: where it goes, what it paints, and when it shows.
#include "ButtonTestSupport.h"

#include "skinbutton/core/ToolTipWindow.h"
#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace skin {
namespace {

constexpr Color kReferenceTipText = rgb(0x00, 0x00, 0x00);
constexpr Color kReferenceTipBack = rgb(0xFF, 0xFF, 0xE1);

QRgb at(const QImage& image, QPoint p) { return image.pixel(p); }
QRgb opaque(Color c) { return toQRgb(c); }

ToolTipContent tip(const QString& text, const QString& title = {}, int icon = 0, int type = 0)
{
    return ToolTipContent{text, title, icon, type, 0, 0};
}

ToolTipFace plainFace(const QStyle* style = nullptr)
{
    ToolTipFace face;
    face.font = QApplication::font("QTipLabel");
    face.style = style;
    return face;
}

TEST(ToolTipColors, ZeroAndFailedTranslationsKeepThePalettesColours)
{
    struct Row {
        Color fore, back, wantFore, wantBack;
    };
    const Row rows[] = {
        {0, 0, kReferenceTipText, kReferenceTipBack},
        {rgb(0xFF, 0xFF, 0xFF), rgb(0x80, 0, 0), rgb(0xFF, 0xFF, 0xFF), rgb(0x80, 0, 0)},
        {systemColorCode(kWindow), systemColorCode(kHighlight), rgb(0xFF, 0xFF, 0xFF), rgb(0x00, 0x78, 0xD7)},
        {systemColorCode(99), Color(-1), kReferenceTipText, kReferenceTipBack}, // translate to -1
    };
    for (const Row& row : rows) {
        ToolTipContent content{QStringLiteral("Tip"), {}, 0, 0, row.fore, row.back};
        const ToolTipColors colors = toolTipColors(content, SystemColors::reference());
        EXPECT_EQ(colors.fore, row.wantFore);
        EXPECT_EQ(colors.back, row.wantBack);
        // what both forms paint inside the body, beside the text
        for (int type : {0, 1}) {
            content.type = type;
            const ToolTipLayout layout = layoutToolTip(content, plainFace(QApplication::style()), type == 1, 400);
            const ToolTipGeometry g = placeToolTip(layout.bodySize, type == 1, QPoint(100, 100), QRect(0, 0, 800, 600));
            const QImage image = renderToolTip(content, plainFace(QApplication::style()), colors, layout, g);
            EXPECT_EQ(at(image, QPoint(g.body.left() + 3, g.body.center().y())), opaque(row.wantBack)) << type;
        }
    }
}

TEST(ToolTipLayout, ATitleLineOnlyForATitleOrAKnownIcon)
{
    struct Row {
        const char* title;
        int icon;
        bool titleLine, iconShown;
    };
    const Row rows[] = {{"", 0, false, false}, {"Note", 0, true, false}, {"", 2, true, true},
                        {"Note", 3, true, true}, {"", 7, false, false}};
    ToolTipFace face = plainFace();
    face.icon = QImage(16, 16, QImage::Format_ARGB32_Premultiplied);
    face.icon.fill(Qt::red);
    const ToolTipLayout bare = layoutToolTip(tip(QStringLiteral("Text")), face, false, 400);
    for (const Row& row : rows) {
        const ToolTipContent content = tip(QStringLiteral("Text"), QString::fromUtf8(row.title), row.icon);
        const ToolTipLayout layout = layoutToolTip(content, face, false, 400);
        EXPECT_EQ(layout.textRect.top() > bare.textRect.top(), row.titleLine) << row.title << row.icon;
        EXPECT_EQ(!layout.iconRect.isNull(), row.iconShown) << row.title << row.icon;
        EXPECT_EQ(!layout.titleRect.isNull(), *row.title != '\0');
        if (row.iconShown) {
            const ToolTipGeometry g = placeToolTip(layout.bodySize, false, QPoint(50, 50), QRect(0, 0, 800, 600));
            const QImage image = renderToolTip(content, face, {0, rgb(0xFF, 0xFF, 0xFF)}, layout, g);
            EXPECT_EQ(at(image, layout.iconRect.center()), QColor(Qt::red).rgb());
        }
    }
    // long text wraps to the width it is given
    const ToolTipContent wordy = tip(QStringLiteral("many words ").repeated(40));
    EXPECT_LE(layoutToolTip(wordy, face, true, 300).textRect.width(), 300);
}

TEST(ToolTipPlacement, StaysOnThePointersScreenAndFlipsTheStem)
{
    const QSize body(200, 50);
    const QRect screen(0, 0, 1280, 1024);
    struct Row {
        bool balloon;
        QPoint pointer;
        QRect screen;
        QRect window;
        bool stemUp;
        QPoint stemTip; // window coordinates; balloon only
    };
    const Row rows[] = {
        // the stem's tip is one row below (or above) the pointer, never under it
        {true, {300, 300}, screen, {282, 301, 200, 64}, true, {18, 0}},       // below
        {true, {300, 1000}, screen, {282, 936, 200, 64}, false, {18, 63}},    // no room below: above
        {true, {1275, 300}, screen, {1080, 301, 200, 64}, true, {191, 0}},    // right edge: stem leans left
        {true, {2, 300}, screen, {0, 301, 200, 64}, true, {8, 0}},            // left edge
        {true, {2000, 760}, {1280, 0, 1024, 768}, {1982, 696, 200, 64}, false, {18, 63}}, // second screen
        {false, {300, 300}, screen, {302, 320, 200, 50}, true, {}},
        {false, {300, 1000}, screen, {302, 948, 200, 50}, false, {}},
        {false, {1279, 10}, screen, {1080, 30, 200, 50}, true, {}},
    };
    for (const Row& row : rows) {
        const ToolTipGeometry g = placeToolTip(body, row.balloon, row.pointer, row.screen);
        EXPECT_EQ(g.window, row.window) << row.pointer.x() << "," << row.pointer.y();
        EXPECT_TRUE(row.screen.contains(g.window));
        EXPECT_EQ(g.stemUp, row.stemUp);
        if (row.balloon) {
            EXPECT_EQ(g.stemTip, row.stemTip);
            const int lean = g.stemBaseRight - g.stemBaseLeft;
            EXPECT_EQ(lean, 16);
            EXPECT_TRUE(g.stemBaseLeft == g.stemTip.x() || g.stemBaseRight == g.stemTip.x());
        }
    }
}

TEST(ToolTipShape, BalloonIsRoundedWithAStemAndTheRectangleIsFull)
{
    const ToolTipGeometry balloon = placeToolTip(QSize(120, 40), true, QPoint(100, 100), QRect(0, 0, 800, 600));
    const QRegion shape = toolTipRegion(balloon);
    EXPECT_FALSE(shape.contains(QPoint(0, balloon.body.top())));         // rounded corner
    EXPECT_TRUE(shape.contains(balloon.body.center()));
    EXPECT_TRUE(shape.contains(balloon.stemTip + QPoint(1, 3)));          // the stem
    EXPECT_FALSE(shape.contains(QPoint(balloon.stemBaseRight + 8, 3)));   // beside the stem
    const QImage image = renderToolTip(tip(QStringLiteral("x"), {}, 0, 1), plainFace(), {0, rgb(0xFF, 0xFF, 0xFF)},
                                       layoutToolTip(tip(QStringLiteral("x")), plainFace(), true, 100), balloon);
    EXPECT_EQ(qAlpha(at(image, QPoint(0, balloon.body.top()))), 0);
    EXPECT_EQ(qAlpha(at(image, QPoint(balloon.stemBaseRight + 8, 3))), 0);

    const ToolTipGeometry rect = placeToolTip(QSize(120, 40), false, QPoint(100, 100), QRect(0, 0, 800, 600));
    EXPECT_EQ(toolTipRegion(rect), QRegion(0, 0, 120, 40));
}

// ---- on a shown button

const QJsonObject kTipButton{{QStringLiteral("ToolTipText"), QStringLiteral("Erase the queue")},
                             {QStringLiteral("Tooltiptitle"), QStringLiteral("Delete")},
                             {QStringLiteral("ToolTipIcon"), 1},
                             {QStringLiteral("ToolTipType"), 1}};

struct TipButton {
    test::ShownButton shown;
    ToolTipController* tips;
};

TipButton tipButton(const QJsonObject& stored = kTipButton, bool designMode = false)
{
    TipButton b{test::showButton(stored, designMode), nullptr};
    b.tips = ToolTipController::of(b.shown.button);
    b.tips->setWakeUpDelay(30);
    return b;
}

void pointAt(QWidget* widget, QPoint pos)
{
    QCursor::setPos(widget->mapToGlobal(pos));
    QApplication::processEvents();
}

TEST(ToolTipOnButton, ARealPointerEntryShowsTheTipUntilLeaveClickOrKey)
{
    auto b = tipButton();
    SkinButton* button = b.shown.button;
    const std::function<void()> endings[] = {
        [&] { pointAt(b.shown.window.get(), QPoint(2, 2)); },
        [&] { QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10)); },
        [&] { QTest::keyClick(button, Qt::Key_A); },
    };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto& end = endings[i];
        pointAt(b.shown.window.get(), QPoint(2, 2));
        pointAt(button, QPoint(10, 10));
        ASSERT_TRUE(QTest::qWaitFor([&] { return b.tips->isTipShown(); }, 2000));
        const ToolTipWindow* tip = b.tips->tipWindow();
        EXPECT_EQ(tip->windowTitle(), QStringLiteral("Erase the queue"));
        EXPECT_TRUE(tip->content().isBalloon());
        EXPECT_EQ(tip->geometryOnScreen().window.topLeft() + tip->geometryOnScreen().stemTip,
                  button->mapToGlobal(QPoint(10, 11)));
        EXPECT_TRUE(tip->screen()->geometry().contains(tip->geometry()));
        end();
        EXPECT_FALSE(b.tips->isTipShown());
        QTest::qWait(80); // no comeback without a new entry
        EXPECT_FALSE(b.tips->isTipShown());
        test::releaseAllButtons(button);
    }
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    EXPECT_EQ(accessible->text(QAccessible::Description), QStringLiteral("Erase the queue"));
}

TEST(ToolTipOnButton, NothingWithoutTextOrInDesignModeAndNeverQtsOwnTip)
{
    QJsonObject titleOnly = kTipButton;
    titleOnly[QStringLiteral("ToolTipText")] = QString();
    for (const bool designMode : {false, true}) {
        auto b = tipButton(designMode ? kTipButton : titleOnly, designMode);
        if (designMode) // QWidget's tooltip is the control's too, so only here does it stay empty-handed
            b.shown.button->QWidget::setToolTip(QStringLiteral("Qt's own"));
        pointAt(b.shown.button, QPoint(10, 10));
        QHelpEvent help(QEvent::ToolTip, QPoint(10, 10), b.shown.button->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(b.shown.button, &help);
        QTest::qWait(100);
        EXPECT_EQ(b.tips->tipWindow(), nullptr);
        EXPECT_FALSE(QToolTip::isVisible());
        pointAt(b.shown.window.get(), QPoint(2, 2));
    }
}

TEST(ToolTipOnButton, WritesTakeEffectAtTheNextEntryAndAResizeKeepsTheToolRectangle)
{
    auto b = tipButton();
    SkinButton* button = b.shown.button;
    pointAt(button, QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.tips->isTipShown(); }, 2000));
    button->setToolTip(QStringLiteral("Changed"));
    button->setToolTipType(0);
    EXPECT_EQ(b.tips->tipWindow()->content().text, QStringLiteral("Erase the queue"));

    button->resize(150, 60); // grows under the pointer
    EXPECT_EQ(b.tips->toolRect(), QRect(0, 0, 75, 23));
    pointAt(button, QPoint(120, 40)); // inside the button, outside the old rectangle
    QTest::qWait(100);
    EXPECT_FALSE(b.tips->isTipShown());

    pointAt(b.shown.window.get(), QPoint(2, 2));
    pointAt(button, QPoint(120, 40));
    ASSERT_TRUE(QTest::qWaitFor([&] { return b.tips->isTipShown(); }, 2000));
    EXPECT_EQ(b.tips->toolRect(), QRect(0, 0, 150, 60));
    EXPECT_EQ(b.tips->tipWindow()->content().text, QStringLiteral("Changed"));
    EXPECT_FALSE(b.tips->tipWindow()->content().isBalloon());
}

} // namespace
} // namespace skin
