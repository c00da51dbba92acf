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

// Draws the icon scaled to IconSize with its top-left pixel at `at` (logical pixels): one
// pixel lower right while pressed; in the highlight style's hot look, over a grey silhouette
// two pixels lower right.
void DrawIconAt(const ButtonLook& look, QImage& target, QPoint at);

// The same at iconPosition() on a button of the given logical size.
void DrawIcon(const ButtonLook& look, QImage& target, QSize size, int margin);

// An icon beside the caption, as a QPushButton lays them out: icon, a 4-pixel gap and the
// text, placed together in the caption rectangle by the format's horizontal alignment (at its
// left edge when they do not fit), the icon at the caption's height; right to left, the icon
// follows the text. `look` is the look to draw the caption with: its rectangle and format now
// hold the text alone.
struct IconBesideCaption {
    ButtonLook look;
    QPoint iconAt;
};
IconBesideCaption layOutIconBesideCaption(const ButtonLook& look, QSize size, const QPaintDevice* metricsDevice);

} // namespace skin
