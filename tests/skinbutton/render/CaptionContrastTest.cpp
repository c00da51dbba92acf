// Legibility on light and dark desktop palettes: per style and state the caption's ink against
// the face it is drawn on (the same button rendered without its caption) keeps the 4.5:1
// contrast of WCAG AA, and the styles that show the focus show it visibly.
#include "RenderTestSupport.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace skin::test {
namespace {

double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Color c) { return 0.2126 * linear(redOf(c)) + 0.7152 * linear(greenOf(c)) + 0.0722 * linear(blueOf(c)); }

double contrast(Color a, Color b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// GTK's Adwaita and Adwaita-dark as Qt's gtk3 theme hands them over, in the roles read here.
QPalette desktopPalette(bool dark)
{
    const QColor face = dark ? QColor(0x35, 0x35, 0x35) : QColor(0xF6, 0xF5, 0xF4);
    const QColor text = dark ? QColor(0xEE, 0xEE, 0xEC) : QColor(0x2E, 0x34, 0x36);
    QPalette p(face, dark ? QColor(0x35, 0x35, 0x35) : QColor(0xF6, 0xF5, 0xF4));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, dark ? QColor(0x2D, 0x2D, 0x2D) : QColor(0xFF, 0xFF, 0xFF));
    p.setColor(QPalette::Highlight, dark ? QColor(0x15, 0x53, 0x9E) : QColor(0x35, 0x84, 0xE4));
    p.setColor(QPalette::Light, dark ? QColor(0x4A, 0x4A, 0x4A) : QColor(0xFF, 0xFF, 0xFF));
    p.setColor(QPalette::Midlight, dark ? QColor(0x40, 0x40, 0x40) : QColor(0xE8, 0xE8, 0xE7));
    p.setColor(QPalette::Dark, dark ? QColor(0x1B, 0x1B, 0x1B) : QColor(0xC0, 0xBF, 0xBC));
    p.setColor(QPalette::Shadow, dark ? QColor(0x0F, 0x0F, 0x0F) : QColor(0x80, 0x80, 0x80));
    return p;
}

// The best contrast between a caption pixel and the face beneath it: the glyphs' solid ink.
double captionContrast(int style, int state, const SystemColors& colors)
{
    ButtonLook look = buttonLook(style, state, 90, 30);
    look.font = QFont(QStringLiteral("DejaVu Sans"), 9);
    look.caption = QStringLiteral("MWHX");
    NoThemePainter theme;
    Surface captioned(90, 30);
    captioned.setFont(look.font);
    refreshButton(look, captioned, colors, theme);
    look.caption.clear();
    Surface bare(90, 30);
    bare.setFont(look.font);
    refreshButton(look, bare, colors, theme);
    double best = 1.0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 90; ++x)
            if (captioned.pixel(x, y) != bare.pixel(x, y))
                best = std::max(best, contrast(captioned.pixel(x, y), bare.pixel(x, y)));
    return best;
}

TEST(CaptionContrast, EveryStyleAndStateKeeps4Point5To1OnLightAndDarkPalettes)
{
    const struct {
        const char* name;
        SystemColors colors;
    } palettes[] = {{"reference", SystemColors::reference()},
                    {"light", SystemColors::fromPalette(desktopPalette(false))},
                    {"dark", SystemColors::fromPalette(desktopPalette(true))}};
    for (const auto& palette : palettes)
        for (int style : {0, 1, 2, 3, 4, 5, 7, 8, 9, 10})
            for (int state : {kStateNormal, kStateHot, kStatePressed})
                EXPECT_GE(captionContrast(style, state, palette.colors), 4.5)
                    << palette.name << " palette, Style " << style << ", state " << state;
}

// The strongest contrast between a resting button with and without the focus.
double focusContrast(int style, const SystemColors& colors)
{
    NoThemePainter theme;
    ButtonLook look = buttonLook(style, kStateNormal, 90, 30);
    Surface unfocused(90, 30);
    refreshButton(look, unfocused, colors, theme);
    look.hasFocus = true;
    Surface focused(90, 30);
    refreshButton(look, focused, colors, theme);
    double best = 1.0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 90; ++x)
            best = std::max(best, contrast(focused.pixel(x, y), unfocused.pixel(x, y)));
    return best;
}

// The styles that mark the focus at rest (a ring, a frame, a darker border, the blue gel) mark
// it as plainly on a dark palette as on the light one, where the looks are as designed.
TEST(CaptionContrast, TheFocusShowsOnDarkPalettesAsOnLightOnes)
{
    const SystemColors light = SystemColors::fromPalette(desktopPalette(false));
    const SystemColors dark = SystemColors::fromPalette(desktopPalette(true));
    for (int style : {5, 7, 8, 10}) {
        const double onLight = focusContrast(style, light);
        EXPECT_GE(onLight, 1.5) << "Style " << style;
        EXPECT_GE(focusContrast(style, dark), std::min(onLight, 3.0)) << "Style " << style;
    }
}

} // namespace
} // namespace skin::test
