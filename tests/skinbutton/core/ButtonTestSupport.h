#pragma once
// A SkinButton on a shown window, with the reference palette and a theme that cannot draw, so
// that pixels and states do not depend on the machine.

#include "skinbutton/core/SkinButton.h"
#include "skinbutton/core/SkinButton_p.h"
#include "skinbutton/render/ButtonLook.h"
#include "skinbutton/render/ColorMath.h"
#include "skinbutton/render/SystemColors.h"
#include "skinbutton/render/ThemePainter.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QTest>
#include <QJsonObject>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace skin::test {

struct ShownButton {
    std::unique_ptr<QWidget> window;
    SkinButton* button = nullptr; // owned by window
};

// A button whose font was never set follows the application's: the tests' application font is
// the control's classic design font (Verdana 8.25 pt), so captions fall on the same pixels as
// in the stored forms the tests were written for.
inline void useDesignFontForTheApplication()
{
    static const bool once = [] {
        QApplication::setFont(designFont().font);
        return true;
    }();
    (void)once;
}

inline ShownButton showButton(const QJsonObject& stored = {}, bool designMode = false,
                              QSize size = QSize(75, 23))
{
    useDesignFontForTheApplication();
    ShownButton shown;
    shown.window = std::make_unique<QWidget>();
    shown.window->resize(200, 100);
    shown.button = newSkinButton(shown.window.get(), std::make_unique<NoThemePainter>(), ColorSource::Reference);
    shown.button->setObjectName(QStringLiteral("cmdTest"));
    shown.button->setDesignMode(designMode);
    shown.button->setGeometry(QRect(QPoint(50, 30), size));
    shown.button->readProperties(PropertyBag::fromJson(stored));
    // A button shown under the pointer is entered at once: keep the pointer away from it.
    QCursor::setPos(QPoint(-5000, -5000));
    shown.window->show();
    // Focus first, so that a press does not repaint for gaining it.
    shown.window->activateWindow();
    shown.button->setFocus();
    QApplication::processEvents();
    return shown;
}

// The pointer crossing the button's edge, as the window system reports it.
inline void enterButton(QWidget* button, QPoint pos)
{
    QEnterEvent event(QPointF(pos), QPointF(button->window()->mapFromGlobal(button->mapToGlobal(pos))),
                      QPointF(button->mapToGlobal(pos)));
    QApplication::sendEvent(button, &event);
}

inline void leaveButton(QWidget* button)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(button, &event);
}

// Lets go of every mouse button, so that no press outlives its test.
inline void releaseAllButtons(QWidget* widget)
{
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        QTest::mouseRelease(widget, button, Qt::NoModifier, QPoint(1, 1));
}

inline QRgb pixelAt(const SkinButton& button, int x, int y) { return surfaceImageOf(button).pixel(x, y) & 0xFFFFFF; }

// WCAG's contrast ratio of two pixels.
inline double contrast(QRgb a, QRgb b)
{
    return ContrastRatio(RelativeLuminance(rgb(qRed(a), qGreen(a), qBlue(a))),
                         RelativeLuminance(rgb(qRed(b), qGreen(b), qBlue(b))));
}

// The largest contrast between two pictures of the same button, pixel by pixel.
inline double largestChange(const QImage& before, const QImage& after)
{
    double best = 1.0;
    for (int y = 0; y < std::min(before.height(), after.height()); ++y)
        for (int x = 0; x < std::min(before.width(), after.width()); ++x)
            best = std::max(best, contrast(before.pixel(x, y), after.pixel(x, y)));
    return best;
}

} // namespace skin::test
