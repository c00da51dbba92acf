#include "ButtonLook.h"

#include "ButtonColors.h"
#include "Caption.h"
#include "ColorMath.h"
#include "DeviceScale.h"
#include "Styles.h"
#include "Surface.h"
#include "WindowShape.h"

namespace skin {

namespace {

using StyleRenderer = void (*)(const ButtonLook&, Surface&, const ButtonColors&);

constexpr int kIconMargin = 4;

void DrawRoundedGradient(const ButtonLook& look, Surface& surface, const ButtonColors& colors)
{
    // a chosen face colour is shaded as a custom BackColor is; the standard palette is fixed
    if (look.useCustomColors || look.faceColorChosen)
        DrawRoundedCustom(look, surface, colors);
    else
        DrawRoundedStandard(look, surface, colors);
}

// Style | look             | renderer            | icon margin | sets every pixel itself
// 0     | classic 3-D      | DrawClassic3D       | 4           | yes
// 1     | thin 3-D         | DrawThin3D          | 4           | yes
// 2     | flat hover       | DrawFlatHover       | 4           | yes
// 3     | etched           | DrawEtched          | 4           | yes
// 4     | highlight        | DrawHighlight       | 4           | yes
// 5     | rounded gradient | DrawRoundedGradient | 5           | no: pressed keeps the surface
// 6     | desktop theme    | DrawThemedButton    | 4           | yes
// 7     | framed gradient  | DrawFramedGradient  | 5           | no: pressed keeps the surface
// 8     | shadowed bevel   | DrawShadowedBevel   | 4           | yes
// 9     | glossy tile      | DrawGlossyTile      | 7           | yes
// 10    | pixel-art gel    | DrawPixelArt        | 7           | no: the rounded ends
// other | the button face, caption and icon
struct StyleEntry {
    int style;
    StyleRenderer render;
    int iconMargin;
    bool paintsEverything;
};

constexpr StyleEntry kStyles[] = {
    {Classic3D, DrawClassic3D, kIconMargin, true},
    {Thin3D, DrawThin3D, kIconMargin, true},
    {FlatHover, DrawFlatHover, kIconMargin, true},
    {Etched, DrawEtched, kIconMargin, true},
    {Highlight, DrawHighlight, kIconMargin, true},
    {RoundedGradient, DrawRoundedGradient, 5, false},
    {FramedGradient, DrawFramedGradient, 5, false},
    {ShadowedBevel, DrawShadowedBevel, kIconMargin, true},
    {GlossyTile, DrawGlossyTile, 7, true},
    {PixelArtGel, DrawPixelArt, 7, false},
};

const StyleEntry* findStyle(int style)
{
    for (const StyleEntry& entry : kStyles)
        if (entry.style == style)
            return &entry;
    return nullptr;
}

// Design time shows the hot look (the rounded gradient keeps its own), a latched toggle shows
// pressed, and disabled wins over both.
VisualState settledState(const ButtonLook& look)
{
    VisualState state = look.state;
    if (look.style != RoundedGradient && !look.userMode)
        state = StateHot;
    if (look.buttonType == ToggleButton && look.value)
        state = StatePressed;
    if (!look.enabled)
        state = StateDisabled;
    return state;
}

// Clears the surface, and gives a disabled button the button-face surface colour. Where the
// style paints every pixel first, only where no style paints do the repaints show.
void prepareSurface(Surface& surface, const ButtonLook& look, const ButtonColors& palette,
                    bool stylePaintsAll)
{
    // a new control's own back colour is the button face
    if (!surface.hasBackColor())
        surface.adoptBackColor(palette.buttonFace());
    if (!stylePaintsAll)
        surface.clear();
    if (look.enabled)
        return;
    if (stylePaintsAll)
        surface.adoptBackColor(palette.buttonFace());
    else
        surface.setBackColor(palette.buttonFace());
}

// Paints the style's frame and face; returns the icon margin it leaves.
int paintStyle(const ButtonLook& settled, Surface& surface, const ButtonColors& palette, ThemePainter& theme,
               RefreshResult& result)
{
    const StyleEntry* entry = findStyle(settled.style);
    const bool themed = settled.style == SystemTheme;
    prepareSurface(surface, settled, palette, themed || (entry != nullptr && entry->paintsEverything));
    if (themed) {
        // without a theme this refresh shows only caption and icon; the next one the fallback
        if (!DrawThemedButton(settled, surface, palette, theme))
            result.style = settled.nonThemeStyle;
        return kIconMargin;
    }
    if (entry == nullptr) {
        // an unknown style still shows a button face under its caption
        surface.setBackColor(palette.buttonFace());
        return kIconMargin;
    }
    entry->render(settled, surface, palette);
    return entry->iconMargin;
}

// With ShowFocus on, the styles get an inner focus rectangle, dotted as the system style's, one
// pixel inside a 3-pixel margin, where their written look shows no keyboard focus (0-4, 9) or
// shows it below 3:1 against the face (5; the desktop theme's default-button look; 7 and 8 with
// some colours). Only the pixel-art gel's blue gel shows it well enough itself. Each dot is in
// the caption's colour where that stands out at 3:1 against the face under it, else in black or
// white, whichever stands out more; so the rectangle reaches 3:1 on every face.
bool drawsFocusRectangle(int style) { return style != PixelArtGel; }

constexpr double kFocusContrast = 3.0;

Color focusDotOn(Color face, Color caption)
{
    const double under = RelativeLuminance(face);
    if (ContrastRatio(RelativeLuminance(caption), under) >= kFocusContrast)
        return caption;
    return ContrastRatio(0.0, under) >= ContrastRatio(1.0, under) ? rgb(0, 0, 0) : rgb(255, 255, 255);
}

void drawFocusRectangle(Surface& surface, Color caption)
{
    constexpr int kInset = 3;
    const int left = kInset;
    const int top = kInset;
    const int right = surface.width() - 1 - kInset;
    const int bottom = surface.height() - 1 - kInset;
    if (right - left < 2 || bottom - top < 2)
        return;
    const auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            surface.setPixel(x, y, focusDotOn(surface.pixel(x, y), caption));
    };
    for (int x = left; x <= right; ++x) {
        dot(x, top);
        dot(x, bottom);
    }
    for (int y = top + 1; y < bottom; ++y) {
        dot(left, y);
        dot(right, y);
    }
}

// The default button (Enter clicks it) is outlined along its window shape, one pixel wide, in
// every style but the desktop theme's, which draws its own default look.
bool drawsDefaultFrame(const ButtonLook& settled)
{
    return settled.isDefault && settled.state != StateDisabled && settled.style != SystemTheme;
}

void drawDefaultFrame(Surface& surface, int style, Color frame)
{
    const int w = surface.width();
    const int h = surface.height();
    const QRegion shape = windowRegion(style, w, h);
    const auto inside = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && shape.contains(QPoint(x, y)); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (inside(x, y) && !(inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1)))
                surface.setPixel(x, y, frame);
}

QRect captionArea(const Rect& r) { return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)); }

void drawCaptionAndIcon(const ButtonLook& look, QImage& target, QSize size, const ButtonColors& palette,
                        int iconMargin)
{
    if (look.iconBesideCaption && !look.icon.isNull()) {
        // a high-DPI picture has the logical picture's font metrics: the same layout on both
        const IconBesideCaption beside = layOutIconBesideCaption(look, size, &target);
        DrawCaption(beside.look, target, palette);
        DrawIconAt(look, target, beside.iconAt);
        return;
    }
    DrawCaption(look, target, palette);
    DrawIcon(look, target, size, iconMargin);
}

} // namespace

RefreshResult refreshButton(const ButtonLook& look, Surface& surface, const SystemColors& colors,
                            ThemePainter& theme, qreal devicePixelRatio)
{
    ButtonLook settled = look;
    settled.state = settledState(look);
    ButtonColors palette(settled, colors);

    RefreshResult result;
    result.state = settled.state;
    result.style = look.style;
    const int iconMargin = paintStyle(settled, surface, palette, theme, result);
    if (settled.showFocus && settled.hasFocus && settled.userMode && settled.state != StateDisabled &&
        drawsFocusRectangle(settled.style))
        drawFocusRectangle(surface, palette.caption(settled.state));
    if (drawsDefaultFrame(settled))
        drawDefaultFrame(surface, settled.style, palette.defaultFrame());
    if (settled.state != StateDisabled && !settled.caption.isEmpty())
        palette.keepCaptionLegible(surface.image(), captionArea(settled.captionRect));
    const QSize size(surface.width(), surface.height());
    // face and frame stay in logical pixels; on a high-DPI screen caption and icon do not
    const QImage face = devicePixelRatio != 1.0 ? surface.image() : QImage();
    drawCaptionAndIcon(settled, surface.image(), size, palette, iconMargin);
    QImage device;
    if (!face.isNull()) {
        device = scaledToDevice(face, devicePixelRatio);
        drawCaptionAndIcon(settled, device, size, palette, iconMargin);
    }
    surface.setDeviceImage(std::move(device));
    result.surfaceBackColor = surface.backColor();
    return result;
}

} // namespace skin
