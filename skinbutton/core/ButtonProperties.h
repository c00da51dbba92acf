#pragma once
// The public properties of a SkinButton as plain data, and their stored form: what a new
// button starts with, and how a button is saved to and loaded from a PropertyBag. A member's
// initializer is the value a new button starts with, unless it takes that from the host (the
// caption, the colours, the font); the keys and their defaults are the property table's.

#include "PropertyBag.h"
#include "Color.h"
#include "SystemColorIndex.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <variant>

namespace skin {

struct ButtonProperties {
    int style = 0;
    QString caption;
    Picture icon;
    int iconAlign = 0;
    int iconSize = 16;
    int captionAlign = 0;
    int nonThemeStyle = 0;
    bool enabled = true;
    bool showFocus = true;
    bool useCustomColors = false;
    Color backColor = 0;
    Color highlightColor = 0;
    Color fontColor = 0;
    Color fontHighlightColor = 0;
    QString toolTip;
    QString toolTipTitle;
    int toolTipIcon = 0;
    int toolTipType = 0;
    Color toolTipBackColor = 0;
    Color toolTipForeColor = 0;
    StoredFont font;
    int buttonType = 0;
    bool value = false;
};

// One member of ButtonProperties, as the property table names it.
using PropertyMember = std::variant<int ButtonProperties::*, bool ButtonProperties::*, QString ButtonProperties::*,
                                    Picture ButtonProperties::*, StoredFont ButtonProperties::*>;

// The system colours the properties default to, under the names the stored form gives them.
namespace SysColor {
inline constexpr int Window = kWindow;
inline constexpr int Highlight = kHighlight;
inline constexpr int ButtonFace = kButtonFace;
inline constexpr int ButtonText = kButtonText;
inline constexpr int ToolTipText = kInfoText;
inline constexpr int ToolTipBack = kInfoBackground;
} // namespace SysColor

// What the hosting window knows about the instance at the moment of saving or loading.
struct PropertyHost {
    QString name;        // the instance's name
    QString toolTipText; // the host-side tooltip text
    StoredFont surfaceFont;
    std::function<Color(int index)> systemColor; // current RGB of a system colour
};

// The design font of a new button: Verdana, 8.25 point, normal weight, character set 0.
StoredFont designFont();

// A brand-new instance.
ButtonProperties initialProperties(const PropertyHost& host);

// Saves every key in its fixed order; a value equal to its key's default is left out.
void writeProperties(const ButtonProperties& props, PropertyBag& bag, const PropertyHost& host);

// Loads every key in its fixed order into props, absent keys taking their read defaults. A
// stored value that cannot become the member's type ends the load at that key: the keys before
// it are kept in props, and the reason is returned. A picture that cannot be read is only
// left empty: the reason goes to warnings (to standard error when warnings is null) and the
// load goes on.
std::optional<QString> readProperties(const PropertyBag& bag, ButtonProperties& props, const PropertyHost& host,
                                      QStringList* warnings = nullptr);

} // namespace skin
