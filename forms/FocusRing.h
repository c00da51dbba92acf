#pragma once
// A ring around a control while the keyboard focus is in it, at 3:1 or more against the window
// around it whatever the desktop's palette. The style's own focus look for fields and links (a
// frame or a fill in the selection colour) all but vanishes on a dark palette (1.2:1 on
// Adwaita dark); the ring does not.

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace zarvok::forms {

// WCAG's contrast ratio of two colours (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);
// The palette's selection colour, moved towards black or white until it stands at 3:1 or more
// against `background`.
QColor focusColourOn(const QColor& accent, const QColor& background);

class FocusRing final : public QWidget {
    Q_OBJECT
public:
    // Follows `target` (its place, its visibility and where the focus is); a sibling of it.
    explicit FocusRing(QWidget* target);

    static constexpr int kWidth = 2; // logical pixels, outside the control

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    QPointer<QWidget> m_target;
};

} // namespace zarvok::forms
