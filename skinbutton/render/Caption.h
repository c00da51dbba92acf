#pragma once
// The caption and the icon, drawn over whatever the style painted, the same way for every style.

#include "ButtonLook.h"

#include <QImage>
#include <QPoint>
#include <QSize>

namespace skin {

class ButtonColors;

// The caption and icon go onto the logical surface image, or onto its high-DPI picture (whose
// device pixel ratio is set) at the same logical positions, rendered at device resolution.

// One line (or the wrapped lines of a new control's format) in the look's font, glyphs only,
// clipped to the caption rectangle; '&' underlines the next character, "&&" shows one '&'.
void DrawCaption(const ButtonLook& look, QImage& target, const ButtonColors& colors);

// Top-left pixel of the icon by IconAlign, before the pressed offset:
//
//   IconAlign | x                  | y
//   0 centre  | (W - s) / 2        | (H - s) / 2
//   1 left    | m                  | (H - s) / 2
//   2 right   | W - s - m          | (H - s) / 2
//   3 top     | (W - s) / 2        | m
//   4 bottom  | (W - s) / 2        | H - s - m
//   other     | 0                  | 0
//
// s = IconSize, m = the style's icon margin; halves round to even.
QPoint iconPosition(const ButtonLook& look, int width, int height, int margin);

// Draws the icon scaled to IconSize on a button of the given logical size: one pixel lower
// right while pressed; in the highlight style's hot look, over a grey silhouette two pixels
// lower right.
void DrawIcon(const ButtonLook& look, QImage& target, QSize size, int margin);

} // namespace skin
