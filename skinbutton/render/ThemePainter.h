#pragma once
// The desktop theme's push button, behind an interface so that tests can make it fail.

#include "ButtonLook.h"

namespace skin {

class Surface;

// Theme states: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 defaulted (the default button).
class ThemePainter {
public:
    virtual ~ThemePainter() = default;
    // Draws the theme's push button over clip; false when the theme could not draw.
    virtual bool drawPushButton(Surface& surface, const Rect& clip, int themeState) = 0;
};

// Draws with the application's QStyle (CE_PushButton). Fails when no QApplication runs.
class StyleThemePainter final : public ThemePainter {
public:
    bool drawPushButton(Surface& surface, const Rect& clip, int themeState) override;
};

// A desktop without visual styles: never draws.
class NoThemePainter final : public ThemePainter {
public:
    bool drawPushButton(Surface&, const Rect&, int) override { return false; }
};

} // namespace skin
