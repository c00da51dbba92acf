#pragma once
// What the renderers need to know about a button: a plain snapshot of the control's state.
// The control copies its members into a ButtonLook and hands it to refreshButton(); the
// renderers never reach back into the widget.

#include "skinbutton/types/Color.h"
#include "skinbutton/types/SystemColorIndex.h"
#include "skinbutton/types/SkinButtonEnums.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace skin {

class Surface;
class SystemColors;
class ThemePainter;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The spellings the render tests were written with; the states themselves are VisualState's.
inline constexpr VisualState kStateNormal = StateNormal;
inline constexpr VisualState kStateHot = StateHot;
inline constexpr VisualState kStatePressed = StatePressed;

struct ButtonLook {
    int style = 0;
    int nonThemeStyle = 0;
    VisualState state = StateNormal;
    bool enabled = true;
    int buttonType = PushButton;
    bool value = false;
    bool hasFocus = false;
    bool showFocus = false;
    bool isDefault = false; // the button Enter clicks in its dialog: the default look
    bool userMode = true; // false while the window is being designed
    bool useCustomColors = false;
    // The desktop palette's button face or button text set for this button on purpose (a style
    // sheet's background-color or color, a palette set in code): honoured as custom colours
    // are, where the styles would otherwise keep their own.
    bool faceColorChosen = false;
    bool captionColorChosen = false;
    Color backColor = 0;
    Color highlightColor = 0;
    Color fontColor = 0;
    Color fontHighlightColor = 0;
    QString caption;
    QFont font;
    QImage icon; // null: no icon
    bool iconBesideCaption = false; // Qt's icon: beside the caption, the two placed together
    bool rightToLeft = false;       // a right-to-left layout: the icon beside the caption goes right
    int iconSize = 16;
    int iconAlign = 0;
    int captionAlign = 0;
    int captionFormat = 17; // text-drawing flags, see CaptionFormat.h
    Rect clientRect;        // (0, 0, W, H)
    Rect captionRect;       // (4, 4, W-4, H-4)
};

// What a refresh writes back into the control.
struct RefreshResult {
    VisualState state = StateNormal; // the visual state after the design-time, toggle and disabled overrides
    int style = 0;              // NonThemeStyle when the theme could not draw Style 6, else unchanged
    Color surfaceBackColor = 0; // the surface colour the style left
};

// Clears the surface and paints the whole button: style, caption, icon. At a device pixel
// ratio other than 1 the surface also gets a device picture (Surface::deviceImage): the same
// face and frame, each logical pixel a solid block, with caption and icon at device resolution.
RefreshResult refreshButton(const ButtonLook& look, Surface& surface, const SystemColors& colors,
                            ThemePainter& theme, qreal devicePixelRatio = 1.0);

} // namespace skin
