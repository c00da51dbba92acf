#pragma once
// The two kinds of control the About window has beyond Qt's own: a picture drawn from a vector
// source at any scale, and a text link that a click or the keyboard opens.

#include <QLabel>
#include <QSvgRenderer>
#include <QWidget>

namespace zarvok::about {

// A picture panel: the SVG scaled to the panel, sharp at every device pixel ratio.
class SvgPicture final : public QWidget {
    Q_OBJECT
public:
    SvgPicture(const QString& source, QWidget* parent);
    bool isValid() const { return m_svg.isValid(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer m_svg;
};

// A link label: hand pointer, Click on a release over it or on Return / Space while focused.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& text, QWidget* parent);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zarvok::about
