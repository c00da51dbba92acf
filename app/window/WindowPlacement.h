#pragma once
// Where the main window opens, and its stored position in twips (15 per pixel at 96 dpi).

#include "forms/Twips.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <optional>

namespace zarvok::app {

using forms::kTwipsPerPixel;
using forms::pixelsFromTwips;
using forms::twipsFromPixels;

// "Software\Vantrel Software\<exe>\Main".
QString settingsKey(const QString& executableName);
// The running program's file name without folder and extension.
QString executableName();

struct Screens {
    QRect primary;     // whole primary screen, not the work area
    QList<QRect> all;  // every screen
};

// The desktop's screens now.
Screens currentScreens();

// Centred on the primary screen.
QPoint centredPosition(const QSize& frame, const QRect& primary);

// The stored position, or the centre when it is (0, 0) or would leave the window on no screen;
// a window partly off the screen it lands on (the one holding most of it) is moved just enough
// to be wholly on it.
QPoint restoredPosition(const QPoint& stored, const QSize& frame, const Screens& screens);

// Where a second window of `size` (frame included) opens beside the main window's frame
// `owner` on the screen area `available`, so as not to hide it: right of it, else left, else
// below, else above; nothing when it fits on no side.
std::optional<QPoint> besideWindow(const QRect& owner, const QSize& size, const QRect& available);

// Where the window opens, and its placing again once the desktop has given it a frame (title
// bar, borders): before that the centre and the fit on the screen were worked out for the bare
// client area. A window moved meanwhile stays where it was moved.
class OpeningPosition {
public:
    // The stored position, or the centre (see restoredPosition).
    QPoint open(const QPoint& stored, const QSize& frame, const Screens& screens);
    // Once, when the frame has changed: the centre, or the fit on the screen, for the new frame.
    std::optional<QPoint> recentred(const QPoint& position, const QSize& frame, const Screens& screens);

private:
    struct Opening {
        QSize frame;
        QPoint position;
        bool centred;
    };
    std::optional<Opening> m_opening;
};

// The position as the settings store holds it, in pixels; (0, 0) when nothing is stored, or
// when either value is missing or is no number within 32 bits.
QPoint readStoredPosition(const QString& executableName);
// Writes both values in one write of the store; returns false when it failed.
bool writeStoredPosition(const QString& executableName, const QPoint& position);

} // namespace zarvok::app
