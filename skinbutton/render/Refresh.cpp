#include "ButtonLook.h"

#include "ButtonColors.h"
#include "Caption.h"
#include "Styles.h"
#include "Surface.h"

namespace skin {

namespace {

using StyleRenderer = void (*)(const ButtonLook&, Surface&, const ButtonColors&);

constexpr int kThemedStyle = 6;
constexpr int kRoundedGradientStyle = 5;
constexpr int kIconMargin = 4;

// Style | look             | renderer          | icon margin
// 0     | classic 3-D      | DrawClassic3D     | 4
// 1     | thin 3-D         | DrawThin3D        | 4
// 2     | flat hover       | DrawFlatHover     | 4
// 3     | etched           | DrawEtched        | 4
// 4     | highlight        | DrawHighlight     | 4
// 6     | desktop theme    | DrawThemedButton  | 4
// 8     | shadowed bevel   | DrawShadowedBevel | 4
// other | nothing: caption and icon on the cleared surface
struct StyleEntry {
    int style;
    StyleRenderer render;
    int iconMargin;
};

constexpr StyleEntry kStyles[] = {
    {0, DrawClassic3D, kIconMargin}, {1, DrawThin3D, kIconMargin},
    {2, DrawFlatHover, kIconMargin}, {3, DrawEtched, kIconMargin},
    {4, DrawHighlight, kIconMargin}, {8, DrawShadowedBevel, kIconMargin},
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
int settledState(const ButtonLook& look)
{
    int state = look.state;
    if (look.style != kRoundedGradientStyle && !look.userMode)
        state = 2;
    if (look.buttonType == 1 && look.value)
        state = 3;
    if (!look.enabled)
        state = 4;
    return state;
}

// Clears the surface, and gives a disabled button the button-face surface colour. Every built
// style paints every pixel first, so only where no style paints do the repaints show.
void prepareSurface(Surface& surface, const ButtonLook& look, const ButtonColors& palette,
                    bool stylePaintsAll)
{
    if (!stylePaintsAll)
        surface.clear();
    if (look.enabled)
        return;
    if (stylePaintsAll)
        surface.adoptBackColor(palette.buttonFace());
    else
        surface.setBackColor(palette.buttonFace());
}

} // namespace

RefreshResult refreshButton(const ButtonLook& look, Surface& surface, const SystemColors& colors,
                            ThemePainter& theme)
{
    ButtonLook settled = look;
    settled.state = settledState(look);
    const ButtonColors palette(settled, colors);
    const StyleEntry* entry = findStyle(look.style);
    prepareSurface(surface, settled, palette, entry != nullptr || look.style == kThemedStyle);

    RefreshResult result;
    result.state = settled.state;
    result.style = look.style;
    int iconMargin = kIconMargin;
    if (look.style == kThemedStyle) {
        // without a theme this refresh shows only caption and icon; the next one the fallback
        if (!DrawThemedButton(settled, surface, palette, theme))
            result.style = look.nonThemeStyle;
    } else if (entry != nullptr) {
        entry->render(settled, surface, palette);
        iconMargin = entry->iconMargin;
    }

    DrawCaption(settled, surface, palette);
    DrawIcon(settled, surface, iconMargin);
    result.surfaceBackColor = surface.backColor();
    return result;
}

} // namespace skin
