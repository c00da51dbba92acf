#include "ButtonTestSupport.h"

#include "skinbutton/render/WindowShape.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace skin {
namespace {

using test::pixelAt;
using test::showButton;

const QJsonObject kStyle0{{QStringLiteral("Style"), 0}};

TEST(SkinButtonProperties, EveryWriteNotifiesItsNameRepaintsAndLayoutWritesReshape)
{
    struct Row {
        const char* notified;
        std::function<void(SkinButton*)> write;
        std::function<bool(const SkinButton&)> stored;
        bool reshapes;
    };
    const Row rows[] = {
        {"Style", [](SkinButton* b) { b->setStyle(9); }, [](const SkinButton& b) { return b.Style() == 9; }, true},
        {"Caption", [](SkinButton* b) { b->setCaption(QStringLiteral("Go")); },
         [](const SkinButton& b) { return b.Caption() == QStringLiteral("Go"); }, true},
        {"Icon", [](SkinButton* b) { b->setIcon(QImage(4, 4, QImage::Format_RGB32)); },
         [](const SkinButton& b) { return b.Icon().image.size() == QSize(4, 4); }, true},
        {"IconAlign", [](SkinButton* b) { b->setIconAlign(7); }, [](const SkinButton& b) { return b.IconAlign() == 7; }, true},
        {"IconSize", [](SkinButton* b) { b->setIconSize(-3); }, [](const SkinButton& b) { return b.IconSize() == -3; }, true},
        {"CaptionAlign", [](SkinButton* b) { b->setCaptionAlign(3); },
         [](const SkinButton& b) { return b.CaptionAlign() == 3; }, true},
        {"NonThemeStyle", [](SkinButton* b) { b->setNonThemeStyle(8); },
         [](const SkinButton& b) { return b.NonThemeStyle() == 8; }, true},
        {"Enabled", [](SkinButton* b) { b->setEnabled(false); },
         [](const SkinButton& b) { return !b.Enabled() && !b.isEnabled(); }, false},
        {"ShowFocus", [](SkinButton* b) { b->setShowFocus(true); }, [](const SkinButton& b) { return b.ShowFocus(); }, false},
        {"UseCustomColors", [](SkinButton* b) { b->setUseCustomColors(true); },
         [](const SkinButton& b) { return b.UseCustomColors(); }, false},
        {"BackColor", [](SkinButton* b) { b->setBackColor(rgb(1, 2, 3)); },
         [](const SkinButton& b) { return b.BackColor() == rgb(1, 2, 3); }, false},
        {"HighlightColor", [](SkinButton* b) { b->setHighlightColor(-1); },
         [](const SkinButton& b) { return b.HighlightColor() == -1; }, false},
        {"FontColor", [](SkinButton* b) { b->setFontColor(rgb(4, 5, 6)); },
         [](const SkinButton& b) { return b.FontColor() == rgb(4, 5, 6); }, false},
        {"FontHighlightColor", [](SkinButton* b) { b->setFontHighlightColor(rgb(7, 8, 9)); },
         [](const SkinButton& b) { return b.FontHighlightColor() == rgb(7, 8, 9); }, false},
        {"ToolTipText", [](SkinButton* b) { b->setToolTip(QStringLiteral("tip")); },
         [](const SkinButton& b) { return b.ToolTip() == QStringLiteral("tip"); }, false},
        {"TooltipTitle", [](SkinButton* b) { b->setToolTipTitle(QStringLiteral("title")); },
         [](const SkinButton& b) { return b.ToolTipTitle() == QStringLiteral("title"); }, false},
        {"TooltipIcon", [](SkinButton* b) { b->setToolTipIcon(3); }, [](const SkinButton& b) { return b.ToolTipIcon() == 3; }, false},
        {"ToolTipType", [](SkinButton* b) { b->setToolTipType(0); }, [](const SkinButton& b) { return b.ToolTipType() == 0; }, false},
        {"ToolTipBackColor", [](SkinButton* b) { b->setToolTipBackColor(rgb(1, 1, 1)); },
         [](const SkinButton& b) { return b.ToolTipBackColor() == rgb(1, 1, 1); }, false},
        {"ToolTipForeColor", [](SkinButton* b) { b->setToolTipForeColor(rgb(2, 2, 2)); },
         [](const SkinButton& b) { return b.ToolTipForeColor() == rgb(2, 2, 2); }, false},
        {"Font", [](SkinButton* b) { b->setFont(QFont(QStringLiteral("DejaVu Serif"), 12)); },
         [](const SkinButton& b) { return b.Font().family() == QStringLiteral("DejaVu Serif"); }, false},
        {"ButtonType", [](SkinButton* b) { b->setButtonType(1); }, [](const SkinButton& b) { return b.ButtonType() == 1; }, false},
        {"Value", [](SkinButton* b) { b->setValue(true); }, [](const SkinButton& b) { return b.value(); }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.notified);
        // Style 6 without a theme falls back to Style 8 without reshaping: only the size
        // handling gives the button Style 8's cut corners.
        auto shown = showButton({{QStringLiteral("iNonThemeStyle"), 8}});
        SkinButton* b = shown.button;
        b->setStyle(6);
        ASSERT_EQ(b->Style(), 8);
        ASSERT_TRUE(b->mask().isEmpty());
        QSignalSpy notified(b, &SkinButton::propertyChanged);
        const qint64 before = surfaceImageOf(*b).cacheKey();

        row.write(b);

        ASSERT_EQ(notified.count(), 1);
        EXPECT_EQ(notified.at(0).at(0).toString(), QLatin1String(row.notified));
        EXPECT_TRUE(row.stored(*b));
        EXPECT_NE(surfaceImageOf(*b).cacheKey(), before);
        EXPECT_EQ(!b->mask().isEmpty(), row.reshapes);
    }
}

TEST(SkinButtonProperties, WritingEnabledAgainStillResetsTheStateAndRepaints)
{
    auto shown = showButton(kStyle0);
    QTest::mousePress(shown.button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(shown.button->visualState(), 3);
    const qint64 before = surfaceImageOf(*shown.button).cacheKey();
    shown.button->setEnabled(true);
    EXPECT_EQ(shown.button->visualState(), 1);
    EXPECT_NE(surfaceImageOf(*shown.button).cacheKey(), before);
    test::releaseAllButtons(shown.button);
}

TEST(SkinButtonProperties, ANewButtonTakesItsNameAndStartsAtItsRestingLook)
{
    QWidget window;
    SkinButton& button = *newSkinButton(&window, std::make_unique<NoThemePainter>(), ColorSource::Reference);
    EXPECT_EQ(button.visualState(), 1); // SkinButton 4: at rest, as a loaded button (3.x: 0, unset)
    EXPECT_EQ(captionFormatOf(button), 17);
    button.setObjectName(QStringLiteral("cmdAbout"));
    button.initProperties();
    EXPECT_EQ(button.Caption(), QStringLiteral("cmdAbout"));
    EXPECT_EQ(button.Version(), QStringLiteral("4.1"));
    EXPECT_EQ(button.BackColor(), rgb(0xF0, 0xF0, 0xF0));
}

TEST(SkinButtonProperties, TheWidgetSavesWhatItLoaded)
{
    const QJsonObject stored{{QStringLiteral("Style"), 8},
                             {QStringLiteral("Caption"), QStringLiteral("E&xit")},
                             {QStringLiteral("IconAlign"), 3},
                             {QStringLiteral("ToolTipText"), QStringLiteral("Quit the program")},
                             {QStringLiteral("ToolTipType"), 1},
                             {QStringLiteral("Font"), QJsonObject{{QStringLiteral("family"), QStringLiteral("Verdana")},
                                                                   {QStringLiteral("pointSize"), 8.25},
                                                                   {QStringLiteral("weight"), 400},
                                                                   {QStringLiteral("italic"), false},
                                                                   {QStringLiteral("charset"), 0}}}};
    auto shown = showButton(stored);
    const QJsonObject saved = shown.button->writeProperties().toJson();
    for (const QString& key : stored.keys())
        EXPECT_EQ(saved.value(key), stored.value(key)) << key.toStdString();
}

TEST(SkinButtonLayout, TheButtonIsNeverSmallerThanTwentyPixelsEachWay)
{
    struct Case {
        QSize asked;
        QSize got;
    };
    for (const Case& c : {Case{{5, 5}, {20, 20}}, Case{{5, 40}, {20, 40}}, Case{{40, 3}, {40, 20}}, Case{{20, 20}, {20, 20}}}) {
        auto shown = showButton(kStyle0);
        shown.button->resize(c.asked);
        EXPECT_EQ(shown.button->size(), c.got);
        EXPECT_EQ(surfaceImageOf(*shown.button).size(), c.got);
        EXPECT_EQ(clientRectOf(*shown.button), (Rect{0, 0, c.got.width(), c.got.height()}));
        EXPECT_EQ(captionRectOf(*shown.button), (Rect{4, 4, c.got.width() - 4, c.got.height() - 4}));
    }
}

TEST(SkinButtonLayout, CaptionFormatFollowsCaptionAlignAndKeepsTheLastValidOne)
{
    auto loaded = showButton({{QStringLiteral("CaptionAlign"), 9}});
    EXPECT_EQ(captionFormatOf(*loaded.button), 0); // loaded, never valid: top-left
    loaded.button->setCaptionAlign(3);
    EXPECT_EQ(captionFormatOf(*loaded.button), 33);
    loaded.button->setCaptionAlign(7);
    EXPECT_EQ(captionFormatOf(*loaded.button), 33);
    loaded.button->resize(90, 30);
    EXPECT_EQ(captionFormatOf(*loaded.button), 33);

    QWidget window;
    SkinButton& fresh = *newSkinButton(&window, std::make_unique<NoThemePainter>(), ColorSource::Reference);
    fresh.setCaptionAlign(12);
    EXPECT_EQ(captionFormatOf(fresh), 17); // a new button keeps centred word-wrapped text
}

// '#' inside the window, '.' outside.
QStringList maskRows(const QRegion& region, int w, int h)
{
    QStringList rows;
    for (int y = 0; y < h; ++y) {
        QString row;
        for (int x = 0; x < w; ++x)
            row += region.contains(QPoint(x, y)) ? QLatin1Char('#') : QLatin1Char('.');
        rows << row;
    }
    return rows;
}

TEST(SkinButtonShape, Style8CutsItsCornersAtTheSmallestSize)
{
    auto shown = showButton({{QStringLiteral("Style"), 8}}, false, QSize(20, 20));
    const QStringList rows = maskRows(shown.button->mask(), 20, 20);
    const QStringList full(14, QStringLiteral("####################"));
    EXPECT_EQ(rows.mid(0, 3), (QStringList{QStringLiteral("..###############..."),
                                           QStringLiteral(".#################.."),
                                           QStringLiteral("###################.")}));
    EXPECT_EQ(rows.mid(3, 14), full);
    EXPECT_EQ(rows.mid(17, 3), (QStringList{QStringLiteral(".###################"),
                                            QStringLiteral("..#################."),
                                            QStringLiteral("...###############..")}));
}

TEST(SkinButtonShape, Style8HidesOnlyPixelsItLeavesInTheFaceColour)
{
    for (QSize size : {QSize(20, 20), QSize(65, 59), QSize(31, 24)}) {
        for (int state : {1, 3}) {
            auto shown = showButton({{QStringLiteral("Style"), 8}, {QStringLiteral("Caption"), QString(" ")}}, false, size);
            if (state == 3)
                QTest::mousePress(shown.button, Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
            const QRegion shape = shown.button->mask();
            int outside = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    if (!shape.contains(QPoint(x, y))) {
                        ++outside;
                        EXPECT_EQ(pixelAt(*shown.button, x, y), pixelAt(*shown.button, 0, 0)) << x << "," << y;
                    }
            EXPECT_EQ(outside, 3 + 6 + 3 + 6); // top-left, top-right, bottom-right, bottom-left
            test::releaseAllButtons(shown.button);
        }
    }
}

TEST(SkinButtonShape, EachStyleGetsItsOutline)
{
    struct Case {
        int style;
        QPoint out;
        QPoint in;
    };
    // Corner pixels outside, and their neighbours just inside the cut, on a 40 x 30 button.
    const Case cases[] = {
        {0, {-1, -1}, {0, 0}},  {4, {-1, -1}, {39, 29}}, {6, {-1, -1}, {0, 29}}, {11, {-1, -1}, {39, 0}},
        {5, {0, 0}, {1, 0}},    {5, {39, 29}, {38, 29}}, {7, {39, 0}, {38, 0}},  {8, {1, 0}, {2, 0}},
        {9, {0, 29}, {2, 28}},  {10, {5, 0}, {15, 0}},   {10, {0, 5}, {0, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        const QRegion shape = windowRegion(c.style, 40, 30);
        EXPECT_EQ(shape.boundingRect(), QRect(0, 0, 40, 30));
        EXPECT_FALSE(shape.contains(c.out));
        EXPECT_TRUE(shape.contains(c.in));
    }
}

TEST(SkinButtonShape, RoundedCornersDoNotGrowWithTheButton)
{
    for (QSize size : {QSize(40, 30), QSize(400, 100)}) {
        const QRegion shape = windowRegion(10, size.width(), size.height());
        const int w = size.width();
        const int h = size.height();
        for (QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            EXPECT_FALSE(shape.contains(p));
        EXPECT_TRUE(shape.contains(QPoint(9, 0)));
        EXPECT_TRUE(shape.contains(QPoint(0, 9)));
        EXPECT_TRUE(shape.contains(QPoint(w - 10, h - 1)));
    }
}

TEST(SkinButtonShape, WritingStyleReshapesAtOnce)
{
    auto shown = showButton(kStyle0);
    EXPECT_TRUE(shown.button->mask().isEmpty());
    shown.button->setStyle(8);
    EXPECT_FALSE(shown.button->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(shown.button->mask().contains(QPoint(10, 10)));
    shown.button->setStyle(2);
    EXPECT_TRUE(shown.button->mask().isEmpty());
}

TEST(SkinButtonTheme, Style6WithoutAThemeFallsBackToNonThemeStyleOnTheNextRepaint)
{
    auto shown = showButton({{QStringLiteral("Style"), 6}, {QStringLiteral("iNonThemeStyle"), 0},
                             {QStringLiteral("Caption"), QStringLiteral(" ")}});
    SkinButton* b = shown.button;
    EXPECT_EQ(b->Style(), 0);
    // Style 0 normal: a raised edge, light at the top left, dark at the bottom right.
    EXPECT_EQ(pixelAt(*b, 0, 0), 0xE3E3E3u);
    EXPECT_EQ(pixelAt(*b, 74, 22), 0x696969u);
    PropertyBag saved;
    b->writeProperties(saved);
    EXPECT_EQ(saved.ReadProperty(QStringLiteral("Style"), qint32(3)).toInteger(), 0);
}

TEST(SkinButtonTheme, PaletteChangesRepaintInTheNewColours)
{
    QWidget window;
    auto* b = newSkinButton(&window, std::make_unique<NoThemePainter>(), ColorSource::Desktop);
    b->setGeometry(10, 10, 60, 24);
    b->readProperties(PropertyBag::fromJson({{QStringLiteral("Style"), 0}, {QStringLiteral("Caption"), QStringLiteral(" ")}}));
    window.show();
    QApplication::processEvents();

    QPalette palette = window.palette();
    palette.setColor(QPalette::Button, QColor(0x12, 0x34, 0x56));
    window.setPalette(palette);
    EXPECT_EQ(pixelAt(*b, 30, 12), 0x123456u);
}

TEST(SkinButtonTheme, StyleThemeAndPaletteNoticesRepaintAtOnce)
{
    for (QEvent::Type type : {QEvent::StyleChange, QEvent::ThemeChange, QEvent::PaletteChange}) {
        SCOPED_TRACE(int(type));
        auto shown = showButton(kStyle0);
        const qint64 before = surfaceImageOf(*shown.button).cacheKey();
        QEvent notice(type);
        QApplication::sendEvent(shown.button, &notice);
        EXPECT_NE(surfaceImageOf(*shown.button).cacheKey(), before);
    }
}

} // namespace
} // namespace skin
