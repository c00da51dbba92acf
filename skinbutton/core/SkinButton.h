#pragma once
/// @file SkinButton.h
/// The SkinButton widget: a custom-drawn QAbstractButton with eleven looks.
///
/// Installed as <SkinButton/SkinButton.h>. It and the headers it includes are the library's
/// whole public interface; they compile as C++17 and with QT_NO_KEYWORDS and
/// QT_NO_CAST_FROM_ASCII.

#include "LinkOpener.h"
#include "PropertyBag.h"
#include "SkinButtonEnums.h"
#include "SkinButtonGlobal.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <memory>

namespace skin {

class SkinButtonPrivate;

/// A push or toggle button drawn in one of eleven looks (Style 0-10), with an icon beside the
/// caption, custom or system colours, a window shape per style and a balloon tooltip of its own;
/// a QAbstractButton that stands where a QPushButton would (the reference's class page, written
/// in skinbutton/docs/SkinButton.dox, tells the rest).
class SKINBUTTON_EXPORT SkinButton : public QAbstractButton {
    Q_OBJECT
    // Qt's view of the written properties: the same values, in the types Qt's tools edit. Colours
    // are QColor (an invalid QColor is the colour -1). Enabled, Font, ToolTip, Caption, Icon,
    // IconSize, ButtonType and value are one state with QWidget's and QAbstractButton's enabled,
    // font, toolTip, text, icon, iconSize, checkable and checked, so form editors show and save
    // Qt's names only.
    Q_PROPERTY(skin::ButtonStyle Style READ Style WRITE setStyle NOTIFY StyleChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY CaptionChanged DESIGNABLE false)
    Q_PROPERTY(QPixmap Icon READ IconPixmap WRITE setIcon NOTIFY IconChanged DESIGNABLE false)
    Q_PROPERTY(skin::ButtonAlign IconAlign READ IconAlign WRITE setIconAlign NOTIFY IconAlignChanged)
    Q_PROPERTY(int IconSize READ IconSize WRITE setIconSize NOTIFY IconSizeChanged)
    Q_PROPERTY(skin::ButtonAlign CaptionAlign READ CaptionAlign WRITE setCaptionAlign NOTIFY CaptionAlignChanged)
    Q_PROPERTY(skin::ButtonStyle NonThemeStyle READ NonThemeStyle WRITE setNonThemeStyle NOTIFY NonThemeStyleChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled NOTIFY EnabledChanged DESIGNABLE false)
    Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE setShowFocus NOTIFY ShowFocusChanged)
    Q_PROPERTY(bool UseCustomColors READ UseCustomColors WRITE setUseCustomColors NOTIFY UseCustomColorsChanged)
    Q_PROPERTY(QColor BackColor READ qBackColor WRITE setBackColor RESET resetBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(QColor HighlightColor READ qHighlightColor WRITE setHighlightColor RESET resetHighlightColor NOTIFY HighlightColorChanged)
    Q_PROPERTY(QColor FontColor READ qFontColor WRITE setFontColor RESET resetFontColor NOTIFY FontColorChanged)
    Q_PROPERTY(QColor FontHighlightColor READ qFontHighlightColor WRITE setFontHighlightColor RESET resetFontHighlightColor NOTIFY FontHighlightColorChanged)
    Q_PROPERTY(QString ToolTip READ ToolTip WRITE setToolTip NOTIFY ToolTipChanged DESIGNABLE false)
    Q_PROPERTY(QString ToolTipTitle READ ToolTipTitle WRITE setToolTipTitle NOTIFY ToolTipTitleChanged)
    Q_PROPERTY(skin::TipIcon ToolTipIcon READ ToolTipIcon WRITE setToolTipIcon NOTIFY ToolTipIconChanged)
    Q_PROPERTY(skin::TipShape ToolTipType READ ToolTipType WRITE setToolTipType NOTIFY ToolTipTypeChanged)
    Q_PROPERTY(QColor ToolTipBackColor READ qToolTipBackColor WRITE setToolTipBackColor RESET resetToolTipBackColor NOTIFY ToolTipBackColorChanged)
    Q_PROPERTY(QColor ToolTipForeColor READ qToolTipForeColor WRITE setToolTipForeColor RESET resetToolTipForeColor NOTIFY ToolTipForeColorChanged)
    Q_PROPERTY(QFont Font READ Font WRITE setFont NOTIFY FontChanged DESIGNABLE false)
    Q_PROPERTY(skin::ButtonKind ButtonType READ ButtonType WRITE setButtonType NOTIFY ButtonTypeChanged DESIGNABLE false)
    Q_PROPERTY(bool value READ value WRITE setValue NOTIFY valueChanged DESIGNABLE false)
    // The icon's size is the one square side IconSize (style sheets set it as qproperty-IconSize).
    Q_PROPERTY(QSize iconSize READ iconSize WRITE setIconSize NOTIFY IconSizeChanged DESIGNABLE false)
    // QAbstractButton's, through this class's setters: a write by name (Designer, QUiLoader,
    // setProperty) reaches the written face at once.
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY CaptionChanged)
    Q_PROPERTY(QIcon icon READ icon WRITE setIcon NOTIFY IconChanged)
    Q_PROPERTY(bool checkable READ isCheckable WRITE setCheckable NOTIFY ButtonTypeChanged)
    // QPushButton's: the button Enter clicks in a dialog.
    Q_PROPERTY(bool autoDefault READ autoDefault WRITE setAutoDefault)
    Q_PROPERTY(bool default READ isDefault WRITE setDefault)

public:
    /// @name Enumerations
    /// The property enumerations are skin's (SkinButtonEnums.h); these class-scope names keep code
    /// and forms that spell them skin::SkinButton::PixelArtGel compiling.
    ///@{
    using ButtonStyle = skin::ButtonStyle; ///< skin::ButtonStyle
    static constexpr ButtonStyle Classic3D = skin::Classic3D; ///< skin::Classic3D
    static constexpr ButtonStyle Thin3D = skin::Thin3D; ///< skin::Thin3D
    static constexpr ButtonStyle FlatHover = skin::FlatHover; ///< skin::FlatHover
    static constexpr ButtonStyle Etched = skin::Etched; ///< skin::Etched
    static constexpr ButtonStyle Highlight = skin::Highlight; ///< skin::Highlight
    static constexpr ButtonStyle RoundedGradient = skin::RoundedGradient; ///< skin::RoundedGradient
    static constexpr ButtonStyle SystemTheme = skin::SystemTheme; ///< skin::SystemTheme
    static constexpr ButtonStyle FramedGradient = skin::FramedGradient; ///< skin::FramedGradient
    static constexpr ButtonStyle ShadowedBevel = skin::ShadowedBevel; ///< skin::ShadowedBevel
    static constexpr ButtonStyle GlossyTile = skin::GlossyTile; ///< skin::GlossyTile
    static constexpr ButtonStyle PixelArtGel = skin::PixelArtGel; ///< skin::PixelArtGel
    using ButtonAlign = skin::ButtonAlign; ///< skin::ButtonAlign
    static constexpr ButtonAlign AlignCenter = skin::AlignCenter; ///< skin::AlignCenter
    static constexpr ButtonAlign AlignLeft = skin::AlignLeft; ///< skin::AlignLeft
    static constexpr ButtonAlign AlignRight = skin::AlignRight; ///< skin::AlignRight
    static constexpr ButtonAlign AlignTop = skin::AlignTop; ///< skin::AlignTop
    static constexpr ButtonAlign AlignBottom = skin::AlignBottom; ///< skin::AlignBottom
    using ButtonKind = skin::ButtonKind; ///< skin::ButtonKind
    static constexpr ButtonKind PushButton = skin::PushButton; ///< skin::PushButton
    static constexpr ButtonKind ToggleButton = skin::ToggleButton; ///< skin::ToggleButton
    using TipIcon = skin::TipIcon; ///< skin::TipIcon
    static constexpr TipIcon NoTipIcon = skin::NoTipIcon; ///< skin::NoTipIcon
    static constexpr TipIcon InformationTipIcon = skin::InformationTipIcon; ///< skin::InformationTipIcon
    static constexpr TipIcon WarningTipIcon = skin::WarningTipIcon; ///< skin::WarningTipIcon
    static constexpr TipIcon ErrorTipIcon = skin::ErrorTipIcon; ///< skin::ErrorTipIcon
    using TipShape = skin::TipShape; ///< skin::TipShape
    static constexpr TipShape RectangleTip = skin::RectangleTip; ///< skin::RectangleTip
    static constexpr TipShape BalloonTip = skin::BalloonTip; ///< skin::BalloonTip
    ///@}

    /// A new button, at its resting look, captioned with its object name (empty until named).
    explicit SkinButton(QWidget* parent = nullptr);
    ~SkinButton() override;

    /// @name Written properties
    /// Every write notifies (propertyChanged() with the change name, and the property's own
    /// signal) and repaints, even when the value is unchanged; layout properties (Style,
    /// Caption, the icon and alignment ones, NonThemeStyle) first rerun the size handling. No
    /// write validates its value.
    /// @{

    /// The look (0-10, see ButtonStyle).
    ButtonStyle Style() const;
    /// Sets the look; a number outside ButtonStyle paints the plain button face.
    void setStyle(int NewStyle);
    using QWidget::setStyle;
    /// The caption: the same text as QAbstractButton::text().
    QString Caption() const;
    /// Sets the caption (and text(), and the mnemonic: Alt + the letter after "&").
    void setCaption(const QString& NewCaption);
    /// QAbstractButton::setText(): the same as setCaption(), CaptionChanged() at once.
    /// @since 4.1
    void setText(const QString& text);
    /// The icon as stored: the picture and the file or resource it came from.
    Picture Icon() const;
    /// The icon as a pixmap (null: no icon).
    QPixmap IconPixmap() const;
    /// Sets the icon from a stored picture (its source is saved with the form).
    void setIcon(const Picture& NewIcon);
    /// Sets the icon from an image made in memory.
    void setIcon(const QImage& NewIcon);
    /// Sets the icon from a pixmap made in memory.
    void setIcon(const QPixmap& NewIcon);
    /// Sets Qt's icon (QAbstractButton::setIcon()): drawn beside the caption as on a QPushButton,
    /// in the icon's own disabled and selected forms; Icon and IconChanged() follow at once.
    /// @since 4.1
    void setIcon(const QIcon& icon);
    /// Where the icon sits.
    ButtonAlign IconAlign() const;
    /// Sets where the icon sits (see ButtonAlign).
    void setIconAlign(int NewIconAlign);
    /// The icon's side in pixels (QAbstractButton::iconSize() is this square).
    int IconSize() const;
    /// Sets the icon's side in pixels.
    void setIconSize(int NewIconSize);
    /// QAbstractButton::setIconSize(); IconSize (the larger side) and IconSizeChanged() follow at once.
    /// @since 4.1
    void setIconSize(const QSize& size);
    /// Where the caption sits.
    ButtonAlign CaptionAlign() const;
    /// Sets where the caption sits (see ButtonAlign).
    void setCaptionAlign(int NewCaptionAlign);
    /// The look Style 6 falls back to where the desktop has no theme.
    ButtonStyle NonThemeStyle() const;
    /// Sets the look Style 6 falls back to.
    void setNonThemeStyle(int NewNonThemeStyle);
    /// The button's own enabled flag, one state with QWidget::isEnabled(); a disabled parent
    /// paints the disabled look but leaves it as it is.
    bool Enabled() const;
    /// Enables or disables the button (QWidget::setEnabled() writes this too).
    void setEnabled(bool NewEnabled);
    /// Whether keyboard focus is drawn: on for a button made in code or in Designer (4.0: off),
    /// as stored for one loaded from a form (off where the form does not say).
    bool ShowFocus() const;
    /// Draws keyboard focus, or not; every style shows it at 3:1 or more against its face.
    void setShowFocus(bool NewShowFocus);
    /// Whether the colour properties replace the system's colours.
    bool UseCustomColors() const;
    /// Uses the colour properties, or the system's colours.
    void setUseCustomColors(bool NewUseCustomColors);
    /// The face colour, 0x00BBGGRR.
    Color BackColor() const;
    /// The face colour as a QColor (invalid: the colour -1).
    QColor qBackColor() const;
    /// Sets the face colour (0x00BBGGRR, or 0x80000000 + a system colour's index).
    void setBackColor(Color NewBackColor);
    /// Sets the face colour.
    void setBackColor(const QColor& NewBackColor);
    /// The highlight colour, 0x00BBGGRR.
    Color HighlightColor() const;
    /// The highlight colour as a QColor.
    QColor qHighlightColor() const;
    /// Sets the highlight colour.
    void setHighlightColor(Color NewHighlightColor);
    /// Sets the highlight colour.
    void setHighlightColor(const QColor& NewHighlightColor);
    /// The caption's colour, 0x00BBGGRR.
    Color FontColor() const;
    /// The caption's colour as a QColor.
    QColor qFontColor() const;
    /// Sets the caption's colour.
    void setFontColor(Color NewFontColor);
    /// Sets the caption's colour.
    void setFontColor(const QColor& NewFontColor);
    /// The caption's colour over the highlight, 0x00BBGGRR.
    Color FontHighlightColor() const;
    /// The caption's colour over the highlight as a QColor.
    QColor qFontHighlightColor() const;
    /// Sets the caption's colour over the highlight.
    void setFontHighlightColor(Color NewColor);
    /// Sets the caption's colour over the highlight.
    void setFontHighlightColor(const QColor& NewColor);
    /// The tooltip's text, one state with QWidget::toolTip(); takes effect at the next pointer entry.
    QString ToolTip() const;
    /// Sets the tooltip's text (QWidget::setToolTip() writes this too).
    void setToolTip(const QString& NewToolTip);
    /// The tooltip's title.
    QString ToolTipTitle() const;
    /// Sets the tooltip's title.
    void setToolTipTitle(const QString& NewToolTipTitle);
    /// The icon beside the tooltip's title.
    TipIcon ToolTipIcon() const;
    /// Sets the icon beside the tooltip's title (see TipIcon).
    void setToolTipIcon(int NewToolTipIcon);
    /// The tooltip's shape.
    TipShape ToolTipType() const;
    /// Sets the tooltip's shape (see TipShape).
    void setToolTipType(int NewToolTipType);
    /// The tooltip's background colour, 0x00BBGGRR (0: the tip's own).
    Color ToolTipBackColor() const;
    /// The tooltip's background colour as a QColor.
    QColor qToolTipBackColor() const;
    /// Sets the tooltip's background colour.
    void setToolTipBackColor(Color NewColor);
    /// Sets the tooltip's background colour.
    void setToolTipBackColor(const QColor& NewColor);
    /// The tooltip's text colour, 0x00BBGGRR (0: the tip's own).
    Color ToolTipForeColor() const;
    /// The tooltip's text colour as a QColor.
    QColor qToolTipForeColor() const;
    /// Sets the tooltip's text colour.
    void setToolTipForeColor(Color NewColor);
    /// Sets the tooltip's text colour.
    void setToolTipForeColor(const QColor& NewColor);
    /// Back to the system's face colour.
    void resetBackColor();
    /// Back to the system's highlight colour.
    void resetHighlightColor();
    /// Back to the system's button text colour.
    void resetFontColor();
    /// Back to the system's button text colour.
    void resetFontHighlightColor();
    /// Back to the tip's own background colour (0).
    void resetToolTipBackColor();
    /// Back to the tip's own text colour (0).
    void resetToolTipForeColor();
    /// The caption's font: QWidget::font(). Until a font is set (in code or by a stored form)
    /// it follows the parent's and the application's font, as Qt's widgets do.
    QFont Font() const;
    /// Sets the caption's font (QWidget::setFont() writes this too); it then stays as set.
    void setFont(const QFont& NewFont);
    /// PushButton, or ToggleButton (then isCheckable()); an unlisted number is kept as stored.
    ButtonKind ButtonType() const;
    /// Makes the button a push button (0) or a toggle button (1): setCheckable() with stored numbers.
    void setButtonType(int NewButtonType);
    /// QAbstractButton::setCheckable(): ButtonType and ButtonTypeChanged() follow at once.
    /// @since 4.1
    void setCheckable(bool checkable);
    /// A toggle button's latched value: isChecked(). A push button keeps its stored value,
    /// though Qt's checked state of a button that is not checkable is always false.
    bool value() const;
    /// Sets the value; repaints; toggled() when it changes; never clicks.
    void setValue(bool NewValue);
    /// @}

    /// The library's version, "major.minor" (SKINBUTTON_VERSION_STRING's first two parts).
    QString Version() const;
    /// Opens sLink with the desktop's handler: above 32 when it did, 32 or less when it did not.
    int OpenLink(const QString& sLink);
    /// A complete press and release, as the Space key gives it: pressed(), the toggle's flip,
    /// released(), clicked() and Click(). Nothing while disabled.
    void click();

    /// @name The default button
    /// As QPushButton's. In a dialog (a QDialog window), Enter or Return clicks its default
    /// button wherever the keyboard focus is, unless the focused widget takes the key itself (an
    /// auto-default button, a text editor); the default button shows an outline along its
    /// shape in every style (Style 6: the desktop theme's default look).
    /// @{

    /// Whether Enter on the focused button clicks it, and whether the button becomes the
    /// dialog's default while it has the focus. Unless set, true in a dialog and false elsewhere;
    /// false for a button loaded from a stored form (Enter does nothing in the control itself).
    /// @since 4.1
    bool autoDefault() const;
    /// Sets autoDefault().
    /// @since 4.1
    void setAutoDefault(bool autoDefault);
    /// Whether this is its dialog's default button (Enter clicks it).
    /// @since 4.1
    bool isDefault() const;
    /// Makes this the default button of its window (another SkinButton there stops being one),
    /// or not.
    /// @since 4.1
    void setDefault(bool isDefault);
    /// @}

    /// @name Stored form
    /// @{

    /// Back to a new button's properties (run by the constructor; run it again after naming
    /// the button to take the name as its caption).
    void initProperties();
    /// Loads every stored key; then the button is at its resting look and laid out for its
    /// size. A value of the wrong kind ends the load at that key: false, with the reason in
    /// error (or a warning when error is null). An icon that cannot be read only costs the
    /// picture, with a warning.
    bool readProperties(const PropertyBag& bag, QString* error = nullptr);
    /// Saves every property under its stored key; defaults are left out.
    void writeProperties(PropertyBag& bag) const;
    /// The saved properties as a new bag.
    PropertyBag writeProperties() const;
    /// @}

    /// @name Host side
    /// @{

    /// Design mode is the window being designed (no pointer tracking, no mnemonic, the
    /// design-time look); otherwise the button runs, whether loaded or made in code.
    bool isDesignMode() const;
    /// Enters or leaves design mode.
    void setDesignMode(bool designMode);
    /// The host's own tooltip text for this button, taken over while the button is visible.
    QString extenderToolTipText() const;
    /// Sets the host's own tooltip text.
    void setExtenderToolTipText(const QString& text);
    /// @}

    /// The visual state last painted (StateUnset before the first paint of a design-time button).
    VisualState visualState() const;

#if defined(SKINBUTTON_BUILD_REMOVED_API)
    // 4.0's test hooks, no longer API: declared only where the library defines them, so that
    // programs built against 4.0 still find them (RemovedApi.cpp).
    bool hasFocusFlag() const;
    int lastReleasedButton() const;
    QImage surfaceImage() const;
#endif

    /// Like QPushButton's: wide enough for the caption, the icon and the style's corners, at
    /// least 75 x 23, in the button's font; the height stays at the hint in layouts.
    QSize sizeHint() const override;
    /// The caption, the icon and the style's corners without the 75 x 23 floor: a layout that
    /// squeezes the button never cuts its caption. (4.0: a fixed 20 x 20.)
    QSize minimumSizeHint() const override;

    /// The smallest side, in pixels at 96 dpi, of a button loaded from a stored form
    /// (readProperties() sets it as the minimum size); a button made in code or in Designer has
    /// no fixed minimum.
    static constexpr int kMinimumSide = 20;

public Q_SLOTS:
    /// Shows the control's own About box (floating; a click on it hides it).
    void About();
    /// Repaints the whole control.
    void Refresh();

Q_SIGNALS:
    /// A click: raised with every QAbstractButton::clicked(), before the program's own slots
    /// connected to clicked() run.
    void Click();
    /// The pointer entered the button (running, not in design mode).
    void MouseEnter();
    /// The pointer left the button.
    void MouseLeave();
    /// About() was called; the About box follows.
    void aboutRequested();
    /// A written property changed; name is its change name ("Style", "ToolTipText", ...).
    void propertyChanged(const QString& name);
    // The written properties' notify signals (documented with the properties, SkinButton.dox).
    void StyleChanged();
    void CaptionChanged();
    void IconChanged();
    void IconAlignChanged();
    void IconSizeChanged();
    void CaptionAlignChanged();
    void NonThemeStyleChanged();
    void EnabledChanged();
    void ShowFocusChanged();
    void UseCustomColorsChanged();
    void BackColorChanged();
    void HighlightColorChanged();
    void FontColorChanged();
    void FontHighlightColorChanged();
    void ToolTipChanged();
    void ToolTipTitleChanged();
    void ToolTipIconChanged();
    void ToolTipTypeChanged();
    void ToolTipBackColorChanged();
    void ToolTipForeColorChanged();
    void FontChanged();
    void ButtonTypeChanged();
    void valueChanged();

protected:
    /// @cond internal
    SkinButton(QWidget* parent, std::unique_ptr<SkinButtonPrivate> dd);
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void checkStateSet() override;
    void nextCheckState() override;
    /// @endcond

private:
    friend class SkinButtonPrivate;
    std::unique_ptr<SkinButtonPrivate> d;
};

/// The caption as assistive technology reads it: "&" marks dropped, "&&" shown as one "&".
SKINBUTTON_EXPORT QString withoutMnemonic(const QString& caption);

} // namespace skin
