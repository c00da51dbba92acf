#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace skin {
namespace {

using namespace skin::test;

// Records what the dispatcher asks of the theme and paints a marker so its drawing shows.
class RecordingTheme final : public ThemePainter {
public:
    bool drawPushButton(Surface& surface, const Rect& clip, VisualState themeState, std::optional<Color>) override
    {
        states.push_back(themeState);
        clips.push_back(clip);
        surface.setPixel(clip.left + 2, clip.top + 2, kMarker);
        return true;
    }
    static constexpr Color kMarker = rgb(0x12, 0x34, 0x56);
    std::vector<int> states;
    std::vector<Rect> clips;
};

class ThrowingTheme final : public ThemePainter {
public:
    bool drawPushButton(Surface&, const Rect&, VisualState, std::optional<Color>) override
    {
        throw std::runtime_error("theme library missing");
    }
};

TEST(ThemedStyleTest, ThemeDrawsOnTheButtonFaceOverTheClientRectangle)
{
    RecordingTheme theme;
    const ButtonLook look = withCustomColors(buttonLook(6, 1, 30, 20));
    const Rendered out = render(look, theme);
    ASSERT_EQ(theme.clips.size(), 1u);
    EXPECT_EQ(theme.clips[0], (Rect{0, 0, 30, 20}));
    EXPECT_EQ(out.result.style, 6);
    EXPECT_EQ(out.result.surfaceBackColor, kFace);
    EXPECT_EQ(out.surface.pixel(2, 2), RecordingTheme::kMarker);
    EXPECT_EQ(countPixels(out.surface, QRect(0, 0, 30, 20), kFace), 30 * 20 - 1);
}

TEST(ThemedStyleTest, ThemeStateFollowsVisualStateAndFocus)
{
    struct Case {
        int state;
        bool focus;
        bool enabled;
        int themeState;
        bool isDefault = false; // the dialog's default button
    };
    const Case cases[] = {
        {1, false, true, 1}, {1, true, true, 5},        {2, false, true, 2},       {2, true, true, 2},
        {3, true, true, 3},  {1, true, false, 4},       {1, false, true, 5, true}, {2, false, true, 2, true},
        {1, false, false, 4, true},
    };
    for (const Case& c : cases) {
        RecordingTheme theme;
        ButtonLook look = buttonLook(6, c.state, 30, 20);
        look.hasFocus = c.focus;
        look.enabled = c.enabled;
        look.isDefault = c.isDefault;
        render(look, theme);
        ASSERT_EQ(theme.states.size(), 1u);
        EXPECT_EQ(theme.states[0], c.themeState) << "state " << c.state << " focus " << c.focus;
    }
}

TEST(ThemedStyleTest, WithoutAThemeOnlyCaptionOnFaceThenTheFallbackStyle)
{
    NoThemePainter theme;
    ButtonLook look = withCustomColors(buttonLook(6, 1, 40, 24));
    look.nonThemeStyle = 3;
    look.caption = QStringLiteral("OK");
    look.font = crispFont();

    const Rendered first = render(look, theme);
    EXPECT_EQ(first.result.style, 3);
    const QRect all(0, 0, 40, 24);
    const int face = countPixels(first.surface, all, kFace);
    const int text = countPixels(first.surface, all, kCustomFont);
    EXPECT_GT(text, 0);
    EXPECT_EQ(face + text, 40 * 24) << "nothing but face and caption";

    look.style = first.result.style;
    const Rendered second = render(look, theme);
    EXPECT_EQ(second.result.style, 3);
    EXPECT_EQ(second.surface.pixel(0, 0), kShadow) << "the etched frame of the fallback";
}

TEST(ThemedStyleTest, AThemeThatThrowsCountsAsNoTheme)
{
    ThrowingTheme theme;
    ButtonLook look = buttonLook(6, 2, 20, 20);
    look.nonThemeStyle = 8;
    const Rendered out = render(look, theme);
    EXPECT_EQ(out.result.style, 8);
    EXPECT_EQ(countPixels(out.surface, QRect(0, 0, 20, 20), kFace), 400);
}

} // namespace
} // namespace skin
