#include "skinbutton/render/Caption.h"
#include "skinbutton/render/CaptionFormat.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace skin {
namespace {

using namespace skin::test;

ButtonLook captionLook(const QString& caption, int state, int width = 80, int height = 24)
{
    ButtonLook look = buttonLook(0, state, width, height);
    look.caption = caption;
    look.font = crispFont();
    look.enabled = state != 4;
    return look;
}

QRect insideOf(const Rect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

int countOutside(const Surface& surface, const QRect& area, Color c)
{
    return countPixels(surface, QRect(0, 0, surface.width(), surface.height()), c) -
           countPixels(surface, area, c);
}

struct CaptionColorCase {
    const char* name;
    int state;
    bool custom;
    Color expected;
};

class CaptionColorTest : public ::testing::TestWithParam<CaptionColorCase> {};

TEST_P(CaptionColorTest, TextIsDrawnInTheStateColourInsideTheCaptionRectangleOnly)
{
    const CaptionColorCase& c = GetParam();
    ButtonLook look = captionLook(QStringLiteral("Hello"), c.state);
    look.useCustomColors = c.custom;
    const Rendered out = render(look);
    const QRect area = insideOf(look.captionRect);
    EXPECT_GT(countPixels(out.surface, area, c.expected), 10);
    EXPECT_EQ(countOutside(out.surface, area, c.expected), 0);
}

INSTANTIATE_TEST_SUITE_P(
    States, CaptionColorTest,
    ::testing::Values(CaptionColorCase{"normal", 1, false, kBlack},
                      CaptionColorCase{"hot", 2, false, kBlack},
                      CaptionColorCase{"pressed", 3, false, kBlack},
                      CaptionColorCase{"disabled", 4, false, kGrayTextRgb},
                      CaptionColorCase{"customNormal", 1, true, kCustomFont},
                      CaptionColorCase{"customHot", 2, true, kCustomFontHighlight},
                      CaptionColorCase{"customPressed", 3, true, kCustomFontHighlight},
                      CaptionColorCase{"customDisabled", 4, true, kGrayTextRgb}),
    [](const auto& p) { return std::string(p.param.name); });

QRect textBounds(int captionAlign, int width, int height, const QString& caption = QStringLiteral("HH"))
{
    ButtonLook look = captionLook(caption, 1, width, height);
    look.captionFormat = captionFormatFor(captionAlign, 0);
    return boundsOf(render(look).surface, kBlack);
}

TEST(CaptionAlignTest, AlignmentPlacesTheTextInsideTheCaptionRectangle)
{
    const int w = 90;
    const int h = 50;
    const QRect centre = textBounds(0, w, h);
    const QRect left = textBounds(1, w, h);
    const QRect right = textBounds(2, w, h);
    const QRect top = textBounds(3, w, h);
    const QRect bottom = textBounds(4, w, h);
    ASSERT_FALSE(centre.isNull());

    EXPECT_LE(left.left(), 6);
    EXPECT_GE(left.left(), 4);
    EXPECT_GE(right.right(), w - 4 - 3);
    EXPECT_LE(right.right(), w - 5);
    EXPECT_NEAR(centre.center().x(), w / 2, 2);
    EXPECT_NEAR(centre.center().y(), h / 2, 3);
    // the first line sits at the top of the caption rectangle, y = 4
    EXPECT_GE(top.top(), 4);
    EXPECT_LE(top.top(), 8);
    EXPECT_LE(bottom.bottom(), h - 5);
    EXPECT_GE(bottom.bottom(), h - 9);
    EXPECT_EQ(top.center().x(), centre.center().x());
    EXPECT_EQ(left.center().y(), centre.center().y());
}

TEST(CaptionClipTest, ALongCaptionIsCutAtBothEdgesOfTheCaptionRectangle)
{
    ButtonLook look = captionLook(QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWW"), 1, 40, 24);
    const Rendered out = render(look);
    const QRect bounds = boundsOf(out.surface, kBlack);
    EXPECT_EQ(bounds.left(), 4);
    EXPECT_EQ(bounds.right(), 35);
    EXPECT_EQ(countOutside(out.surface, insideOf(look.captionRect), kBlack), 0);
}

TEST(CaptionMnemonicTest, AmpersandUnderlinesTheNextLetterAndIsNotShown)
{
    const Rendered plain = render(captionLook(QStringLiteral("Abcd"), 1));
    const Rendered marked = render(captionLook(QStringLiteral("&Abcd"), 1));
    const QRect plainBounds = boundsOf(plain.surface, kBlack);
    const QRect markedBounds = boundsOf(marked.surface, kBlack);
    // same letters in the same place, plus an underline below them
    EXPECT_EQ(markedBounds.left(), plainBounds.left());
    EXPECT_EQ(markedBounds.top(), plainBounds.top());
    EXPECT_GT(markedBounds.bottom(), plainBounds.bottom());
    // the extra pixels are one line under the first letter only
    QRect underline;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            if (marked.surface.pixel(x, y) == kBlack && plain.surface.pixel(x, y) != kBlack)
                underline |= QRect(x, y, 1, 1);
    ASSERT_FALSE(underline.isNull());
    EXPECT_EQ(underline.height(), 1);
    EXPECT_GT(underline.top(), plainBounds.bottom());
    EXPECT_NEAR(underline.left(), plainBounds.left(), 1);
    EXPECT_LT(underline.right(), plainBounds.center().x());
}

TEST(CaptionMnemonicTest, MultiLineFormatsUnderlineToo)
{
    ButtonLook plainLook = captionLook(QStringLiteral("Ab"), 1);
    plainLook.captionFormat = kNewControlCaptionFormat;
    ButtonLook markedLook = plainLook;
    markedLook.caption = QStringLiteral("&Ab");
    const QRect plain = boundsOf(render(plainLook).surface, kBlack);
    const QRect marked = boundsOf(render(markedLook).surface, kBlack);
    EXPECT_EQ(marked.top(), plain.top());
    EXPECT_GT(marked.bottom(), plain.bottom());
}

TEST(CaptionMnemonicTest, TrailingAmpersandIsNotShown)
{
    const QRect plain = boundsOf(render(captionLook(QStringLiteral("Ab"), 1)).surface, kBlack);
    const QRect trailing = boundsOf(render(captionLook(QStringLiteral("Ab&"), 1)).surface, kBlack);
    EXPECT_EQ(trailing, plain);
}

TEST(CaptionMnemonicTest, DoubleAmpersandShowsOneAmpersand)
{
    const QRect plain = boundsOf(render(captionLook(QStringLiteral("AB"), 1)).surface, kBlack);
    const QRect doubled = boundsOf(render(captionLook(QStringLiteral("A&&B"), 1)).surface, kBlack);
    const QRect single = boundsOf(render(captionLook(QStringLiteral("A&B"), 1)).surface, kBlack);
    EXPECT_GT(doubled.width(), plain.width() + 3);
    EXPECT_NEAR(single.width(), plain.width(), 2);
}

// Icon placement on a 75 x 23 classic button with a 16-pixel icon.
struct IconCase {
    int iconAlign;
    int state;
    QPoint topLeft;
};

class IconPlacementTest : public ::testing::TestWithParam<IconCase> {};

constexpr Color kIconColor = rgb(0xFF, 0x00, 0x00);

ButtonLook iconLook(int style, int iconAlign, int state)
{
    ButtonLook look = buttonLook(style, state, 75, 23);
    look.icon = solidIcon(16, kIconColor);
    look.iconAlign = iconAlign;
    look.enabled = state != 4;
    return look;
}

TEST_P(IconPlacementTest, IconSitsWhereItsAlignmentSays)
{
    const IconCase& c = GetParam();
    const Rendered out = render(iconLook(0, c.iconAlign, c.state));
    EXPECT_EQ(boundsOf(out.surface, kIconColor), QRect(c.topLeft, QSize(16, 16)));
}

INSTANTIATE_TEST_SUITE_P(
    Alignments, IconPlacementTest,
    ::testing::Values(IconCase{0, 1, {30, 4}},  // (75-16)/2 = 29.5 -> 30, (23-16)/2 = 3.5 -> 4
                      IconCase{1, 1, {4, 4}},   // the margin
                      IconCase{2, 1, {55, 4}},  // 75 - 16 - 4
                      IconCase{3, 1, {30, 4}},
                      IconCase{4, 1, {30, 3}},  // 23 - 16 - 4
                      IconCase{9, 1, {0, 0}},   // unknown alignment: top left
                      IconCase{1, 3, {5, 5}},   // pressed sinks by one pixel
                      IconCase{2, 3, {56, 5}},
                      IconCase{1, 4, {4, 4}})); // disabled keeps its colours

TEST(IconTest, EachStyleLeavesItsIconMargin)
{
    // right-aligned on 75 x 23: x = 75 - 16 - margin
    const std::pair<int, int> margins[] = {{0, 4}, {4, 4}, {5, 5}, {7, 5}, {8, 4}, {9, 7}, {10, 7}, {42, 4}};
    for (const auto& [style, margin] : margins)
        EXPECT_EQ(boundsOf(render(iconLook(style, 2, 1)).surface, kIconColor).left(), 75 - 16 - margin) << style;
}

TEST(IconTest, PressingMovesTheIconButNotTheCaption)
{
    ButtonLook look = iconLook(0, 1, 1);
    look.caption = QStringLiteral("Go");
    look.font = crispFont();
    const QRect normal = boundsOf(render(look).surface, kBlack);
    look.state = StatePressed;
    const QRect pressed = boundsOf(render(look).surface, kBlack);
    EXPECT_FALSE(normal.isNull());
    EXPECT_EQ(normal, pressed);
}

TEST(IconTest, IconIsScaledToIconSize)
{
    ButtonLook look = iconLook(0, 1, 1);
    look.iconSize = 8;
    EXPECT_EQ(boundsOf(render(look).surface, kIconColor), QRect(4, 8, 8, 8)); // (23-8)/2 = 7.5 -> 8
}

TEST(IconTest, TransparentPixelsKeepTheFace)
{
    ButtonLook look = iconLook(0, 1, 1);
    look.icon.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        look.icon.setPixel(0, y, toQRgb(kIconColor));
    const Rendered out = render(look);
    EXPECT_EQ(boundsOf(out.surface, kIconColor), QRect(4, 4, 1, 16));
    EXPECT_EQ(out.surface.pixel(10, 10), kFace);
}

TEST(IconTest, HighlightStyleHotIconCastsAGreyShadow)
{
    const Color grey = rgb(0x80, 0x80, 0x80);
    const Color hotFace = rgb(176, 213, 242);
    const Rendered out = render(iconLook(4, 1, 2));
    // the icon moves two pixels up and left of (4,4)
    EXPECT_EQ(boundsOf(out.surface, kIconColor), QRect(2, 2, 16, 16));
    // its grey silhouette stays at (4,4); only the L-shaped rim shows
    EXPECT_EQ(boundsOf(out.surface, grey), QRect(4, 4, 16, 16));
    EXPECT_EQ(countPixels(out.surface, QRect(0, 0, 75, 23), grey), 2 * 16 + 2 * 14);
    // face-coloured pixels of the 17 x 17 test square stay face
    EXPECT_EQ(out.surface.pixel(20, 20), hotFace);
    EXPECT_EQ(out.surface.pixel(20, 4), hotFace);
}

TEST(IconTest, ShadowGreysEverythingThatIsNotFaceInItsSquare)
{
    // A half-transparent icon: its transparent half stays face, its opaque half turns grey.
    const Color grey = rgb(0x80, 0x80, 0x80);
    ButtonLook look = iconLook(4, 1, 2);
    look.icon.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            look.icon.setPixel(x, y, toQRgb(kIconColor));
    const Rendered out = render(look);
    EXPECT_EQ(boundsOf(out.surface, grey), QRect(12, 4, 8, 16));
    EXPECT_EQ(boundsOf(out.surface, kIconColor), QRect(10, 2, 8, 16));
}

TEST(IconTest, OtherStylesCastNoShadowWhenHot)
{
    for (const int style : {0, 1, 2, 3, 8}) {
        const Rendered out = render(iconLook(style, 1, 2));
        EXPECT_EQ(boundsOf(out.surface, kIconColor), QRect(4, 4, 16, 16)) << "style " << style;
        EXPECT_EQ(countPixels(out.surface, QRect(0, 0, 75, 23), rgb(0x80, 0x80, 0x80)), 0)
            << "style " << style;
    }
}

} // namespace
} // namespace skin
