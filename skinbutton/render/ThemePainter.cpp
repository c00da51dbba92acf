#include "ThemePainter.h"

#include "ButtonLook.h"
#include "Surface.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <utility>

namespace skin {

namespace {

QStyle::State styleStateFor(VisualState themeState)
{
    QStyle::State state = QStyle::State_Enabled | QStyle::State_Raised;
    switch (themeState) {
    case StateHot: state |= QStyle::State_MouseOver; break;
    case StatePressed: state = (state & ~QStyle::State_Raised) | QStyle::State_Sunken; break;
    case StateDisabled: state &= ~QStyle::State_Enabled; break;
    default: break;
    }
    return state;
}

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

} // namespace

bool StyleThemePainter::drawPushButton(Surface& surface, const Rect& clip, VisualState themeState,
                                       std::optional<Color> face)
{
    // QStyle lives in QApplication; a plain QGuiApplication (or none) has no theme to offer.
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const QImage& before = std::as_const(surface).image();
    if (app == nullptr || QApplication::style() == nullptr || before.isNull())
        return false;
    const QRect area = toQRect(clip);
    if (area.isEmpty())
        return false;

    QStyle* style = QApplication::style();
    const bool plain = surface.isAllBackColor();
    const Drawn drawn{before.size(), clip, themeState, surface.backColor(), face, QApplication::palette().cacheKey(),
                      style, style->name()};
    if (const QImage* pixels = plain ? m_drawn.find(drawn) : nullptr) {
        surface.copyPixels(*pixels);
        return true;
    }

    QStyleOptionButton option;
    option.rect = area;
    option.palette = QApplication::palette();
    if (face)
        option.palette.setColor(QPalette::Button, QColor::fromRgb(toQRgb(*face)));
    option.state = styleStateFor(themeState);
    if (themeState == StateDefaulted)
        option.features |= QStyleOptionButton::DefaultButton;
    if (themeState == StateDisabled)
        option.palette.setCurrentColorGroup(QPalette::Disabled);

    QPainter painter(&surface.image());
    if (!painter.isActive())
        return false;
    if (area != surface.image().rect()) // a clip the size of the image only costs time
        painter.setClipRect(area);
    style->drawControl(QStyle::CE_PushButton, &option, &painter, nullptr);
    painter.end();
    if (plain)
        m_drawn.keep(drawn, surface.image());
    return true;
}

} // namespace skin
