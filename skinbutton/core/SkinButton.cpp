#include "SkinButton.h"

#include "AboutPanel.h"
#include "SkinButtonAccessible.h"
#include "ToolTipWindow.h"
#include "PropertyTable.h"
#include "WindowShape.h"
#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/CaptionFormat.h"
#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"
#include "skinbutton/render/ThemePainter.h"

#include <QFontMetrics>
#include <QMetaProperty>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QtDebug>

namespace skin {

namespace {

// The room a style's cut or rounded corners take from each side of the caption.
int cornerInset(int style)
{
    switch (style) {
    case SkinButton::RoundedGradient:
    case SkinButton::FramedGradient: return 2;
    case SkinButton::ShadowedBevel:
    case SkinButton::GlossyTile: return 4;
    case SkinButton::PixelArtGel: return 6;
    default: return 0;
    }
}

// OpenLink's results, as the shell has always reported them: above 32 is success.
constexpr int kLinkOpened = 42;
constexpr int kNoHandlerForLink = 31;

} // namespace

struct SkinButton::Painting {
    std::unique_ptr<ThemePainter> theme;
    Surface surface;
    Rect clientRect;
    Rect captionRect;
};

SkinButton::SkinButton(QWidget* parent) : SkinButton(parent, nullptr) {}

SkinButton::SkinButton(QWidget* parent, std::unique_ptr<ThemePainter> theme, ColorSource colors,
                       std::unique_ptr<LinkOpener> links)
    : QWidget(parent),
      m_painting(std::make_unique<Painting>(
          Painting{theme ? std::move(theme) : std::make_unique<StyleThemePainter>(), Surface(width(), height()), {}, {}})),
      m_links(links ? std::move(links) : std::make_unique<DesktopLinkOpener>()),
      m_colorSource(colors)
{
    installSkinButtonAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kMinimumSide, kMinimumSide);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    new ToolTipController(this); // owned as a child; also keeps Qt's own tooltip away
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
    syncWidget();
    m_interaction.setState(StateUnset);
}

void SkinButton::syncWidget()
{
    const QScopedValueRollback<bool> ownWrite(m_syncingWidget, true);
    m_painting->surface.setFont(m_props.font.font);
    QWidget::setFont(m_props.font.font);
    QWidget::setEnabled(m_props.enabled);
    QWidget::setToolTip(m_props.toolTip);
    updateMnemonic();
}

QString SkinButton::displayName() const
{
    return objectName().isEmpty() ? QStringLiteral("SkinButton") : objectName();
}

bool SkinButton::readProperties(const PropertyBag& bag, QString* error)
{
    m_interaction.setState(StateNormal);
    QStringList warnings;
    const std::optional<QString> failure = skin::readProperties(bag, m_props, propertyHost(), &warnings);
    for (const QString& warning : warnings)
        qWarning().noquote() << QStringLiteral("%1: stored picture not loaded, the button shows none: %2").arg(displayName(), warning);
    m_captionFormat = 0; // a loaded button's format comes from its first layout
    syncWidget();
    applyLayout();
    if (failure) {
        const QString reason = QStringLiteral("%1: stored properties not fully loaded: %2").arg(displayName(), *failure);
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
    updateMnemonic();
    Refresh();
}

SystemColors SkinButton::systemColors() const
{
    return m_colorSource == ColorSource::Reference ? SystemColors::reference() : SystemColors::fromPalette(palette());
}

// ---- property writes

void SkinButton::afterWrite(const PropertyMember& member) { afterWrite(propertyRow(member)); }

void SkinButton::afterWrite(const PropertyRow& row)
{
    QPointer<SkinButton> self(this);
    switch (row.onWrite) {
    case OnWrite::Relayout:
        notify(row);
        if (self)
            applyLayout();
        break;
    case OnWrite::Repaint:
        notify(row);
        if (self)
            Refresh();
        break;
    case OnWrite::Enabled:
        m_interaction.reset();
        Refresh();
        notify(row);
        if (self)
            syncWidget();
        break;
    case OnWrite::Font:
        syncWidget();
        Refresh();
        notify(row);
        break;
    }
}

void SkinButton::notify(const PropertyRow& row)
{
    QPointer<SkinButton> self(this);
    emit propertyChanged(QLatin1String(row.notified));
    if (!self)
        return;
    const QMetaProperty property = metaObject()->property(metaObject()->indexOfProperty(row.name));
    property.notifySignal().invoke(this);
}

void SkinButton::setCaption(const QString& NewCaption)
{
    QPointer<SkinButton> self(this);
    write(&ButtonProperties::caption, NewCaption);
    if (!self)
        return;
    updateMnemonic();
    notifyAccessibleNameChanged(this);
}

void SkinButton::setToolTip(const QString& NewToolTip)
{
    QPointer<SkinButton> self(this);
    write(&ButtonProperties::toolTip, NewToolTip);
    // Qt's own tip window never shows (see event()); QWidget's text stays the same for
    // whoever reads it, assistive technology among them.
    if (self)
        syncWidget();
}

void SkinButton::setFont(const QFont& NewFont) { write(&ButtonProperties::font, StoredFont{NewFont, m_props.font.charset}); }

void SkinButton::setValue(bool NewValue)
{
    const bool changed = NewValue != m_props.value;
    QPointer<SkinButton> self(this);
    write(&ButtonProperties::value, NewValue);
    if (self && changed) {
        notifyAccessibleValueChanged(this);
        emit toggled(NewValue);
    }
}

void SkinButton::resetColor(Color ButtonProperties::*member)
{
    const PropertyRow& row = propertyRow(member);
    write(member, resolve(row.initial, row, propertyHost()).toColour().value_or(kInvalidColor));
}

// ---- methods

void SkinButton::About()
{
    QPointer<SkinButton> self(this);
    emit aboutRequested();
    if (self)
        showAboutPanel(this);
}

void SkinButton::Refresh()
{
    const RefreshResult result = refreshButton(snapshot(), m_painting->surface, systemColors(), *m_painting->theme, devicePixelRatioF());
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
    copyToLook(m_props, look);
    look.state = m_interaction.state();
    // A disabled window disables its buttons' looks as well as their input.
    look.enabled = m_props.enabled && isEnabled();
    look.hasFocus = m_interaction.hasFocus();
    look.userMode = !m_designMode;
    look.captionFormat = m_captionFormat;
    look.clientRect = m_painting->clientRect;
    look.captionRect = m_painting->captionRect;
    return look;
}

void SkinButton::applyLayout()
{
    const int w = width();
    const int h = height();
    m_painting->clientRect = Rect{0, 0, w, h};
    m_painting->captionRect = Rect{4, 4, w - 4, h - 4};
    m_captionFormat = captionFormatFor(m_props.captionAlign, m_captionFormat);
    if (m_painting->surface.width() != w || m_painting->surface.height() != h)
        m_painting->surface.resize(w, h);
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
    if (m_painting->surface.deviceRatio() != devicePixelRatioF())
        Refresh(); // moved to a screen of another scale
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPoint(0, 0), m_painting->surface.deviceImage());
}

void SkinButton::resizeEvent(QResizeEvent*) { applyLayout(); }

Rect SkinButton::clientRect() const { return m_painting->clientRect; }

Rect SkinButton::captionRect() const { return m_painting->captionRect; }

const QImage& SkinButton::surfaceImage() const { return m_painting->surface.image(); }

QSize SkinButton::sizeHint() const
{
    const QFontMetrics metrics(m_props.font.font);
    QSize content = metrics.size(Qt::TextShowMnemonic, m_props.caption);
    if (!m_props.icon.isNull()) {
        const int icon = m_props.iconSize;
        if (m_props.iconAlign == AlignTop || m_props.iconAlign == AlignBottom)
            content = QSize(qMax(content.width(), icon), content.height() + icon + 2);
        else
            content = QSize(content.width() + icon + 4, qMax(content.height(), icon));
    }
    return QSize(qMax(75, content.width() + 16 + 2 * cornerInset(m_props.style)), qMax(23, content.height() + 10));
}

QSize SkinButton::minimumSizeHint() const { return QSize(kMinimumSide, kMinimumSide); }


} // namespace skin
