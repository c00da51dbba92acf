#include "SkinButton.h"

#include "SkinButtonAccessible.h"
#include "WindowShape.h"
#include "skinbutton/render/CaptionFormat.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QtDebug>

namespace skin {

namespace {

// OpenLink's results, as the shell has always reported them: above 32 is success.
constexpr int kLinkOpened = 42;
constexpr int kNoHandlerForLink = 31;

int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

bool isSpace(const QKeyEvent* event) { return event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier; }

} // namespace

SkinButton::SkinButton(QWidget* parent) : SkinButton(parent, nullptr) {}

SkinButton::SkinButton(QWidget* parent, std::unique_ptr<ThemePainter> theme, ColorSource colors,
                       std::unique_ptr<LinkOpener> links)
    : QWidget(parent),
      m_theme(theme ? std::move(theme) : std::make_unique<StyleThemePainter>()),
      m_links(links ? std::move(links) : std::make_unique<DesktopLinkOpener>()),
      m_colorSource(colors),
      m_surface(width(), height())
{
    installSkinButtonAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kMinimumSide, kMinimumSide);
    initProperties();
}

SkinButton::~SkinButton() = default;

// ---- stored form

PropertyHost SkinButton::propertyHost() const
{
    const SystemColors colors = systemColors();
    return PropertyHost{objectName(), m_extenderToolTip, m_props.font,
                        [colors](int index) { return colors.color(index); }};
}

void SkinButton::initProperties()
{
    PropertyHost host = propertyHost();
    host.surfaceFont = designFont();
    m_props = initialProperties(host);
    m_captionFormat = kNewControlCaptionFormat;
    m_surface.setFont(m_props.font.font);
    QWidget::setFont(m_props.font.font);
    m_interaction.setState(StateUnset);
}

bool SkinButton::readProperties(const PropertyBag& bag, QString* error)
{
    m_interaction.setState(StateNormal);
    const std::optional<QString> failure = skin::readProperties(bag, m_props, propertyHost());
    m_captionFormat = 0; // a loaded button's format comes from its first layout
    m_surface.setFont(m_props.font.font);
    QWidget::setFont(m_props.font.font);
    QWidget::setEnabled(m_props.enabled);
    m_tracksPointer = !m_designMode;
    applyLayout();
    if (failure) {
        const QString reason = QStringLiteral("%1: stored properties not fully loaded: %2")
                                   .arg(objectName().isEmpty() ? QStringLiteral("SkinButton") : objectName(), *failure);
        if (error)
            *error = reason;
        else
            qWarning().noquote() << reason;
    }
    return !failure;
}

void SkinButton::writeProperties(PropertyBag& bag) const { skin::writeProperties(m_props, bag, propertyHost()); }

PropertyBag SkinButton::writeProperties() const
{
    PropertyBag bag;
    writeProperties(bag);
    return bag;
}

void SkinButton::setDesignMode(bool designMode)
{
    m_designMode = designMode;
    Refresh();
}

SystemColors SkinButton::systemColors() const
{
    return m_colorSource == ColorSource::Reference ? SystemColors::reference() : SystemColors::fromPalette(palette());
}

// ---- property writes

void SkinButton::changedLayout(const char* name)
{
    QPointer<SkinButton> self(this);
    emit propertyChanged(QLatin1String(name));
    if (self)
        applyLayout();
}

void SkinButton::changedLook(const char* name)
{
    QPointer<SkinButton> self(this);
    emit propertyChanged(QLatin1String(name));
    if (self)
        Refresh();
}

void SkinButton::setStyle(int NewStyle)
{
    m_props.style = NewStyle;
    changedLayout("Style");
}

void SkinButton::setCaption(const QString& NewCaption)
{
    m_props.caption = NewCaption;
    changedLayout("Caption");
    notifyAccessibleNameChanged(this);
}

void SkinButton::setIcon(const Picture& NewIcon)
{
    m_props.icon = NewIcon;
    changedLayout("Icon");
}

void SkinButton::setIconAlign(int NewIconAlign)
{
    m_props.iconAlign = NewIconAlign;
    changedLayout("IconAlign");
}

void SkinButton::setIconSize(int NewIconSize)
{
    m_props.iconSize = NewIconSize;
    changedLayout("IconSize");
}

void SkinButton::setCaptionAlign(int NewCaptionAlign)
{
    m_props.captionAlign = NewCaptionAlign;
    changedLayout("CaptionAlign");
}

void SkinButton::setNonThemeStyle(int NewNonThemeStyle)
{
    m_props.nonThemeStyle = NewNonThemeStyle;
    changedLayout("NonThemeStyle");
}

void SkinButton::setEnabled(bool NewEnabled)
{
    m_props.enabled = NewEnabled;
    m_interaction.reset();
    Refresh();
    QPointer<SkinButton> self(this);
    emit propertyChanged(QStringLiteral("Enabled"));
    if (self)
        QWidget::setEnabled(NewEnabled);
}

void SkinButton::setShowFocus(bool NewShowFocus)
{
    m_props.showFocus = NewShowFocus;
    changedLook("ShowFocus");
}

void SkinButton::setUseCustomColors(bool NewUseCustomColors)
{
    m_props.useCustomColors = NewUseCustomColors;
    changedLook("UseCustomColors");
}

void SkinButton::setBackColor(Color NewBackColor)
{
    m_props.backColor = NewBackColor;
    changedLook("BackColor");
}

void SkinButton::setHighlightColor(Color NewHighlightColor)
{
    m_props.highlightColor = NewHighlightColor;
    changedLook("HighlightColor");
}

void SkinButton::setFontColor(Color NewFontColor)
{
    m_props.fontColor = NewFontColor;
    changedLook("FontColor");
}

void SkinButton::setFontHighlightColor(Color NewFontHighlightColor)
{
    m_props.fontHighlightColor = NewFontHighlightColor;
    changedLook("FontHighlightColor");
}

void SkinButton::setToolTip(const QString& NewToolTip)
{
    m_props.toolTip = NewToolTip;
    changedLook("ToolTipText");
}

void SkinButton::setToolTipTitle(const QString& NewToolTipTitle)
{
    m_props.toolTipTitle = NewToolTipTitle;
    changedLook("TooltipTitle");
}

void SkinButton::setToolTipIcon(int NewToolTipIcon)
{
    m_props.toolTipIcon = NewToolTipIcon;
    changedLook("TooltipIcon");
}

void SkinButton::setToolTipType(int NewToolTipType)
{
    m_props.toolTipType = NewToolTipType;
    changedLook("ToolTipType");
}

void SkinButton::setToolTipBackColor(Color NewToolTipBackColor)
{
    m_props.toolTipBackColor = NewToolTipBackColor;
    changedLook("ToolTipBackColor");
}

void SkinButton::setToolTipForeColor(Color NewToolTipForeColor)
{
    m_props.toolTipForeColor = NewToolTipForeColor;
    changedLook("ToolTipForeColor");
}

void SkinButton::setFont(const QFont& NewFont)
{
    m_props.font.font = NewFont;
    m_surface.setFont(NewFont);
    QWidget::setFont(NewFont);
    Refresh();
    emit propertyChanged(QStringLiteral("Font"));
}

void SkinButton::setButtonType(int NewButtonType)
{
    m_props.buttonType = NewButtonType;
    changedLook("ButtonType");
}

void SkinButton::setValue(bool NewValue)
{
    m_props.value = NewValue;
    changedLook("Value");
}

// ---- methods

void SkinButton::Refresh()
{
    const RefreshResult result = refreshButton(snapshot(), m_surface, systemColors(), *m_theme, devicePixelRatioF());
    m_interaction.setState(result.state);
    m_props.style = result.style;
    update();
}

QString SkinButton::Version() const { return QStringLiteral("3.0"); }

int SkinButton::OpenLink(const QString& sLink)
{
    const QUrl url = QUrl::fromUserInput(sLink);
    if (!url.isValid() || url.isEmpty())
        return kNoHandlerForLink;
    return m_links->open(url) ? kLinkOpened : kNoHandlerForLink;
}

void SkinButton::click()
{
    if (!isEnabled())
        return;
    QPointer<SkinButton> self(this);
    apply(m_interaction.spaceDown());
    if (self)
        apply(m_interaction.spaceUp(toggle()));
}

// ---- painting and layout

ButtonLook SkinButton::snapshot() const
{
    ButtonLook look;
    look.style = m_props.style;
    look.nonThemeStyle = m_props.nonThemeStyle;
    look.state = m_interaction.state();
    // A disabled window disables its buttons' looks as well as their input.
    look.enabled = m_props.enabled && (!parentWidget() || parentWidget()->isEnabled());
    look.buttonType = m_props.buttonType;
    look.value = m_props.value;
    look.hasFocus = m_interaction.hasFocus();
    look.showFocus = m_props.showFocus;
    look.userMode = !m_designMode;
    look.useCustomColors = m_props.useCustomColors;
    look.backColor = m_props.backColor;
    look.highlightColor = m_props.highlightColor;
    look.fontColor = m_props.fontColor;
    look.fontHighlightColor = m_props.fontHighlightColor;
    look.caption = m_props.caption;
    look.font = m_props.font.font;
    look.icon = m_props.icon.image;
    look.iconSize = m_props.iconSize;
    look.iconAlign = m_props.iconAlign;
    look.captionAlign = m_props.captionAlign;
    look.captionFormat = m_captionFormat;
    look.clientRect = m_clientRect;
    look.captionRect = m_captionRect;
    return look;
}

void SkinButton::applyLayout()
{
    const int w = width();
    const int h = height();
    m_clientRect = Rect{0, 0, w, h};
    m_captionRect = Rect{4, 4, w - 4, h - 4};
    m_captionFormat = captionFormatFor(m_props.captionAlign, m_captionFormat);
    if (m_surface.width() != w || m_surface.height() != h)
        m_surface.resize(w, h);
    const QRegion shape = windowRegion(m_props.style, w, h);
    if (shape == QRegion(rect()))
        clearMask();
    else
        setMask(shape);
    Refresh();
}

void SkinButton::paintEvent(QPaintEvent*)
{
    // Face and frame in logical pixels, caption and icon at the screen's own resolution.
    if (m_surface.deviceRatio() != devicePixelRatioF())
        Refresh(); // moved to a screen of another scale
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPoint(0, 0), m_surface.deviceImage());
}

void SkinButton::resizeEvent(QResizeEvent*) { applyLayout(); }

QSize SkinButton::sizeHint() const
{
    const QFontMetrics metrics(m_props.font.font);
    const QSize text = metrics.size(Qt::TextShowMnemonic, m_props.caption);
    return QSize(qMax(75, text.width() + 16), qMax(23, text.height() + 10));
}

QSize SkinButton::minimumSizeHint() const { return QSize(kMinimumSide, kMinimumSide); }

// ---- input

Toggle SkinButton::toggle() const { return Toggle{m_props.buttonType == 1, m_props.value}; }

void SkinButton::apply(const Outcome& outcome)
{
    QPointer<SkinButton> self(this);
    if (outcome.flipValue) {
        m_props.value = !m_props.value;
        notifyAccessibleValueChanged(this);
    }
    if (outcome.repaint)
        Refresh();
    if (outcome.mouseEnter)
        emit MouseEnter();
    if (self && outcome.mouseLeave)
        emit MouseLeave();
    if (self && outcome.click)
        emit Click();
}

bool SkinButton::isOverButton(const QPointF& pos) const
{
    const QPoint p = pos.toPoint();
    return mask().isEmpty() ? rect().contains(p) : mask().contains(p);
}

void SkinButton::mousePressEvent(QMouseEvent* event)
{
    apply(m_interaction.mousePress(buttonNumber(event->button())));
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    apply(m_interaction.mouseRelease(buttonNumber(event->button()), isOverButton(event->position()), toggle()));
}

void SkinButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    apply(m_interaction.mouseDoubleClick(buttonNumber(event->button())));
}

void SkinButton::keyPressEvent(QKeyEvent* event)
{
    if (!isSpace(event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        apply(m_interaction.spaceDown());
}

void SkinButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!isSpace(event)) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        apply(m_interaction.spaceUp(toggle()));
}

void SkinButton::focusInEvent(QFocusEvent*) { apply(m_interaction.focusChanged(true)); }

void SkinButton::focusOutEvent(QFocusEvent*) { apply(m_interaction.focusChanged(false)); }

void SkinButton::enterEvent(QEnterEvent*)
{
    if (isPointerTracked())
        apply(m_interaction.pointerEntered());
}

void SkinButton::leaveEvent(QEvent*)
{
    if (isPointerTracked())
        apply(m_interaction.pointerLeft());
}

void SkinButton::showEvent(QShowEvent*)
{
    // While the button is visible only its own tooltip is shown, not the host's. A host without
    // a text of its own leaves the button's stored tooltip as it is.
    if (!m_extenderToolTip.isEmpty())
        m_props.toolTip = m_extenderToolTip;
    m_extenderToolTip.clear();
    Refresh();
}

void SkinButton::hideEvent(QHideEvent*) { m_extenderToolTip = m_props.toolTip; }

void SkinButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::ThemeChange:
        Refresh();
        break;
    case QEvent::EnabledChange:
        if (isEnabled())
            m_interaction.reset();
        Refresh();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

QString withoutMnemonic(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

} // namespace skin
