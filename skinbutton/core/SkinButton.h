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
    // Each accessor is documented in skinbutton/docs/SkinButtonMembers.dox.
    /// @{

    ButtonStyle Style() const;
    void setStyle(int NewStyle);
    using QWidget::setStyle;
    QString Caption() const;
    void setCaption(const QString& NewCaption);
    /// QAbstractButton::setText(): the same as setCaption(), CaptionChanged() at once.
    /// @since 4.1
    void setText(const QString& text);
    Picture Icon() const;
    QPixmap IconPixmap() const;
    void setIcon(const Picture& NewIcon);
    void setIcon(const QImage& NewIcon);
    void setIcon(const QPixmap& NewIcon);
    /// Sets Qt's icon (QAbstractButton::setIcon()): drawn beside the caption as on a QPushButton,
    /// in the icon's own disabled and selected forms; Icon and IconChanged() follow at once.
    /// @since 4.1
    void setIcon(const QIcon& icon);
    ButtonAlign IconAlign() const;
    void setIconAlign(int NewIconAlign);
    int IconSize() const;
    void setIconSize(int NewIconSize);
    /// QAbstractButton::setIconSize(); IconSize (the larger side) and IconSizeChanged() follow at once.
    /// @since 4.1
    void setIconSize(const QSize& size);
    ButtonAlign CaptionAlign() const;
    void setCaptionAlign(int NewCaptionAlign);
    ButtonStyle NonThemeStyle() const;
    void setNonThemeStyle(int NewNonThemeStyle);
    bool Enabled() const;
    void setEnabled(bool NewEnabled);
    bool ShowFocus() const;
    void setShowFocus(bool NewShowFocus);
    bool UseCustomColors() const;
    void setUseCustomColors(bool NewUseCustomColors);
    Color BackColor() const;
    QColor qBackColor() const;
    void setBackColor(Color NewBackColor);
    void setBackColor(const QColor& NewBackColor);
    Color HighlightColor() const;
    QColor qHighlightColor() const;
    void setHighlightColor(Color NewHighlightColor);
    void setHighlightColor(const QColor& NewHighlightColor);
    Color FontColor() const;
    QColor qFontColor() const;
    void setFontColor(Color NewFontColor);
    void setFontColor(const QColor& NewFontColor);
    Color FontHighlightColor() const;
    QColor qFontHighlightColor() const;
    void setFontHighlightColor(Color NewColor);
    void setFontHighlightColor(const QColor& NewColor);
    QString ToolTip() const;
    void setToolTip(const QString& NewToolTip);
    QString ToolTipTitle() const;
    void setToolTipTitle(const QString& NewToolTipTitle);
    TipIcon ToolTipIcon() const;
    void setToolTipIcon(int NewToolTipIcon);
    TipShape ToolTipType() const;
    void setToolTipType(int NewToolTipType);
    Color ToolTipBackColor() const;
    QColor qToolTipBackColor() const;
    void setToolTipBackColor(Color NewColor);
    void setToolTipBackColor(const QColor& NewColor);
    Color ToolTipForeColor() const;
    QColor qToolTipForeColor() const;
    void setToolTipForeColor(Color NewColor);
    void setToolTipForeColor(const QColor& NewColor);
    void resetBackColor();
    void resetHighlightColor();
    void resetFontColor();
    void resetFontHighlightColor();
    void resetToolTipBackColor();
    void resetToolTipForeColor();
    QFont Font() const;
    void setFont(const QFont& NewFont);
    ButtonKind ButtonType() const;
    void setButtonType(int NewButtonType);
    /// QAbstractButton::setCheckable(): ButtonType and ButtonTypeChanged() follow at once.
    /// @since 4.1
    void setCheckable(bool checkable);
    bool value() const;
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
    // The written properties' notify signals (documented in skinbutton/docs/SkinButtonMembers.dox).
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
