#include "SkinButton.h"
#include "SkinButton_p.h"

#include "AboutPanel.h"
#include "DefaultButton.h"
#include "QtPropertyTypes.h"
#include "SkinButtonAccessible.h"
#include "ToolTipWindow.h"
#include "skinbutton/render/CaptionFormat.h"

#include <QPointer>
#include <QScopedValueRollback>
#include <QtDebug>

namespace skin {

namespace {

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
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    new ToolTipController(this); // owned as a child; also keeps Qt's own tooltip away
    new DefaultButtonWatch(this);
    // Click with every clicked(), ahead of the program's own slots.
    connect(this, &QAbstractButton::clicked, this, &SkinButton::Click);
    initProperties();
}

SkinButton::~SkinButton() = default;

SkinButtonPrivate* privateOf(const SkinButton& button) { return SkinButtonPrivate::of(button); }

SystemColors systemColorsOf(const SkinButton& button) { return privateOf(button)->systemColors(); }
ColorSource colorSourceOf(const SkinButton& button) { return privateOf(button)->colorSource; }
bool isPointerTracked(const SkinButton& button) { return !privateOf(button)->designMode; }
int captionFormatOf(const SkinButton& button) { return privateOf(button)->captionFormat; }
Rect clientRectOf(const SkinButton& button) { return privateOf(button)->clientRect; }
Rect captionRectOf(const SkinButton& button) { return privateOf(button)->captionRect; }
const QImage& surfaceImageOf(const SkinButton& button) { return privateOf(button)->surface.image(); }
bool hasFocusFlagOf(const SkinButton& button) { return privateOf(button)->interaction.hasFocus(); }
int lastReleasedButtonOf(const SkinButton& button) { return privateOf(button)->interaction.lastReleased(); }

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
    d->storedForm = false;
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
        q->QAbstractButton::setCheckable(checkable);
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
        // Made checkable and checked in one go (setCheckable, then setChecked or toggle): the
        // checked state comes in with the flag, so that writing ButtonType cannot hand Qt's
        // face the stale value back.
        const bool checked = q->isChecked();
        const bool valueMoves = q->isCheckable() && checked != props.value;
        if (valueMoves)
            props.value = checked;
        q->setButtonType(q->isCheckable() ? SkinButton::ToggleButton : SkinButton::PushButton);
        if (self && valueMoves)
            q->setValue(checked); // notified as a write; toggled() is Qt's own
    } else if (checkable && q->isChecked() != props.value) {
        q->setValue(q->isChecked());
    }
    if (!self)
        return;
    if (q->icon().cacheKey() != pushedIcon) {
        const Picture picture = q->Icon();
        pushedIcon = q->icon().cacheKey(); // Qt's icon stays as given
        pushedIconImage = picture.image.cacheKey();
        iconFromQt = !picture.isNull();
        write(&ButtonProperties::icon, picture);
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
    d->iconFromQt = false;
    d->storedForm = true;
    if (bag.contains(QStringLiteral("Font")))
        d->fontSet = true; // a font stored in a form stays as stored
    d->captionFormat = 0;  // a loaded button's format comes from its first layout
    // Enter does nothing in a stored form's button itself, unless the program says otherwise.
    if (!d->autoDefault)
        d->autoDefault = false;
    // A stored form's button is never smaller than 20 pixels each way, as its host always kept
    // it; one made in code or in Designer has no fixed minimum (layouts go by minimumSizeHint()).
    setMinimumSize(kMinimumSide, kMinimumSide);
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

} // namespace skin
