#pragma once
// SkinButton's private side (not installed): the state behind the public class's d-pointer, and
// what the library's own tests and tools reach beyond the public API (a button with a theme
// painter and colour source of their choosing, the system colours it paints with).
//
// One state: Qt's face (QAbstractButton's text, checked, checkable, icon, iconSize, down) and the
// written face (Caption, value, ButtonType, Icon, IconSize) are one state. The stored properties
// (props) keep what the stored form saves; what Qt's face holds is taken into them when it was
// written through QAbstractButton's own (non-virtual) setters, before every paint, save and read.

#include "ButtonInteraction.h"
#include "ButtonProperties.h"
#include "LinkOpener.h"
#include "PropertyTable.h"
#include "SkinButton.h"
#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"
#include "skinbutton/render/ThemePainter.h"

#include <climits>
#include <memory>
#include <optional>

namespace skin {

// Where system colours come from: the widget's palette (the desktop), or the fixed reference
// palette that makes pixels independent of the machine.
enum class ColorSource { Desktop, Reference };

class SkinButtonPrivate {
public:
    SkinButtonPrivate(SkinButton* q, std::unique_ptr<ThemePainter> theme, ColorSource colors,
                      std::unique_ptr<LinkOpener> links);

    // The private side of a button.
    static SkinButtonPrivate* of(const SkinButton& button) { return button.d.get(); }

    // A new SkinButton with these parts.
    static SkinButton* create(QWidget* parent, std::unique_ptr<ThemePainter> theme, ColorSource colors,
                              std::unique_ptr<LinkOpener> links);

    SkinButton* q; // set by SkinButton's constructor
    std::unique_ptr<ThemePainter> theme;
    Surface surface;
    Rect clientRect;
    Rect captionRect;
    std::unique_ptr<LinkOpener> links;
    ColorSource colorSource;
    ButtonProperties props;
    ButtonInteraction interaction;
    int captionFormat = 0;
    bool designMode = false;
    bool syncingWidget = false;
    bool fontSet = false;   // a font set in code or stored in a form; otherwise the widget's inherited font
    qint64 pushedIcon = 0;      // cache key of the QIcon the written Icon gave Qt's face
    qint64 pushedIconImage = 0; // cache key of the written Icon's image it was made from
    int pushedIconSide = INT_MIN;   // the IconSize last given to Qt's iconSize, and what Qt made of it
    QSize pushedIconSize;
    bool holdAdopt = false;     // a write of the written face under way: Qt's face follows it after
    bool knownDown = false; // QAbstractButton's down flag as input last left it
    bool iconFromQt = false; // the icon came through Qt's setIcon: drawn beside the caption
    bool storedForm = false; // loaded from a stored form: its picture keeps its colours disabled
    bool defaultButton = false;
    std::optional<bool> autoDefault; // unset: QPushButton's rule (in a dialog)
    QString extenderToolTip;

    // Stores, gives Qt's face the new value (the checked state after the notifications, so that
    // valueChanged comes before toggled), notifies, relayouts or repaints.
    template <class T>
    void write(T ButtonProperties::*member, T value)
    {
        props.*member = std::move(value);
        const PropertyMember written(member);
        pushToButton(&written, false);
        {
            const bool held = holdAdopt;
            holdAdopt = true;
            afterWrite(written);
            holdAdopt = held;
        }
        pushToButton(&written, true);
    }
    // What a write does after storing, by its row: notify, relayout or repaint, in its order.
    void afterWrite(const PropertyMember& member);
    void afterWrite(const PropertyRow& row);
    void notify(const PropertyRow& row);
    void resetColor(Color ButtonProperties::*member);
    PropertyHost propertyHost() const;
    ButtonLook snapshot() const;
    Toggle toggle() const;
    void apply(const Outcome& outcome);
    void applyLayout();
    SystemColors systemColors() const;

    // Qt's face from the stored properties (text, checkable, checked, icon, iconSize), and what
    // was written through Qt's face taken into the stored properties, notified as writes are.
    // Only the written member's counterpart (all with null): Qt's face may hold changes not
    // taken in yet.
    void pushToButton(const PropertyMember* only = nullptr, bool checked = true);
    void adoptFromButton();
    // The stored properties with Qt's face taken in.
    ButtonProperties current() const;
    // QWidget's font, enabled flag and tooltip from the properties; the notices this raises are
    // not taken for writes from outside.
    void syncWidget();
    void adoptWidgetEnabled();
    void adoptWidgetFont();
    void adoptWidgetToolTip();
    // A toggle whose value went back to false is no longer drawn latched.
    void unlatch();
    QString displayName() const;
    // The default look: the focused auto-default button, else the default button unless
    // another auto-default button has the focus.
    bool showsDefault() const;
    // Caption and icon with the room the caption rectangle and the style's corners take: nothing
    // is cut at this size.
    QSize contentSizeHint() const;
    // Qt's icon goes beside the caption; a written picture where IconAlign puts it.
    bool iconBesideCaption() const { return iconFromQt; }
    // The picture the renderer draws for the icon, in the look's state.
    QImage iconForLook(const ButtonLook& look) const;
};

// A button with the given theme painter (who draws Style 6), colour source and link opener:
// for the library's tests, its gallery and benchmarks.
SkinButton* newSkinButton(QWidget* parent, std::unique_ptr<ThemePainter> theme,
                          ColorSource colors = ColorSource::Desktop, std::unique_ptr<LinkOpener> links = nullptr);

// The private side of a button.
SkinButtonPrivate* privateOf(const SkinButton& button);

// What painting and input left behind, for tests.
SystemColors systemColorsOf(const SkinButton& button);
ColorSource colorSourceOf(const SkinButton& button);
bool isPointerTracked(const SkinButton& button);
int captionFormatOf(const SkinButton& button);
Rect clientRectOf(const SkinButton& button);
Rect captionRectOf(const SkinButton& button);
const QImage& surfaceImageOf(const SkinButton& button);
bool hasFocusFlagOf(const SkinButton& button);     // keyboard focus as the button's input saw it
int lastReleasedButtonOf(const SkinButton& button); // 1 left, 2 right, 4 middle, 0 before any

} // namespace skin
