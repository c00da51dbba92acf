#pragma once
// The button's tooltip without a window: what it shows, its colours, where its parts go, where
// it sits on the screen and its pixels. ToolTipWindow puts the result on the desktop.
//
// Two forms: ToolTipType 1 is a balloon (a rounded body with a stem whose tip is the pointer's
// position), every other value the desktop style's rectangular tip just below the pointer. An
// optional title line (bold, after the icon of ToolTipIcon) stands above the text.

#include "SkinButtonEnums.h"
#include "skinbutton/types/Color.h"

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <QRegion>
#include <QString>

class QStyle;

namespace skin {

class SystemColors;

// The tooltip properties as they stood at the pointer's entry.
struct ToolTipContent {
    QString text;
    QString title;
    int icon = NoTipIcon; // a TipIcon, or any other stored number
    int type = RectangleTip;
    Color foreColor = 0; // 0 keeps the palette's tooltip text colour
    Color backColor = 0; // 0 keeps the palette's tooltip background

    bool isBalloon() const { return type == BalloonTip; }
    bool hasKnownIcon() const { return icon >= InformationTipIcon && icon <= ErrorTipIcon; }
    // An icon number the desktop has no icon for draws no icon, and alone makes no title line.
    bool hasTitleLine() const { return !title.isEmpty() || hasKnownIcon(); }
    // No text, no tip: a title alone shows nothing.
    bool showsTip() const { return !text.isEmpty(); }
};

struct ToolTipColors {
    Color fore;
    Color back;
};

// 0 keeps the palette's colour (system colours 23 and 24); other values go through
// TranslateColor. A failed translation (-1) also keeps the palette's colour: -1 names no colour,
// and painting its low bytes (white) could put white text on a white tip.
ToolTipColors toolTipColors(const ToolTipContent& content, const SystemColors& system);

// How the tip is drawn: its text font (the title is the bold of it), the title icon (null: none)
// and the style that draws the rectangular form's panel (null: a plain one-pixel frame).
struct ToolTipFace {
    QFont font;
    QImage icon;
    const QStyle* style = nullptr;
};

// Where the parts go inside the tip's body, from the body's top-left pixel.
struct ToolTipLayout {
    QSize bodySize;
    QRect iconRect;  // empty without an icon
    QRect titleRect; // empty without a title line
    QRect textRect;
};

// Text wraps at word boundaries to at most maxTextWidth pixels; "&" is shown as it is.
ToolTipLayout layoutToolTip(const ToolTipContent& content, const ToolTipFace& face, bool balloon,
                            int maxTextWidth);

// The tip on the screen: window in global coordinates, the rest in window coordinates.
struct ToolTipGeometry {
    bool balloon = false;
    QRect window;
    QRect body;
    bool stemUp = true; // balloon below the pointer, stem on its top edge; false: above, stem below
    QPoint stemTip;
    int stemBaseLeft = 0;
    int stemBaseRight = 0;
};

// Places a tip with a body of bodySize for a pointer at pointer, entirely inside screen: below
// the pointer when it fits, else above it (the stem flips with it); shifted sideways as far as
// needed, the stem still reaching towards the pointer.
ToolTipGeometry placeToolTip(QSize bodySize, bool balloon, QPoint pointer, const QRect& screen);

// The outline of the tip in window coordinates (through pixel centres), and the pixels it covers
// when drawn aliased with a one-pixel pen (the window's shape).
QPainterPath toolTipShape(const ToolTipGeometry& geometry);
QRegion toolTipRegion(const ToolTipGeometry& geometry);

// The whole tip, window-sized (times devicePixelRatio); pixels outside the shape transparent.
QImage renderToolTip(const ToolTipContent& content, const ToolTipFace& face, const ToolTipColors& colors,
                     const ToolTipLayout& layout, const ToolTipGeometry& geometry, qreal devicePixelRatio = 1.0);

} // namespace skin
