#pragma once
// The program's push button: a custom-drawn QWidget with a choice of looks (Style), optional
// toggle behaviour, an icon beside the caption, custom or system colours and a window shape
// per style. Its properties are saved to and loaded from a PropertyBag.
//
// The widget keeps state only: each repaint copies its members into a ButtonLook and lets the
// renderer paint a Surface, which paintEvent shows pixel for pixel. Input is decided by
// ButtonInteraction (see the table there). Every property is also a Qt property, so
// setProperty, style sheets, QML and Qt Designer (skinbutton/designer) see it.
//
// Typical use by a window:
//     auto* button = new skin::SkinButton(this);
//     button->setObjectName("cmdQuit");
//     button->readProperties(PropertyBag::fromJson(storedJson));
//     connect(button, &skin::SkinButton::Click, this, &Window::quit);
// or, made in code:
//     auto* button = new skin::SkinButton(this);
//     button->setCaption("E&xit"); // Alt+X clicks it
//     button->setStyle(8);
//     connect(button, &skin::SkinButton::clicked, this, &Window::quit);

// Installed as <SkinButton/SkinButton.h>: it and the headers it includes are the library's
// public interface; the renderer's types stay behind forward declarations.

#include "ButtonInteraction.h"
#include "ButtonProperties.h"
#include "LinkOpener.h"
#include "PropertyBag.h"
#include "QtPropertyTypes.h"

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <memory>

namespace skin {

class SystemColors;
class ThemePainter;
struct ButtonLook;
struct PropertyRow;
struct Rect;

class SkinButton : public QWidget {
    Q_OBJECT
    // Qt's view of the properties: the same values, in the types Qt's tools edit. Colours are
    // QColor (an invalid QColor is the colour -1); a 32-bit number is taken as a stored colour.
    // Enabled, Font and ToolTip are one state with QWidget's enabled, font and toolTip, so tools
    // that design forms show and save QWidget's names only.
    Q_PROPERTY(ButtonStyle Style READ Style WRITE setStyle NOTIFY StyleChanged)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption NOTIFY CaptionChanged)
    Q_PROPERTY(QPixmap Icon READ IconPixmap WRITE setIcon NOTIFY IconChanged)
    Q_PROPERTY(ButtonAlign IconAlign READ IconAlign WRITE setIconAlign NOTIFY IconAlignChanged)
    Q_PROPERTY(int IconSize READ IconSize WRITE setIconSize NOTIFY IconSizeChanged)
    Q_PROPERTY(ButtonAlign CaptionAlign READ CaptionAlign WRITE setCaptionAlign NOTIFY CaptionAlignChanged)
    Q_PROPERTY(ButtonStyle NonThemeStyle READ NonThemeStyle WRITE setNonThemeStyle NOTIFY NonThemeStyleChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled NOTIFY EnabledChanged DESIGNABLE false)
    Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE setShowFocus NOTIFY ShowFocusChanged)
    Q_PROPERTY(bool UseCustomColors READ UseCustomColors WRITE setUseCustomColors NOTIFY UseCustomColorsChanged)
    Q_PROPERTY(QColor BackColor READ qBackColor WRITE setBackColor RESET resetBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(QColor HighlightColor READ qHighlightColor WRITE setHighlightColor RESET resetHighlightColor NOTIFY HighlightColorChanged)
    Q_PROPERTY(QColor FontColor READ qFontColor WRITE setFontColor RESET resetFontColor NOTIFY FontColorChanged)
    Q_PROPERTY(QColor FontHighlightColor READ qFontHighlightColor WRITE setFontHighlightColor RESET resetFontHighlightColor NOTIFY FontHighlightColorChanged)
    Q_PROPERTY(QString ToolTip READ ToolTip WRITE setToolTip NOTIFY ToolTipChanged DESIGNABLE false)
    Q_PROPERTY(QString ToolTipTitle READ ToolTipTitle WRITE setToolTipTitle NOTIFY ToolTipTitleChanged)
    Q_PROPERTY(TipIcon ToolTipIcon READ ToolTipIcon WRITE setToolTipIcon NOTIFY ToolTipIconChanged)
    Q_PROPERTY(TipShape ToolTipType READ ToolTipType WRITE setToolTipType NOTIFY ToolTipTypeChanged)
    Q_PROPERTY(QColor ToolTipBackColor READ qToolTipBackColor WRITE setToolTipBackColor RESET resetToolTipBackColor NOTIFY ToolTipBackColorChanged)
    Q_PROPERTY(QColor ToolTipForeColor READ qToolTipForeColor WRITE setToolTipForeColor RESET resetToolTipForeColor NOTIFY ToolTipForeColorChanged)
    Q_PROPERTY(QFont Font READ Font WRITE setFont NOTIFY FontChanged DESIGNABLE false)
    Q_PROPERTY(ButtonKind ButtonType READ ButtonType WRITE setButtonType NOTIFY ButtonTypeChanged)
    Q_PROPERTY(bool value READ value WRITE setValue NOTIFY valueChanged)

public:
    // The numbered properties' values by name, so Qt's tools offer a choice of these only. The
    // numbers are the stored ones; an unlisted number is still accepted and stored.
    enum ButtonStyle {
        Classic3D = 0, Thin3D = 1, FlatHover = 2, Etched = 3, Highlight = 4, RoundedGradient = 5,
        SystemTheme = 6, FramedGradient = 7, ShadowedBevel = 8, GlossyTile = 9, PixelArtGel = 10
    };
    Q_ENUM(ButtonStyle)
    enum ButtonAlign { AlignCenter = 0, AlignLeft = 1, AlignRight = 2, AlignTop = 3, AlignBottom = 4 };
    Q_ENUM(ButtonAlign)
    enum ButtonKind { PushButton = 0, ToggleButton = 1 };
    Q_ENUM(ButtonKind)
    enum TipIcon { NoTipIcon = 0, InformationTipIcon = 1, WarningTipIcon = 2, ErrorTipIcon = 3 };
    Q_ENUM(TipIcon)
    enum TipShape { RectangleTip = 0, BalloonTip = 1 };
    Q_ENUM(TipShape)

    // Where system colours come from: the widget's palette (the desktop), or the fixed
    // reference palette that makes pixels independent of the machine.
    enum class ColorSource { Desktop, Reference };

    explicit SkinButton(QWidget* parent = nullptr);
    // theme: who draws Style 6 (null: the application's QStyle); links: who opens OpenLink's
    // links (null: the desktop).
    SkinButton(QWidget* parent, std::unique_ptr<ThemePainter> theme,
               ColorSource colors = ColorSource::Desktop, std::unique_ptr<LinkOpener> links = nullptr);
    ~SkinButton() override;

    // Properties. Every write notifies (propertyChanged with the change name, and the Qt
    // property's own signal) and repaints, even when the value is unchanged; layout properties
    // (Style, Caption, the icon and alignment ones, NonThemeStyle) first rerun the size
    // handling. No write validates its value. What each write does is in PropertyTable.cpp.
    ButtonStyle Style() const { return ButtonStyle(m_props.style); }
    void setStyle(int NewStyle) { write(&ButtonProperties::style, NewStyle); }
    using QWidget::setStyle;
    QString Caption() const { return m_props.caption; }
    void setCaption(const QString& NewCaption); // also the mnemonic (Alt + the letter after "&")
    Picture Icon() const { return m_props.icon; }
    QPixmap IconPixmap() const { return toPixmap(m_props.icon); }
    void setIcon(const Picture& NewIcon) { write(&ButtonProperties::icon, NewIcon); }
    void setIcon(const QImage& NewIcon) { setIcon(Picture{QString(), NewIcon}); }
    void setIcon(const QPixmap& NewIcon) { setIcon(fromPixmap(NewIcon)); }
    ButtonAlign IconAlign() const { return ButtonAlign(m_props.iconAlign); }
    void setIconAlign(int NewIconAlign) { write(&ButtonProperties::iconAlign, NewIconAlign); }
    int IconSize() const { return m_props.iconSize; }
    void setIconSize(int NewIconSize) { write(&ButtonProperties::iconSize, NewIconSize); }
    ButtonAlign CaptionAlign() const { return ButtonAlign(m_props.captionAlign); }
    void setCaptionAlign(int NewCaptionAlign) { write(&ButtonProperties::captionAlign, NewCaptionAlign); }
    ButtonStyle NonThemeStyle() const { return ButtonStyle(m_props.nonThemeStyle); }
    void setNonThemeStyle(int NewNonThemeStyle) { write(&ButtonProperties::nonThemeStyle, NewNonThemeStyle); }
    // One state with QWidget's enabled flag: QWidget::setEnabled writes Enabled too. A disabled
    // parent paints the disabled look but leaves Enabled as it is.
    bool Enabled() const { return m_props.enabled; }
    void setEnabled(bool NewEnabled) { write(&ButtonProperties::enabled, NewEnabled); }
    bool ShowFocus() const { return m_props.showFocus; }
    void setShowFocus(bool NewShowFocus) { write(&ButtonProperties::showFocus, NewShowFocus); }
    bool UseCustomColors() const { return m_props.useCustomColors; }
    void setUseCustomColors(bool NewUseCustomColors) { write(&ButtonProperties::useCustomColors, NewUseCustomColors); }
    Color BackColor() const { return m_props.backColor; }
    QColor qBackColor() const { return toQColor(m_props.backColor); }
    void setBackColor(Color NewBackColor) { write(&ButtonProperties::backColor, NewBackColor); }
    void setBackColor(const QColor& NewBackColor) { setBackColor(fromQColor(NewBackColor)); }
    Color HighlightColor() const { return m_props.highlightColor; }
    QColor qHighlightColor() const { return toQColor(m_props.highlightColor); }
    void setHighlightColor(Color NewHighlightColor) { write(&ButtonProperties::highlightColor, NewHighlightColor); }
    void setHighlightColor(const QColor& NewHighlightColor) { setHighlightColor(fromQColor(NewHighlightColor)); }
    Color FontColor() const { return m_props.fontColor; }
    QColor qFontColor() const { return toQColor(m_props.fontColor); }
    void setFontColor(Color NewFontColor) { write(&ButtonProperties::fontColor, NewFontColor); }
    void setFontColor(const QColor& NewFontColor) { setFontColor(fromQColor(NewFontColor)); }
    Color FontHighlightColor() const { return m_props.fontHighlightColor; }
    QColor qFontHighlightColor() const { return toQColor(m_props.fontHighlightColor); }
    void setFontHighlightColor(Color NewColor) { write(&ButtonProperties::fontHighlightColor, NewColor); }
    void setFontHighlightColor(const QColor& NewColor) { setFontHighlightColor(fromQColor(NewColor)); }
    // The tooltip properties take effect at the next pointer entry. ToolTip is also QWidget's
    // toolTip: QWidget::setToolTip writes it.
    QString ToolTip() const { return m_props.toolTip; }
    void setToolTip(const QString& NewToolTip);
    QString ToolTipTitle() const { return m_props.toolTipTitle; }
    void setToolTipTitle(const QString& NewToolTipTitle) { write(&ButtonProperties::toolTipTitle, NewToolTipTitle); }
    TipIcon ToolTipIcon() const { return TipIcon(m_props.toolTipIcon); }
    void setToolTipIcon(int NewToolTipIcon) { write(&ButtonProperties::toolTipIcon, NewToolTipIcon); }
    TipShape ToolTipType() const { return TipShape(m_props.toolTipType); }
    void setToolTipType(int NewToolTipType) { write(&ButtonProperties::toolTipType, NewToolTipType); }
    Color ToolTipBackColor() const { return m_props.toolTipBackColor; }
    QColor qToolTipBackColor() const { return toQColor(m_props.toolTipBackColor); }
    void setToolTipBackColor(Color NewColor) { write(&ButtonProperties::toolTipBackColor, NewColor); }
    void setToolTipBackColor(const QColor& NewColor) { setToolTipBackColor(fromQColor(NewColor)); }
    Color ToolTipForeColor() const { return m_props.toolTipForeColor; }
    QColor qToolTipForeColor() const { return toQColor(m_props.toolTipForeColor); }
    void setToolTipForeColor(Color NewColor) { write(&ButtonProperties::toolTipForeColor, NewColor); }
    void setToolTipForeColor(const QColor& NewColor) { setToolTipForeColor(fromQColor(NewColor)); }
    // Back to the colour a new button starts with: the system colour, or the tooltip's 0 (the
    // tip's own colour).
    void resetBackColor() { resetColor(&ButtonProperties::backColor); }
    void resetHighlightColor() { resetColor(&ButtonProperties::highlightColor); }
    void resetFontColor() { resetColor(&ButtonProperties::fontColor); }
    void resetFontHighlightColor() { resetColor(&ButtonProperties::fontHighlightColor); }
    void resetToolTipBackColor() { resetColor(&ButtonProperties::toolTipBackColor); }
    void resetToolTipForeColor() { resetColor(&ButtonProperties::toolTipForeColor); }
    // Also QWidget's font: QWidget::setFont writes Font too.
    QFont Font() const { return m_props.font.font; }
    void setFont(const QFont& NewFont);
    ButtonKind ButtonType() const { return ButtonKind(m_props.buttonType); }
    void setButtonType(int NewButtonType) { write(&ButtonProperties::buttonType, NewButtonType); }
    bool value() const { return m_props.value; }
    void setValue(bool NewValue); // repaints; toggled when it changes; never Click

    // Methods.
    QString Version() const;
    // Opens sLink with the desktop's handler: above 32 when it did, 32 or less when it did not.
    int OpenLink(const QString& sLink);
    // A complete press and release, as the Space key, the mnemonic or assistive technology give it.
    void click();

    // Stored form. A new button starts from initProperties() (run by the constructor; run it
    // again after naming the button to take the name as its caption).
    void initProperties();
    // Loads every stored key; then the button is in its normal state and is laid out for its
    // size. A value of the wrong kind ends the load at that key: false, with the reason in error
    // (or a warning when error is null). An icon that cannot be read only costs the picture,
    // with a warning on standard error.
    bool readProperties(const PropertyBag& bag, QString* error = nullptr);
    void writeProperties(PropertyBag& bag) const;
    PropertyBag writeProperties() const;

    // Host side. Design mode is the window being designed (no pointer tracking, no mnemonic,
    // the design-time look); otherwise the button runs, whether loaded or made in code.
    bool isDesignMode() const { return m_designMode; }
    void setDesignMode(bool designMode);
    // The host's own tooltip text for this button, taken over while the button is visible.
    QString extenderToolTipText() const { return m_extenderToolTip; }
    void setExtenderToolTipText(const QString& text) { m_extenderToolTip = text; }
    ColorSource colorSource() const { return m_colorSource; }
    SystemColors systemColors() const;

    // What painting and input left behind.
    int visualState() const { return m_interaction.state(); }
    bool hasFocusFlag() const { return m_interaction.hasFocus(); }
    int lastReleasedButton() const { return m_interaction.lastReleased(); }
    bool isPointerTracked() const { return !m_designMode; }
    int captionFormat() const { return m_captionFormat; }
    Rect clientRect() const;
    Rect captionRect() const;
    const QImage& surfaceImage() const;

    // Like QPushButton's: wide enough for the caption, the icon and the style's corners, at
    // least 75 x 23; the height stays at the hint in layouts.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int kMinimumSide = 20; // pixels at 96 dpi

public slots:
    void About();   // shows the control's own About box (floating; a click on it hides it)
    void Refresh(); // repaints the whole control

signals:
    void Click();
    void MouseEnter();
    void MouseLeave();
    // Qt's names: clicked with every Click; toggled whenever value changes, by a click (after
    // the flip, before Click) or by a write.
    void clicked();
    void toggled(bool checked);
    // About() was called; the About box follows.
    void aboutRequested();
    // A stored property changed; name is the property's change name ("Style", "ToolTipText", ...).
    void propertyChanged(const QString& name);
    // The Qt properties' own notifications, raised with propertyChanged.
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

private:
    template <class T>
    void write(T ButtonProperties::*member, T NewValue)
    {
        m_props.*member = std::move(NewValue);
        afterWrite(PropertyMember(member));
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
    bool isOverButton(const QPointF& pos) const;
    // QWidget's enabled flag, font and tooltip written behind the control's back.
    void adoptWidgetEnabled();
    void adoptWidgetFont();
    void adoptWidgetToolTip();
    // QWidget's font, enabled flag, tooltip and mnemonic from the properties; the notices this
    // raises are not taken for writes from outside.
    void syncWidget();
    QString displayName() const;
    void updateMnemonic();
    void mnemonicPressed(bool ambiguous);

    // The renderer's side: the theme, the painted surface and the layout rectangles.
    struct Painting;

    std::unique_ptr<Painting> m_painting;
    std::unique_ptr<LinkOpener> m_links;
    ColorSource m_colorSource;
    ButtonProperties m_props;
    ButtonInteraction m_interaction;
    int m_captionFormat = 0;
    bool m_designMode = false;
    bool m_syncingWidget = false;
    int m_mnemonicId = 0;
    QString m_extenderToolTip;
};

// The caption as assistive technology reads it: "&" marks dropped, "&&" shown as one "&".
QString withoutMnemonic(const QString& caption);

} // namespace skin
