#include "SkinButton.h"
#include "SkinButton_p.h"

#include "AboutPanel.h"
#include "QtPropertyTypes.h"
#include "SkinButtonAccessible.h"
#include "ToolTipWindow.h"
#include "WindowShape.h"
#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/CaptionFormat.h"

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

SkinButtonPrivate::SkinButtonPrivate(SkinButton* owner, std::unique_ptr<ThemePainter> painter, ColorSource colors,
                                     std::unique_ptr<LinkOpener> opener)
    : q(owner),
      theme(painter ? std::move(painter) : std::make_unique<StyleThemePainter>()),
      surface(1, 1),
      links(opener ? std::move(opener) : std::make_unique<DesktopLinkOpener>()),
      colorSource(colors)
{
}

SkinButton* SkinButtonPrivate::create(QWidget* parent, std::unique_ptr<ThemePainter> theme, ColorSource colors,
                                      std::unique_ptr<LinkOpener> links)
{
    return new SkinButton(parent, std::make_unique<SkinButtonPrivate>(nullptr, std::move(theme), colors, std::move(links)));
}

SkinButton* newSkinButton(QWidget* parent, std::unique_ptr<ThemePainter> theme, ColorSource colors,
                          std::unique_ptr<LinkOpener> links)
{
    return SkinButtonPrivate::create(parent, std::move(theme), colors, std::move(links));
}

SkinButton::SkinButton(QWidget* parent)
    : SkinButton(parent, std::make_unique<SkinButtonPrivate>(nullptr, nullptr, ColorSource::Desktop, nullptr))
{
}

SkinButton::SkinButton(QWidget* parent, std::unique_ptr<SkinButtonPrivate> dd) : QAbstractButton(parent), d(std::move(dd))
{
    d->q = this;
    d->surface.resize(width(), height());
    installSkinButtonAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kMinimumSide, kMinimumSide);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    new ToolTipController(this); // owned as a child; also keeps Qt's own tooltip away
    // Click with every clicked(), ahead of the program's own slots.
    connect(this, &QAbstractButton::clicked, this, &SkinButton::Click);
    initProperties();
}

SkinButton::~SkinButton() = default;

SkinButtonPrivate* privateOf(const SkinButton& button) { return button.d.get(); }

SystemColors systemColorsOf(const SkinButton& button) { return privateOf(button)->systemColors(); }
ColorSource colorSourceOf(const SkinButton& button) { return privateOf(button)->colorSource; }
bool isPointerTracked(const SkinButton& button) { return !privateOf(button)->designMode; }
int captionFormatOf(const SkinButton& button) { return privateOf(button)->captionFormat; }
Rect clientRectOf(const SkinButton& button) { return privateOf(button)->clientRect; }
Rect captionRectOf(const SkinButton& button) { return privateOf(button)->captionRect; }
const QImage& surfaceImageOf(const SkinButton& button) { return privateOf(button)->surface.image(); }

// ---- stored form

PropertyHost SkinButtonPrivate::propertyHost() const
{
    const SystemColors colors = systemColors();
    return PropertyHost{q->objectName(), extenderToolTip, props.font, [colors](int index) { return colors.color(index); }};
}

void SkinButton::initProperties()
{
    // A new button's font is the one it inherits, until one is set.
    d->fontSet = false;
    {
        const QScopedValueRollback<bool> ownWrite(d->syncingWidget, true);
        QWidget::setFont(QFont());
    }
    PropertyHost host = d->propertyHost();
    host.surfaceFont = StoredFont{font(), designFont().charset};
    d->props = initialProperties(host);
    d->captionFormat = kNewControlCaptionFormat;
    d->pushToButton();
    d->syncWidget();
    // At run time a new button starts at its resting look, as a loaded one does.
    d->interaction.setState(d->designMode ? StateUnset : StateNormal);
}

void SkinButtonPrivate::syncWidget()
{
    const QScopedValueRollback<bool> ownWrite(syncingWidget, true);
    surface.setFont(props.font.font);
    if (fontSet)
        q->QWidget::setFont(props.font.font);
    q->QWidget::setEnabled(props.enabled);
    q->QWidget::setToolTip(props.toolTip);
}

void SkinButtonPrivate::pushToButton(const PropertyMember* only, bool checked)
{
    const auto pushes = [only](const PropertyMember& member) { return only == nullptr || *only == member; };
    const QScopedValueRollback<bool> ownWrite(syncingWidget, true);
    if (pushes(&ButtonProperties::caption) && q->text() != props.caption)
        q->QAbstractButton::setText(props.caption);
    const bool checkable = props.buttonType == SkinButton::ToggleButton;
    if (pushes(&ButtonProperties::buttonType) && q->isCheckable() != checkable)
        q->setCheckable(checkable);
    const bool pushesChecked = pushes(&ButtonProperties::value) || pushes(&ButtonProperties::buttonType);
    if (checked && pushesChecked && checkable && q->isCheckable() && q->isChecked() != props.value) {
        QPointer<SkinButton> self(q);
        q->QAbstractButton::setChecked(props.value); // toggled(), and the button group
        if (self && q->isChecked() != props.value)
            props.value = q->isChecked(); // an exclusive group's checked button stays checked
    }
    if (pushes(&ButtonProperties::icon) && props.icon.image.cacheKey() != pushedIconImage) {
        pushedIconImage = props.icon.image.cacheKey();
        q->QAbstractButton::setIcon(props.icon.isNull() ? QIcon() : QIcon(QPixmap::fromImage(props.icon.image)));
        pushedIcon = q->icon().cacheKey();
    }
    if (pushes(&ButtonProperties::iconSize) && props.iconSize != pushedIconSide) {
        q->QAbstractButton::setIconSize(QSize(props.iconSize, props.iconSize));
        pushedIconSide = props.iconSize;
        pushedIconSize = q->iconSize(); // Qt's default size for a side below 0
    }
}

void SkinButtonPrivate::adoptFromButton()
{
    if (syncingWidget || holdAdopt)
        return;
    QPointer<SkinButton> self(q);
    if (q->text() != props.caption)
        q->setCaption(q->text());
    if (!self)
        return;
    const bool checkable = props.buttonType == SkinButton::ToggleButton;
    if (q->isCheckable() != checkable) {
        q->setButtonType(q->isCheckable() ? SkinButton::ToggleButton : SkinButton::PushButton);
        if (self && props.value != q->isChecked())
            q->setValue(q->isChecked());
    } else if (checkable && q->isChecked() != props.value) {
        q->setValue(q->isChecked());
    }
    if (!self)
        return;
    if (q->icon().cacheKey() != pushedIcon) {
        const Picture picture = q->Icon();
        pushedIcon = q->icon().cacheKey(); // Qt's icon stays as given
        pushedIconImage = picture.image.cacheKey();
        q->setIcon(picture);
    }
    if (!self)
        return;
    if (q->iconSize() != pushedIconSize)
        q->setIconSize(q->IconSize());
    if (!self)
        return;
    // setDown() and animateClick() from outside: pressed while down, resting after.
    if (q->isDown() != knownDown) {
        knownDown = q->isDown();
        if (knownDown)
            interaction.setState(StatePressed);
        else
            unlatch();
        q->Refresh();
    }
}

QString SkinButtonPrivate::displayName() const
{
    return q->objectName().isEmpty() ? QStringLiteral("SkinButton") : q->objectName();
}

bool SkinButton::readProperties(const PropertyBag& bag, QString* error)
{
    d->interaction.setState(StateNormal);
    QStringList warnings;
    const std::optional<QString> failure = skin::readProperties(bag, d->props, d->propertyHost(), &warnings);
    for (const QString& warning : warnings)
        qWarning().noquote() << QStringLiteral("%1: stored picture not loaded, the button shows none: %2").arg(d->displayName(), warning);
    if (bag.contains(QStringLiteral("Font")))
        d->fontSet = true; // a font stored in a form stays as stored
    d->captionFormat = 0;  // a loaded button's format comes from its first layout
    d->pushToButton();
    d->syncWidget();
    d->applyLayout();
    if (failure) {
        const QString reason = QStringLiteral("%1: stored properties not fully loaded: %2").arg(d->displayName(), *failure);
        if (error)
            *error = reason;
        else
            qWarning().noquote() << reason;
    }
    return !failure;
}

ButtonProperties SkinButtonPrivate::current() const
{
    ButtonProperties p = props;
    p.caption = q->Caption();
    p.buttonType = q->ButtonType();
    p.value = q->value();
    p.icon = q->Icon();
    p.iconSize = q->IconSize();
    return p;
}

void SkinButton::writeProperties(PropertyBag& bag) const { skin::writeProperties(d->current(), bag, d->propertyHost()); }

PropertyBag SkinButton::writeProperties() const
{
    PropertyBag bag;
    writeProperties(bag);
    return bag;
}

bool SkinButton::isDesignMode() const { return d->designMode; }

void SkinButton::setDesignMode(bool designMode)
{
    d->designMode = designMode;
    if (!designMode && d->interaction.state() == StateUnset)
        d->interaction.setState(StateNormal);
    Refresh();
}

QString SkinButton::extenderToolTipText() const { return d->extenderToolTip; }
void SkinButton::setExtenderToolTipText(const QString& text) { d->extenderToolTip = text; }

SystemColors SkinButtonPrivate::systemColors() const
{
    return colorSource == ColorSource::Reference ? SystemColors::reference() : SystemColors::fromPalette(q->palette());
}

VisualState SkinButton::visualState() const { return d->interaction.state(); }
bool SkinButton::hasFocusFlag() const { return d->interaction.hasFocus(); }
int SkinButton::lastReleasedButton() const { return d->interaction.lastReleased(); }
QImage SkinButton::surfaceImage() const { return d->surface.image(); }

// ---- property reads

SkinButton::ButtonStyle SkinButton::Style() const { return ButtonStyle(d->props.style); }
QString SkinButton::Caption() const { return text(); }
Picture SkinButton::Icon() const
{
    if (icon().cacheKey() == d->pushedIcon)
        return d->props.icon;
    // An icon given through QAbstractButton::setIcon: the picture at the icon's size.
    const int side = IconSize();
    return icon().isNull() ? Picture{} : Picture{QString(), icon().pixmap(QSize(side, side)).toImage()};
}
QPixmap SkinButton::IconPixmap() const { return toPixmap(Icon()); }
SkinButton::ButtonAlign SkinButton::IconAlign() const { return ButtonAlign(d->props.iconAlign); }
int SkinButton::IconSize() const
{
    const QSize size = iconSize();
    return size == d->pushedIconSize ? d->props.iconSize : qMax(size.width(), size.height());
}
SkinButton::ButtonAlign SkinButton::CaptionAlign() const { return ButtonAlign(d->props.captionAlign); }
SkinButton::ButtonStyle SkinButton::NonThemeStyle() const { return ButtonStyle(d->props.nonThemeStyle); }
bool SkinButton::Enabled() const { return d->props.enabled; }
bool SkinButton::ShowFocus() const { return d->props.showFocus; }
bool SkinButton::UseCustomColors() const { return d->props.useCustomColors; }
Color SkinButton::BackColor() const { return d->props.backColor; }
QColor SkinButton::qBackColor() const { return toQColor(d->props.backColor); }
Color SkinButton::HighlightColor() const { return d->props.highlightColor; }
QColor SkinButton::qHighlightColor() const { return toQColor(d->props.highlightColor); }
Color SkinButton::FontColor() const { return d->props.fontColor; }
QColor SkinButton::qFontColor() const { return toQColor(d->props.fontColor); }
Color SkinButton::FontHighlightColor() const { return d->props.fontHighlightColor; }
QColor SkinButton::qFontHighlightColor() const { return toQColor(d->props.fontHighlightColor); }
QString SkinButton::ToolTip() const { return d->props.toolTip; }
QString SkinButton::ToolTipTitle() const { return d->props.toolTipTitle; }
SkinButton::TipIcon SkinButton::ToolTipIcon() const { return TipIcon(d->props.toolTipIcon); }
SkinButton::TipShape SkinButton::ToolTipType() const { return TipShape(d->props.toolTipType); }
Color SkinButton::ToolTipBackColor() const { return d->props.toolTipBackColor; }
QColor SkinButton::qToolTipBackColor() const { return toQColor(d->props.toolTipBackColor); }
Color SkinButton::ToolTipForeColor() const { return d->props.toolTipForeColor; }
QColor SkinButton::qToolTipForeColor() const { return toQColor(d->props.toolTipForeColor); }
QFont SkinButton::Font() const { return d->props.font.font; }
SkinButton::ButtonKind SkinButton::ButtonType() const
{
    // Checkable is ButtonType 1; a number other than 0 and 1 stays as stored on a button that is not.
    if (isCheckable())
        return ToggleButton;
    return d->props.buttonType == ToggleButton ? PushButton : ButtonKind(d->props.buttonType);
}
bool SkinButton::value() const
{
    // While the value is being written Qt's checked state follows it after the notifications.
    return isCheckable() && !d->holdAdopt && !d->syncingWidget ? isChecked() : d->props.value;
}

// ---- property writes

void SkinButton::setStyle(int NewStyle) { d->write(&ButtonProperties::style, NewStyle); }
void SkinButton::setIcon(const Picture& NewIcon) { d->write(&ButtonProperties::icon, NewIcon); }
void SkinButton::setIcon(const QImage& NewIcon) { setIcon(Picture{QString(), NewIcon}); }
void SkinButton::setIcon(const QPixmap& NewIcon) { setIcon(fromPixmap(NewIcon)); }
void SkinButton::setIconAlign(int NewIconAlign) { d->write(&ButtonProperties::iconAlign, NewIconAlign); }
void SkinButton::setIconSize(int NewIconSize) { d->write(&ButtonProperties::iconSize, NewIconSize); }
void SkinButton::setCaptionAlign(int NewCaptionAlign) { d->write(&ButtonProperties::captionAlign, NewCaptionAlign); }
void SkinButton::setNonThemeStyle(int NewNonThemeStyle) { d->write(&ButtonProperties::nonThemeStyle, NewNonThemeStyle); }
void SkinButton::setEnabled(bool NewEnabled) { d->write(&ButtonProperties::enabled, NewEnabled); }
void SkinButton::setShowFocus(bool NewShowFocus) { d->write(&ButtonProperties::showFocus, NewShowFocus); }
void SkinButton::setUseCustomColors(bool NewUseCustomColors) { d->write(&ButtonProperties::useCustomColors, NewUseCustomColors); }
void SkinButton::setBackColor(Color NewBackColor) { d->write(&ButtonProperties::backColor, NewBackColor); }
void SkinButton::setBackColor(const QColor& NewBackColor) { setBackColor(fromQColor(NewBackColor)); }
void SkinButton::setHighlightColor(Color NewHighlightColor) { d->write(&ButtonProperties::highlightColor, NewHighlightColor); }
void SkinButton::setHighlightColor(const QColor& NewHighlightColor) { setHighlightColor(fromQColor(NewHighlightColor)); }
void SkinButton::setFontColor(Color NewFontColor) { d->write(&ButtonProperties::fontColor, NewFontColor); }
void SkinButton::setFontColor(const QColor& NewFontColor) { setFontColor(fromQColor(NewFontColor)); }
void SkinButton::setFontHighlightColor(Color NewColor) { d->write(&ButtonProperties::fontHighlightColor, NewColor); }
void SkinButton::setFontHighlightColor(const QColor& NewColor) { setFontHighlightColor(fromQColor(NewColor)); }
void SkinButton::setToolTipTitle(const QString& NewToolTipTitle) { d->write(&ButtonProperties::toolTipTitle, NewToolTipTitle); }
void SkinButton::setToolTipIcon(int NewToolTipIcon) { d->write(&ButtonProperties::toolTipIcon, NewToolTipIcon); }
void SkinButton::setToolTipType(int NewToolTipType) { d->write(&ButtonProperties::toolTipType, NewToolTipType); }
void SkinButton::setToolTipBackColor(Color NewColor) { d->write(&ButtonProperties::toolTipBackColor, NewColor); }
void SkinButton::setToolTipBackColor(const QColor& NewColor) { setToolTipBackColor(fromQColor(NewColor)); }
void SkinButton::setToolTipForeColor(Color NewColor) { d->write(&ButtonProperties::toolTipForeColor, NewColor); }
void SkinButton::setToolTipForeColor(const QColor& NewColor) { setToolTipForeColor(fromQColor(NewColor)); }
void SkinButton::resetBackColor() { d->resetColor(&ButtonProperties::backColor); }
void SkinButton::resetHighlightColor() { d->resetColor(&ButtonProperties::highlightColor); }
void SkinButton::resetFontColor() { d->resetColor(&ButtonProperties::fontColor); }
void SkinButton::resetFontHighlightColor() { d->resetColor(&ButtonProperties::fontHighlightColor); }
void SkinButton::resetToolTipBackColor() { d->resetColor(&ButtonProperties::toolTipBackColor); }
void SkinButton::resetToolTipForeColor() { d->resetColor(&ButtonProperties::toolTipForeColor); }
void SkinButton::setButtonType(int NewButtonType) { d->write(&ButtonProperties::buttonType, NewButtonType); }

void SkinButtonPrivate::afterWrite(const PropertyMember& member) { afterWrite(propertyRow(member)); }

void SkinButtonPrivate::afterWrite(const PropertyRow& row)
{
    QPointer<SkinButton> self(q);
    switch (row.onWrite) {
    case OnWrite::Relayout:
        notify(row);
        if (self) {
            q->updateGeometry();
            applyLayout();
        }
        break;
    case OnWrite::Repaint:
        notify(row);
        if (self)
            q->Refresh();
        break;
    case OnWrite::Enabled:
        interaction.reset();
        q->Refresh();
        notify(row);
        if (self)
            syncWidget();
        break;
    case OnWrite::Font:
        syncWidget();
        q->updateGeometry();
        q->Refresh();
        notify(row);
        break;
    }
}

void SkinButtonPrivate::notify(const PropertyRow& row)
{
    QPointer<SkinButton> self(q);
    Q_EMIT q->propertyChanged(QLatin1String(row.notified));
    if (!self)
        return;
    const QMetaProperty property = q->metaObject()->property(q->metaObject()->indexOfProperty(row.name));
    property.notifySignal().invoke(q);
}

void SkinButton::setCaption(const QString& NewCaption)
{
    // Qt's setText also takes the mnemonic as the shortcut and tells assistive technology.
    d->write(&ButtonProperties::caption, NewCaption);
}

void SkinButton::setToolTip(const QString& NewToolTip)
{
    QPointer<SkinButton> self(this);
    d->write(&ButtonProperties::toolTip, NewToolTip);
    // Qt's own tip window never shows (see event()); QWidget's text stays the same for
    // whoever reads it, assistive technology among them.
    if (self)
        d->syncWidget();
}

void SkinButton::setFont(const QFont& NewFont)
{
    d->fontSet = true;
    d->write(&ButtonProperties::font, StoredFont{NewFont, d->props.font.charset});
}

void SkinButton::setValue(bool NewValue)
{
    const bool changed = NewValue != value();
    QPointer<SkinButton> self(this);
    if (!NewValue)
        d->unlatch();
    d->write(&ButtonProperties::value, NewValue);
    if (!self || !changed)
        return;
    notifyAccessibleValueChanged(this);
    // A toggle button's toggled() came with Qt's setChecked; a push button's value is the
    // control's own.
    if (!isCheckable())
        Q_EMIT toggled(NewValue);
}

void SkinButtonPrivate::unlatch()
{
    if (interaction.state() == StatePressed && !q->isDown())
        interaction.setState(interaction.pointerInside() && !designMode ? StateHot : StateNormal);
}

void SkinButtonPrivate::resetColor(Color ButtonProperties::*member)
{
    const PropertyRow& row = propertyRow(member);
    write(member, resolve(row.initial, row, propertyHost()).toColour().value_or(kInvalidColor));
}

// ---- Qt's checked state

void SkinButton::checkStateSet()
{
    // setChecked() from outside (a button group unchecking its other buttons among them).
    d->adoptFromButton();
}

void SkinButton::nextCheckState()
{
    // A click's flip: the value, a repaint and valueChanged, then Qt's setChecked (toggled()
    // and the button group).
    if (!isCheckable())
        return;
    const bool next = !isChecked();
    QPointer<SkinButton> self(this);
    {
        const QScopedValueRollback<bool> ownWrite(d->holdAdopt, true);
        d->props.value = next;
        if (!next)
            d->unlatch(); // an exclusive group's previous button, unchecked by this click's flip
        notifyAccessibleValueChanged(this);
        Refresh();
        Q_EMIT valueChanged();
    }
    if (self)
        QAbstractButton::setChecked(next);
}

// ---- methods

void SkinButton::About()
{
    QPointer<SkinButton> self(this);
    Q_EMIT aboutRequested();
    if (self)
        showAboutPanel(this);
}

void SkinButton::Refresh()
{
    d->adoptFromButton();
    const RefreshResult result = refreshButton(d->snapshot(), d->surface, d->systemColors(), *d->theme, devicePixelRatioF());
    d->interaction.setState(result.state);
    d->props.style = result.style;
    update();
}

QString SkinButton::Version() const
{
    return QStringLiteral("%1.%2").arg(SKINBUTTON_VERSION_MAJOR).arg(SKINBUTTON_VERSION_MINOR);
}

int SkinButton::OpenLink(const QString& sLink)
{
    const QUrl url = QUrl::fromUserInput(sLink);
    if (!url.isValid() || url.isEmpty())
        return kNoHandlerForLink;
    return d->links->open(url) ? kLinkOpened : kNoHandlerForLink;
}

// ---- painting and layout

ButtonLook SkinButtonPrivate::snapshot() const
{
    ButtonLook look;
    copyToLook(props, look);
    look.state = interaction.state();
    // A disabled window disables its buttons' looks as well as their input.
    look.enabled = props.enabled && q->isEnabled();
    look.hasFocus = interaction.hasFocus();
    look.userMode = !designMode;
    look.captionFormat = captionFormat;
    look.clientRect = clientRect;
    look.captionRect = captionRect;
    return look;
}

void SkinButtonPrivate::applyLayout()
{
    const int w = q->width();
    const int h = q->height();
    clientRect = Rect{0, 0, w, h};
    captionRect = Rect{4, 4, w - 4, h - 4};
    captionFormat = captionFormatFor(props.captionAlign, captionFormat);
    if (surface.width() != w || surface.height() != h)
        surface.resize(w, h);
    const QRegion shape = windowRegion(props.style, w, h);
    if (shape == QRegion(q->rect()))
        q->clearMask();
    else
        q->setMask(shape);
    q->Refresh();
}

void SkinButton::paintEvent(QPaintEvent*)
{
    // What was written through QAbstractButton's own setters first, then face and frame in
    // logical pixels, caption and icon at the screen's own resolution.
    d->adoptFromButton();
    if (d->surface.deviceRatio() != devicePixelRatioF())
        Refresh(); // moved to a screen of another scale
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QPoint(0, 0), d->surface.deviceImage());
}

void SkinButton::resizeEvent(QResizeEvent*) { d->applyLayout(); }

QSize SkinButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    QSize content = metrics.size(Qt::TextShowMnemonic, text());
    const Picture picture = Icon();
    if (!picture.isNull()) {
        const int side = IconSize();
        if (d->props.iconAlign == AlignTop || d->props.iconAlign == AlignBottom)
            content = QSize(qMax(content.width(), side), content.height() + side + 2);
        else
            content = QSize(content.width() + side + 4, qMax(content.height(), side));
    }
    return QSize(qMax(75, content.width() + 16 + 2 * cornerInset(d->props.style)), qMax(23, content.height() + 10));
}

QSize SkinButton::minimumSizeHint() const { return QSize(kMinimumSide, kMinimumSide); }

} // namespace skin
