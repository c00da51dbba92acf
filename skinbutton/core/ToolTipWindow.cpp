#include "ToolTipWindow.h"

#include "SkinButton.h"
#include "SkinButton_p.h"
#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace skin {

namespace {

constexpr int kWidestText = 480;
constexpr int kScreenMargin = 32;
constexpr int kReshowFraction = 5;

QStyle::StandardPixmap standardIcon(int icon)
{
    switch (icon) {
    case WarningTipIcon:
        return QStyle::SP_MessageBoxWarning;
    case ErrorTipIcon:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

// As long as QToolTip keeps a tip of this length on the screen.
int sleepDelay(const QString& text) { return 10000 + 40 * std::max<int>(0, int(text.size()) - 100); }

QRect screenAt(QPoint globalPos, const QWidget* fallback)
{
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = fallback->screen();
    return screen ? screen->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
}

} // namespace

// ---- the window

ToolTipWindow::ToolTipWindow(QWidget* owner, const ToolTipContent& content, const ToolTipFace& face,
                             const ToolTipColors& colors)
    : QWidget(owner, Qt::ToolTip | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      m_content(content),
      m_face(face),
      m_colors(colors)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setWindowTitle(content.text);
}

void ToolTipWindow::popUp(QPoint globalPos)
{
    const QRect screen = screenAt(globalPos, this);
    const int widest = std::max(1, std::min(kWidestText, screen.width() - kScreenMargin));
    const ToolTipLayout layout = layoutToolTip(m_content, m_face, m_content.isBalloon(), widest);
    m_geometry = placeToolTip(layout.bodySize, m_content.isBalloon(), globalPos, screen);
    const QScreen* target = QGuiApplication::screenAt(globalPos);
    const qreal ratio = target ? target->devicePixelRatio() : devicePixelRatioF();
    m_image = renderToolTip(m_content, m_face, m_colors, layout, m_geometry, ratio);
    setGeometry(m_geometry.window);
    setMask(toolTipRegion(m_geometry));
    show(); // a tooltip window is shown above every other window
    update();
}

void ToolTipWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(toQRgb(m_colors.back)));
    painter.drawImage(QPoint(0, 0), m_image);
}

// ---- the controller

QElapsedTimer ToolTipController::s_sinceTipHidden;

ToolTipController::ToolTipController(SkinButton* owner) : QObject(owner), m_owner(owner)
{
    m_wakeTimer.setSingleShot(true);
    m_sleepTimer.setSingleShot(true);
    connect(&m_wakeTimer, &QTimer::timeout, this, &ToolTipController::wake);
    connect(&m_sleepTimer, &QTimer::timeout, this, [this] {
        m_armed = false;
        hideTip();
    });
    owner->setMouseTracking(true); // moves decide whether the pointer rests over the tool
    owner->installEventFilter(this);
}

ToolTipController* ToolTipController::of(const QWidget* button)
{
    return button ? button->findChild<ToolTipController*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

ToolTipContent ToolTipController::contentNow() const
{
    return ToolTipContent{m_owner->ToolTip(),     m_owner->ToolTipTitle(),     m_owner->ToolTipIcon(),
                          m_owner->ToolTipType(), m_owner->ToolTipForeColor(), m_owner->ToolTipBackColor()};
}

ToolTipFace ToolTipController::faceFor(const ToolTipContent& content) const
{
    ToolTipFace face;
    face.font = QApplication::font("QTipLabel");
    face.style = m_owner->style();
    if (content.hasKnownIcon()) {
        const QIcon icon = face.style->standardIcon(standardIcon(content.icon), nullptr, m_owner);
        face.icon = icon.pixmap(QSize(16, 16), m_owner->devicePixelRatioF()).toImage();
    }
    return face;
}

int ToolTipController::wakeUpDelay() const
{
    const QStyle* style = m_owner->style();
    const int delay = m_wakeUpDelay > 0 ? m_wakeUpDelay : style->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, m_owner);
    // Going from one tip to the next, the next comes quickly, as on every desktop.
    const int awake = style->styleHint(QStyle::SH_ToolTip_FallAsleepDelay, nullptr, m_owner);
    const bool recent = s_sinceTipHidden.isValid() && s_sinceTipHidden.elapsed() < awake;
    return recent ? delay / kReshowFraction : delay;
}

void ToolTipController::pointerEntered(QPoint globalPos)
{
    hideTip();
    if (m_window) {
        m_window->deleteLater();
        m_window = nullptr;
    }
    m_toolRect = m_owner->rect();
    const ToolTipContent content = contentNow();
    m_armed = content.showsTip();
    if (!m_armed)
        return;
    m_window = new ToolTipWindow(m_owner, content, faceFor(content), toolTipColors(content, systemColorsOf(*m_owner)));
    m_restingAt = globalPos;
    m_wakeTimer.start(wakeUpDelay());
}

void ToolTipController::pointerMoved(QPoint localPos, QPoint globalPos)
{
    if (!m_armed)
        return;
    if (!m_toolRect.contains(localPos)) {
        hideTip();
        return;
    }
    if (isTipShown())
        return;
    m_restingAt = globalPos;
    m_wakeTimer.start(wakeUpDelay());
}

void ToolTipController::wake()
{
    if (!m_armed || !m_window)
        return;
    m_window->popUp(m_restingAt);
    m_sleepTimer.start(sleepDelay(m_window->content().text));
    emit tipShown();
}

void ToolTipController::hideTip()
{
    m_wakeTimer.stop();
    m_sleepTimer.stop();
    if (!isTipShown())
        return;
    m_window->hide();
    s_sinceTipHidden.start();
    emit tipHidden();
}

bool ToolTipController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_owner)
        return false;
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the button's own tip only
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        pointerMoved(move->position().toPoint(), move->globalPosition().toPoint());
        break;
    }
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::Hide:
        m_armed = false;
        hideTip();
        break;
    default:
        break;
    }
    return false;
}

} // namespace skin
