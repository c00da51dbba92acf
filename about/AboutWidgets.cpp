#include "AboutWidgets.h"

#include "forms/FocusRing.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtDebug>

namespace zarvok::about {
namespace {

// A link to screen readers, named by its words, described by where it leads, with an action
// that follows it.
class LinkAccessible final : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link)
        : QAccessibleWidget(link, QAccessible::Link)
    {
        addControllingSignal(QStringLiteral("Click()"));
    }

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        if (!own.isEmpty())
            return own;
        if (t == QAccessible::Name)
            return link()->text();
        return t == QAccessible::Description ? link()->toolTip() : own;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit link()->Click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    LinkLabel* link() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* linkFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(LinkLabel::staticMetaObject.className()))
        if (auto* link = qobject_cast<LinkLabel*>(object))
            return new LinkAccessible(link);
    return nullptr;
}

} // namespace

SvgPicture::SvgPicture(const QString& source, QWidget* parent)
    : QWidget(parent)
    , m_svg(source)
{
    if (!m_svg.isValid())
        qWarning() << "Cannot read the picture" << source;
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_svg.render(&painter, QRectF(rect()));
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true); // covers the blank of the lead-in it sits in
    static const bool accessible = [] {
        QAccessible::installFactory(linkFactory);
        return true;
    }();
    (void)accessible;
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    const bool activates = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter
                           || event->key() == Qt::Key_Space;
    if (activates && event->modifiers() == Qt::NoModifier) {
        emit Click();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // The style's dotted or tinted focus frame fades on dark palettes: a solid one at 3:1 or
    // more against the label's background.
    QPainter painter(this);
    painter.setPen(forms::focusColourOn(palette().color(QPalette::Highlight), palette().color(backgroundRole())));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace zarvok::about
