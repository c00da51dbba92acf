#pragma once
// Shared helpers of the rendering tests: a button snapshot of a given size, a render with the
// reference palette, and pixel maps written as one character per pixel.

#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"
#include "skinbutton/render/ThemePainter.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <map>
#include <string>
#include <vector>

namespace skin::test {

// The reference palette, by role, for expectations.
inline constexpr Color kFace = rgb(0xF0, 0xF0, 0xF0);
inline constexpr Color kShadow = rgb(0xA0, 0xA0, 0xA0);
inline constexpr Color kWhite = rgb(0xFF, 0xFF, 0xFF);
inline constexpr Color kDarkShadow = rgb(0x69, 0x69, 0x69);
inline constexpr Color kLight = rgb(0xE3, 0xE3, 0xE3);
inline constexpr Color kHighlightRgb = rgb(0x00, 0x78, 0xD7);
inline constexpr Color kGrayTextRgb = rgb(0x6D, 0x6D, 0x6D);
inline constexpr Color kBlack = rgb(0, 0, 0);

// Custom colours distinct from every reference colour.
inline constexpr Color kCustomBack = rgb(0x40, 0x80, 0x20);
inline constexpr Color kCustomHighlight = rgb(0xC0, 0x30, 0x60);
inline constexpr Color kCustomFont = rgb(0x10, 0x20, 0xF0);
inline constexpr Color kCustomFontHighlight = rgb(0xF0, 0xE0, 0x10);

// ShiftColor for expectations: each channel moved by d, limited to 0-255.
constexpr Color shifted(Color c, int d)
{
    const auto limit = [](int v) { return v < 0 ? 0 : v > 255 ? 255 : v; };
    return rgb(limit(redOf(c) + d), limit(greenOf(c) + d), limit(blueOf(c) + d));
}

inline ButtonLook buttonLook(int style, int state, int width, int height)
{
    ButtonLook look;
    look.style = style;
    look.state = VisualState(state);
    look.clientRect = {0, 0, width, height};
    look.captionRect = {4, 4, width - 4, height - 4};
    look.captionFormat = 37;
    look.backColor = kCustomBack;
    look.highlightColor = kCustomHighlight;
    look.fontColor = kCustomFont;
    look.fontHighlightColor = kCustomFontHighlight;
    return look;
}

inline ButtonLook withCustomColors(ButtonLook look)
{
    look.useCustomColors = true;
    return look;
}

// A font whose glyph pixels are all exactly the pen colour.
inline QFont crispFont(int pixelSize = 11)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

struct Rendered {
    Surface surface;
    RefreshResult result;
};

inline Rendered render(const ButtonLook& look, ThemePainter& theme)
{
    const Rect& r = look.clientRect;
    Surface surface(r.right - r.left, r.bottom - r.top);
    const RefreshResult result = refreshButton(look, surface, SystemColors::reference(), theme);
    return {std::move(surface), result};
}

inline Rendered render(const ButtonLook& look)
{
    NoThemePainter theme;
    return render(look, theme);
}

// Expects the surface to match rows of characters, each character naming a colour.
inline void expectPixels(const Surface& surface, const std::vector<std::string>& rows,
                         const std::map<char, Color>& legend)
{
    ASSERT_EQ(surface.height(), int(rows.size()));
    for (int y = 0; y < surface.height(); ++y) {
        ASSERT_EQ(surface.width(), int(rows[std::size_t(y)].size())) << "row " << y;
        for (int x = 0; x < surface.width(); ++x) {
            const char key = rows[std::size_t(y)][std::size_t(x)];
            ASSERT_TRUE(legend.count(key)) << "no colour for '" << key << "'";
            EXPECT_EQ(surface.pixel(x, y), legend.at(key))
                << "pixel (" << x << "," << y << ") should be '" << key << "'";
        }
    }
}

inline int countPixels(const Surface& surface, const QRect& area, Color c)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += surface.pixel(x, y) == c ? 1 : 0;
    return count;
}

// The smallest rectangle holding every pixel of colour c; null when there is none.
inline QRect boundsOf(const Surface& surface, Color c)
{
    QRect bounds;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (surface.pixel(x, y) == c)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline QImage solidIcon(int size, Color c)
{
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(toQRgb(c));
    return icon;
}

} // namespace skin::test

namespace skin::test {

// One expected pixel of a rendered style; a negative coordinate counts from the right or bottom
// edge (-1 is the last column or row).
struct Probe {
    int x;
    int y;
    Color color;
};

// A style rendered in one state, and what some of its pixels must be.
struct StyleCase {
    const char* name;
    int state;
    bool custom;
    bool focus;
    std::vector<Probe> probes;
    // When set, every pixel of the surface has this colour.
    Color uniform = kInvalidColor;
    bool showFocus = false;
};

inline void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }

inline Rendered renderStyleCase(int style, const StyleCase& c, int width, int height)
{
    ButtonLook look = buttonLook(style, c.state, width, height);
    look.useCustomColors = c.custom;
    look.hasFocus = c.focus;
    look.showFocus = c.showFocus;
    look.enabled = c.state != 4;
    return render(look);
}

inline void expectStyleCase(int style, const StyleCase& c, int width, int height)
{
    const Rendered out = renderStyleCase(style, c, width, height);
    for (const Probe& p : c.probes) {
        const int x = p.x < 0 ? width + p.x : p.x;
        const int y = p.y < 0 ? height + p.y : p.y;
        EXPECT_EQ(out.surface.pixel(x, y), p.color)
            << "pixel (" << x << "," << y << ") of " << width << "x" << height;
    }
    if (c.uniform != kInvalidColor) {
        EXPECT_EQ(countPixels(out.surface, QRect(0, 0, width, height), c.uniform), width * height);
    }
}

inline std::string caseName(const ::testing::TestParamInfo<StyleCase>& p) { return p.param.name; }

} // namespace skin::test
