#pragma once
// The desktop theme's push button, behind an interface so that tests can make it fail.

#include "ButtonLook.h"
#include "FaceCache.h"

#include <optional>

namespace skin {

class Surface;

// Theme states are VisualStates; StateDefaulted is the window's default button.
class ThemePainter {
public:
    virtual ~ThemePainter() = default;
    // Draws the theme's push button over clip, on `face` where the button's face colour was
    // chosen (else the theme's own); false when the theme could not draw.
    virtual bool drawPushButton(Surface& surface, const Rect& clip, VisualState themeState,
                                std::optional<Color> face = std::nullopt) = 0;
};

// Draws with the application's QStyle (CE_PushButton). Fails when no QApplication runs.
class StyleThemePainter final : public ThemePainter {
public:
    bool drawPushButton(Surface& surface, const Rect& clip, VisualState themeState,
                        std::optional<Color> face = std::nullopt) override;

private:
    // On a surface all in its back colour the theme draws the same pixels for the same size,
    // clip, state, colour, palette and style, and drawing them costs more than the rest of a
    // repaint: the last few drawn are kept.
    struct Drawn {
        QSize size;
        Rect clip;
        VisualState themeState = StateUnset;
        Color back = 0;
        std::optional<Color> face;
        qint64 palette = 0;
        const void* style = nullptr;
        QString styleName;
        friend bool operator==(const Drawn&, const Drawn&) = default;
    };
    FaceCache<Drawn> m_drawn;
};

// A desktop without visual styles: never draws.
class NoThemePainter final : public ThemePainter {
public:
    bool drawPushButton(Surface&, const Rect&, VisualState, std::optional<Color>) override { return false; }
};

} // namespace skin
