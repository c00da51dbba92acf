#pragma once
// The program's push button: a custom-drawn QWidget with a choice of looks (Style), optional
// toggle behaviour, an icon beside the caption, custom or system colours and a window shape
// per style. Its properties are saved to and loaded from a PropertyBag.
//
// The widget keeps state only: each repaint copies its members into a ButtonLook and lets the
// renderer paint a Surface, which paintEvent shows pixel for pixel. Input is decided by
// ButtonInteraction (see the table there).
//
// Typical use by a window:
//     auto* button = new skin::SkinButton(this);
//     button->setObjectName("cmdQuit");
//     button->readProperties(PropertyBag::fromJson(storedJson));
//     connect(button, &skin::SkinButton::Click, this, &Window::quit);

#include "ButtonInteraction.h"
#include "ButtonProperties.h"
#include "LinkOpener.h"
#include "PropertyBag.h"
#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"
#include "skinbutton/render/ThemePainter.h"

#include <QWidget>

#include <memory>

namespace skin {

class SkinButton : public QWidget {
    Q_OBJECT

public:
    // Where system colours come from: the widget's palette (the desktop), or the fixed
    // reference palette that makes pixels independent of the machine.
    enum class ColorSource { Desktop, Reference };

    explicit SkinButton(QWidget* parent = nullptr);
    // theme: who draws Style 6 (null: the application's QStyle); links: who opens OpenLink's
    // links (null: the desktop).
    SkinButton(QWidget* parent, std::unique_ptr<ThemePainter> theme,
               ColorSource colors = ColorSource::Desktop, std::unique_ptr<LinkOpener> links = nullptr);
    ~SkinButton() override;

    // Properties. Every write notifies propertyChanged and repaints, even when the value is
    // unchanged; layout properties (Style, Caption, the icon and alignment ones,
    // NonThemeStyle) first rerun the size handling. No write validates its value.
    int Style() const { return m_props.style; }
    void setStyle(int NewStyle);
    using QWidget::setStyle;
    QString Caption() const { return m_props.caption; }
    void setCaption(const QString& NewCaption);
    Picture Icon() const { return m_props.icon; }
    void setIcon(const Picture& NewIcon);
    void setIcon(const QImage& NewIcon) { setIcon(Picture{QString(), NewIcon}); }
    int IconAlign() const { return m_props.iconAlign; }
    void setIconAlign(int NewIconAlign);
    int IconSize() const { return m_props.iconSize; }
    void setIconSize(int NewIconSize);
    int CaptionAlign() const { return m_props.captionAlign; }
    void setCaptionAlign(int NewCaptionAlign);
    int NonThemeStyle() const { return m_props.nonThemeStyle; }
    void setNonThemeStyle(int NewNonThemeStyle);
    bool Enabled() const { return m_props.enabled; }
    void setEnabled(bool NewEnabled); // also the widget's own enabled state
    bool ShowFocus() const { return m_props.showFocus; }
    void setShowFocus(bool NewShowFocus);
    bool UseCustomColors() const { return m_props.useCustomColors; }
    void setUseCustomColors(bool NewUseCustomColors);
    Color BackColor() const { return m_props.backColor; }
    void setBackColor(Color NewBackColor);
    Color HighlightColor() const { return m_props.highlightColor; }
    void setHighlightColor(Color NewHighlightColor);
    Color FontColor() const { return m_props.fontColor; }
    void setFontColor(Color NewFontColor);
    Color FontHighlightColor() const { return m_props.fontHighlightColor; }
    void setFontHighlightColor(Color NewFontHighlightColor);
    // The tooltip properties are kept and saved; they take effect at the next pointer entry.
    QString ToolTip() const { return m_props.toolTip; }
    void setToolTip(const QString& NewToolTip);
    QString ToolTipTitle() const { return m_props.toolTipTitle; }
    void setToolTipTitle(const QString& NewToolTipTitle);
    int ToolTipIcon() const { return m_props.toolTipIcon; }
    void setToolTipIcon(int NewToolTipIcon);
    int ToolTipType() const { return m_props.toolTipType; }
    void setToolTipType(int NewToolTipType);
    Color ToolTipBackColor() const { return m_props.toolTipBackColor; }
    void setToolTipBackColor(Color NewToolTipBackColor);
    Color ToolTipForeColor() const { return m_props.toolTipForeColor; }
    void setToolTipForeColor(Color NewToolTipForeColor);
    QFont Font() const { return m_props.font.font; }
    void setFont(const QFont& NewFont); // also the widget's own font
    int ButtonType() const { return m_props.buttonType; }
    void setButtonType(int NewButtonType);
    bool value() const { return m_props.value; }
    void setValue(bool NewValue); // repaints, raises no event

    // Methods.
    void Refresh(); // repaints the whole control
    QString Version() const;
    // Shows the control's own About box (a floating window; a click on it hides it again).
    void About();
    // Opens sLink with the desktop's handler: above 32 when it did, 32 or less when it did not.
    int OpenLink(const QString& sLink);
    // A complete press and release, as the Space key or assistive technology gives it.
    void click();

    // Stored form. A new button starts from initProperties() (run by the constructor; run it
    // again after naming the button to take the name as its caption).
    void initProperties();
    // Loads every stored key; then the button is in its normal state, tracks the pointer when
    // the window runs, and is laid out for its size. A value of the wrong kind ends the load
    // at that key: false, with the reason in error (or a warning when error is null).
    bool readProperties(const PropertyBag& bag, QString* error = nullptr);
    void writeProperties(PropertyBag& bag) const;
    PropertyBag writeProperties() const;

    // Host side. Design mode is the window being designed (no hover, the design-time look).
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
    bool isPointerTracked() const { return m_tracksPointer && !m_designMode; }
    int captionFormat() const { return m_captionFormat; }
    Rect clientRect() const { return m_clientRect; }
    Rect captionRect() const { return m_captionRect; }
    const QImage& surfaceImage() const { return m_surface.image(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int kMinimumSide = 20; // pixels at 96 dpi

signals:
    void Click();
    void MouseEnter();
    void MouseLeave();
    // A stored property changed; name is the property's change name ("Style", "ToolTipText", ...).
    void propertyChanged(const QString& name);

protected:
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
    PropertyHost propertyHost() const;
    ButtonLook snapshot() const;
    Toggle toggle() const;
    void apply(const Outcome& outcome);
    void applyLayout();
    // Notifies, then reruns the size handling (which repaints).
    void changedLayout(const char* name);
    // Notifies, then repaints.
    void changedLook(const char* name);
    bool isOverButton(const QPointF& pos) const;

    std::unique_ptr<ThemePainter> m_theme;
    std::unique_ptr<LinkOpener> m_links;
    ColorSource m_colorSource;
    ButtonProperties m_props;
    ButtonInteraction m_interaction;
    Surface m_surface;
    Rect m_clientRect;
    Rect m_captionRect;
    int m_captionFormat = 0;
    bool m_designMode = false;
    bool m_tracksPointer = false;
    QString m_extenderToolTip;
};

// The caption as assistive technology reads it: "&" marks dropped, "&&" shown as one "&".
QString withoutMnemonic(const QString& caption);

} // namespace skin
