#include "AboutPanel.h"

#include "SkinButton.h"
#include "SkinButton_p.h"
#include "skinbutton/render/ColorMath.h"
#include "skinbutton/render/Primitives.h"

#include <ProjectInfo.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace skin {

namespace {

// The Close button: columns 290-360, rows 80-106; its gradient is one column narrower.
constexpr int kCloseLeft = 290;
constexpr int kCloseTop = 80;
constexpr int kCloseRight = 360;
constexpr int kCloseHeight = 26;
constexpr int kCloseBottom = kCloseTop + kCloseHeight;
constexpr int kGradientShift = 15;
constexpr Color kCloseLabelColor = rgb(0x00, 0x00, 0xFF);
constexpr double kLegibleText = 4.5; // WCAG AA

struct Line {
    int left;
    int right;
    int centreRow;
};

constexpr Line kTitleLine{20, 220, 25};
constexpr Line kVersionLine{160, 300, 45};
constexpr Line kAuthorLine{20, 250, 65};
constexpr Line kHomePageLine{20, 250, 80};

// Point sizes as pixels at 96 dots per inch, rounded as the desktop's font mapper does, so the
// panel's pixels do not depend on the screen's resolution setting.
QFont panelFont(int points, bool bold = false, bool underline = false)
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize((points * 96 + 36) / 72);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QColor qColor(Color c) { return QColor::fromRgb(toQRgb(c)); }

// One line, left-aligned at line.left and vertically centred on line.centreRow; a text too
// wide for the line ends in an ellipsis.
void drawPanelLine(QPainter& painter, const QString& text, const QFont& font, const Line& line)
{
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int width = line.right - line.left;
    const int top = (2 * line.centreRow - metrics.height()) / 2;
    painter.drawText(QRect(line.left, top, width, metrics.height()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     metrics.elidedText(text, Qt::ElideRight, width));
}

void drawCloseOutline(Surface& surface, Color line)
{
    DrawLine(surface, 292, 80, 358, 80, line);  // top
    DrawLine(surface, 292, 80, 290, 82, line);  // upper left diagonal
    DrawLine(surface, 358, 80, 360, 82, line);  // upper right diagonal
    DrawLine(surface, 290, 82, 290, 104, line); // left
    DrawLine(surface, 360, 82, 360, 106, line); // right: one column right of the gradient
    DrawLine(surface, 290, 104, 292, 106, line); // lower left diagonal
    DrawLine(surface, 360, 104, 357, 107, line); // lower right diagonal: (360,104) (359,105) (358,106)
    DrawLine(surface, 292, 106, 358, 106, line); // bottom
}

void drawCloseCorners(Surface& surface, Color face)
{
    static constexpr int kCorners[][2] = {{290, 80},  {291, 80},  {290, 81},  {360, 80},  {359, 80},  {360, 81},
                                          {290, 106}, {291, 106}, {290, 105}, {360, 106}, {359, 106}, {360, 105}};
    for (const auto& p : kCorners)
        surface.setPixel(p[0], p[1], face);
}

} // namespace

AboutTexts aboutTexts(const QString& version)
{
    // The About box's strings are marked for translation (skinbutton/translations/skinbutton.ts).
    return AboutTexts{QStringLiteral("SkinButton"), AboutPanel::tr("Version %1").arg(version),
                      AboutPanel::tr("By %1").arg(QString::fromUtf8(zarvok::info::kAuthor)),
                      QString::fromUtf8(zarvok::info::kHomePage)};
}

void paintCloseButton(Surface& surface, const SystemColors& colors, bool pressed)
{
    const Color face = colors.color(kButtonFace);
    const Color light = ShiftColor(face, kGradientShift);
    const Color dark = ShiftColor(face, -kGradientShift);
    GradientRows(surface, pressed ? dark : light, pressed ? light : dark, kCloseLeft, kCloseTop, kCloseRight,
                 kCloseHeight);
    drawCloseOutline(surface, colors.color(kButtonShadow));
    drawCloseCorners(surface, face);

    QPainter painter(&surface.image());
    painter.setFont(panelFont(8, false, true));
    // the blue label, lifted where a dark palette's face would swallow it
    painter.setPen(qColor(ColorLegibleOn(kCloseLabelColor, face, kLegibleText)));
    painter.drawText(QRect(kCloseLeft, kCloseTop, kCloseRight - kCloseLeft, kCloseBottom - kCloseTop),
                     Qt::AlignCenter | Qt::TextSingleLine, AboutPanel::tr("Close"));
}

void paintAboutPanel(Surface& surface, const SystemColors& colors, const AboutTexts& texts)
{
    surface.setBackColor(colors.color(kButtonFace));
    {
        QPainter painter(&surface.image());
        painter.setPen(qColor(colors.color(kButtonText)));
        drawPanelLine(painter, texts.title, panelFont(18), kTitleLine);
        drawPanelLine(painter, texts.version, panelFont(10), kVersionLine);
        drawPanelLine(painter, texts.author, panelFont(10, true), kAuthorLine);
        drawPanelLine(painter, texts.homePage, panelFont(10), kHomePageLine);
    }
    paintCloseButton(surface, colors, false);
}

// ---- the window

namespace {

// The painted Close button as assistive technology sees it: a button named "Close" whose press
// hides the panel. It draws nothing and leaves mouse and keys to the panel.
class CloseTarget final : public QAbstractButton {
public:
    explicit CloseTarget(QWidget* panel) : QAbstractButton(panel)
    {
        setText(AboutPanel::tr("Close"));
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(QRect(QPoint(kCloseLeft, kCloseTop), QPoint(kCloseRight, kCloseBottom)));
        connect(this, &QAbstractButton::clicked, panel, &QWidget::hide);
    }

protected:
    void paintEvent(QPaintEvent*) override {}
};

} // namespace

AboutPanel::AboutPanel(SkinButton* owner)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowStaysOnTopHint),
      m_owner(owner),
      m_surface(kAboutPanelWidth, kAboutPanelHeight)
{
    setObjectName(QStringLiteral("SkinButtonAbout"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(kAboutPanelWidth, kAboutPanelHeight);
    new CloseTarget(this); // owned by the panel
    repaintPanel();
}

SystemColors AboutPanel::colors() const
{
    return m_owner ? systemColorsOf(*m_owner) : SystemColors::fromPalette(palette());
}

void AboutPanel::repaintPanel()
{
    const QString version = m_owner ? m_owner->Version() : QStringLiteral("3.0");
    const AboutTexts texts = aboutTexts(version);
    paintAboutPanel(m_surface, colors(), texts);
    // the painted lines, for screen readers
    setAccessibleName(texts.title);
    setAccessibleDescription(QStringList{texts.version, texts.author, texts.homePage}.join(QLatin1Char('\n')));
    update();
}

void AboutPanel::placeOverOwner()
{
    const QWidget* host = m_owner ? m_owner->window() : nullptr;
    QRect area;
    if (host && host->isVisible())
        area = host->frameGeometry();
    else if (const QScreen* screen = host ? host->screen() : this->screen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - rect().center());
}

void AboutPanel::showPanel()
{
    setWindowTitle(tr("About SkinButton %1").arg(m_owner ? m_owner->Version() : QStringLiteral(SKINBUTTON_VERSION_STRING).left(3)));
    if (!m_placed) {
        placeOverOwner();
        m_placed = true;
    }
    repaintPanel();
    showNormal();
    raise();
    activateWindow();
}

void AboutPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), qColor(m_surface.backColor())); // the frame may make the window larger
    painter.drawImage(QPoint(0, 0), m_surface.image());
}

void AboutPanel::mousePressEvent(QMouseEvent*)
{
    paintCloseButton(m_surface, colors(), true);
    update();
}

void AboutPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        hide();
    else
        repaintPanel(); // no click: the button comes back up
}

void AboutPanel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        hide();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void AboutPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        repaintPanel();
    QWidget::changeEvent(event);
}

// ---- ownership

AboutPanelHolder::AboutPanelHolder(SkinButton* owner) : QObject(owner), m_panel(std::make_unique<AboutPanel>(owner)) {}

AboutPanelHolder::~AboutPanelHolder() = default;

AboutPanel* aboutPanelOf(const SkinButton* owner)
{
    const auto* holder = owner ? owner->findChild<AboutPanelHolder*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    return holder ? holder->panel() : nullptr;
}

void showAboutPanel(SkinButton* owner)
{
    if (!owner)
        return;
    AboutPanel* panel = aboutPanelOf(owner);
    if (!panel)
        panel = (new AboutPanelHolder(owner))->panel();
    panel->showPanel();
}

} // namespace skin
