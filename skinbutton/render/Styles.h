#pragma once
// The style renderers. Each paints the frame and face of one look for the settled visual state
// in look.state (a VisualState); the caption and icon come after.

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
// 5, custom colours: every shade from BackColor; without: a fixed silver and blue palette.
void DrawRoundedCustom(const ButtonLook& look, Surface& surface, const ButtonColors& colors);
void DrawRoundedStandard(const ButtonLook& look, Surface& surface, const ButtonColors& colors);
void DrawFramedGradient(const ButtonLook& look, Surface& surface, const ButtonColors& colors); // 7
void DrawShadowedBevel(const ButtonLook& look, Surface& surface, const ButtonColors& colors);  // 8
void DrawGlossyTile(const ButtonLook& look, Surface& surface, const ButtonColors& colors);     // 9

// 10: picks one of the three gel images by state and focus; no colour property plays a part.
void DrawPixelArt(const ButtonLook& look, Surface& surface, const ButtonColors& colors);
void PaintGelGraphite(Surface& surface);
void PaintGelBlue(Surface& surface);
void PaintGelBluePressed(Surface& surface);

// Style 6: the desktop theme's push button on a button-face surface; false when the theme
// could not draw it.
bool DrawThemedButton(const ButtonLook& look, Surface& surface, const ButtonColors& colors,
                      ThemePainter& theme);

} // namespace skin
