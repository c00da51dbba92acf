#pragma once
// The style renderers. Each paints the frame and face of one look for the settled visual state
// in look.state (1 normal, 2 hot, 3 pressed, 4 disabled); the caption and icon come after.

#include "ButtonLook.h"

namespace skin {

class ButtonColors;
class Surface;
class ThemePainter;

void DrawClassic3D(const ButtonLook& look, Surface& surface, const ButtonColors& colors);     // 0
void DrawThin3D(const ButtonLook& look, Surface& surface, const ButtonColors& colors);        // 1
void DrawFlatHover(const ButtonLook& look, Surface& surface, const ButtonColors& colors);      // 2
void DrawEtched(const ButtonLook& look, Surface& surface, const ButtonColors& colors);         // 3
void DrawHighlight(const ButtonLook& look, Surface& surface, const ButtonColors& colors);      // 4
void DrawShadowedBevel(const ButtonLook& look, Surface& surface, const ButtonColors& colors);  // 8

// Style 6: the desktop theme's push button on a button-face surface; false when the theme
// could not draw it.
bool DrawThemedButton(const ButtonLook& look, Surface& surface, const ButtonColors& colors,
                      ThemePainter& theme);

} // namespace skin
