#include "FocusRing.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

#include <cmath>

namespace zarvok::forms {
namespace {

double luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor focusColourOn(const QColor& accent, const QColor& background)
{
    constexpr double kVisible = 3.0; // WCAG's contrast for a focus indicator
    const QColor towards = luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    QColor colour = accent.toRgb();
    for (int step = 1; step <= 20 && contrastRatio(colour, background) < kVisible; ++step) {
        const double t = step / 20.0;
        colour = QColor::fromRgbF(float(accent.redF() + (towards.redF() - accent.redF()) * t),
                                  float(accent.greenF() + (towards.greenF() - accent.greenF()) * t),
                                  float(accent.blueF() + (towards.blueF() - accent.blueF()) * t));
    }
    return colour;
}

FocusRing::FocusRing(QWidget* target)
    : QWidget(target->parentWidget())
    , m_target(target)
{
    setObjectName(target->objectName() + QStringLiteral("FocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    target->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &FocusRing::follow);
    follow();
}

void FocusRing::follow()
{
    if (!m_target)
        return;
    setGeometry(m_target->geometry().adjusted(-kWidth, -kWidth, kWidth, kWidth));
    const QWidget* focus = QApplication::focusWidget();
    const bool focused = focus != nullptr && (focus == m_target || m_target->isAncestorOf(focus));
    setVisible(focused && m_target->isVisible());
    if (isVisible()) {
        raise();
        update();
    }
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::PaletteChange:
        follow();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*)
{
    const QColor background = parentWidget() ? parentWidget()->palette().color(QPalette::Window) : palette().color(QPalette::Window);
    QPainter painter(this);
    QPen pen(focusColourOn(palette().color(QPalette::Highlight), background));
    pen.setWidth(kWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(kWidth / 2.0, kWidth / 2.0, -kWidth / 2.0, -kWidth / 2.0));
}

} // namespace zarvok::forms
