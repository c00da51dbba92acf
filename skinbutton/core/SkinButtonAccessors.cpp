// SkinButton's property accessors, and what a write sets off: a new layout, a repaint, Qt's
// own state brought along, and the change signals.
#include "SkinButton.h"
#include "SkinButton_p.h"

#include "QtPropertyTypes.h"
#include "SkinButtonAccessible.h"

#include <QMetaProperty>
#include <QPointer>

namespace skin {

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
void SkinButton::setIcon(const Picture& NewIcon)
{
    d->iconFromQt = false; // a written picture goes where IconAlign puts it
    d->write(&ButtonProperties::icon, NewIcon);
}
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

// ---- Qt's face: QAbstractButton's own (non-virtual) setters, then taken in at once. Called
// through a QAbstractButton pointer they bypass these; that is taken in at the next event.

void SkinButton::setText(const QString& text) { setCaption(text); }

void SkinButton::setIcon(const QIcon& icon)
{
    QAbstractButton::setIcon(icon);
    d->adoptFromButton();
}

void SkinButton::setIconSize(const QSize& size)
{
    QAbstractButton::setIconSize(size);
    d->adoptFromButton();
}

void SkinButton::setCheckable(bool checkable)
{
    QAbstractButton::setCheckable(checkable);
    d->adoptFromButton();
}

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

} // namespace skin
