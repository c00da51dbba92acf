#include "Styles.h"

#include "ButtonColors.h"
#include "Surface.h"
#include "ThemePainter.h"

#include <exception>

namespace skin {

bool DrawThemedButton(const ButtonLook& look, Surface& surface, const ButtonColors& colors,
                      ThemePainter& theme)
{
    // the theme draws on the button face; custom colours play no part
    surface.setBackColor(colors.buttonFace());
    // a focused button at rest is the default button, and so is the dialog's default button
    const bool defaulted = look.hasFocus || look.isDefault;
    const VisualState themeState = look.state == StateNormal && defaulted ? StateDefaulted : look.state;
    try {
        const std::optional<Color> face = look.faceColorChosen ? std::optional(colors.buttonFace()) : std::nullopt;
        return theme.drawPushButton(surface, look.clientRect, themeState, face);
    } catch (const std::exception&) {
        // a theme that fails in any way has not drawn: the caller falls back to NonThemeStyle
        return false;
    }
}

} // namespace skin
