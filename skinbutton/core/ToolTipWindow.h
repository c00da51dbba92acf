#pragma once
// The button's own tooltip on the desktop. Qt's QToolTip is not used: it has no balloon form,
// no title line and no colours per control.
//
// ToolTipController sits on its button (an event filter) and behaves as desktop tooltips do:
//   pointer entry          the button calls pointerEntered(): the tip window is rebuilt from the
//                          properties of that moment, the tool rectangle is the button's rect now
//   pointer rests          after the style's wake-up delay inside the tool rectangle: shown
//                          (a fifth of it shortly after another tip was hidden)
//   moves in the rectangle restart the delay while hidden; leave the shown tip where it is
//   moves outside it       hide (a button grown since the entry still has the old rectangle)
//   leave, press, key,     hide; nothing more until the next entry
//   wheel, hide
//   shown long enough      hide (as long as QToolTip keeps a tip of that length)
// The button's QWidget tooltip never shows: QEvent::ToolTip is taken here.

#include "ToolTipRender.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace skin {

class SkinButton;

// A borderless pop-up over every window that never takes the pointer or the focus; its window
// title is the tip's text, so that accessibility tools and window lists can name it.
class ToolTipWindow : public QWidget {
    Q_OBJECT

public:
    ToolTipWindow(QWidget* owner, const ToolTipContent& content, const ToolTipFace& face, const ToolTipColors& colors);

    const ToolTipContent& content() const { return m_content; }
    const ToolTipColors& colors() const { return m_colors; }
    const ToolTipGeometry& geometryOnScreen() const { return m_geometry; }
    // Lays the tip out for the pointer at globalPos on its screen, then shows it.
    void popUp(QPoint globalPos);
    // What the window shows, at its device pixel ratio.
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ToolTipContent m_content;
    ToolTipFace m_face;
    ToolTipColors m_colors;
    ToolTipGeometry m_geometry;
    QImage m_image;
};

class ToolTipController : public QObject {
    Q_OBJECT

public:
    explicit ToolTipController(SkinButton* owner);

    // The pointer entered the button at globalPos: rebuilds the tip from the button's tooltip
    // properties and waits for the pointer to rest.
    void pointerEntered(QPoint globalPos);
    void hideTip();

    // The tip window of the last entry; null before the first and when it had nothing to show.
    ToolTipWindow* tipWindow() const { return m_window; }
    bool isTipShown() const { return m_window && m_window->isVisible(); }
    QRect toolRect() const { return m_toolRect; }
    // 0 (the default) takes the style's tooltip wake-up delay.
    void setWakeUpDelay(int milliseconds) { m_wakeUpDelay = milliseconds; }

    // The controller of a button (every SkinButton has one).
    static ToolTipController* of(const QWidget* button);

signals:
    void tipShown();
    void tipHidden();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void pointerMoved(QPoint localPos, QPoint globalPos);
    void wake();
    int wakeUpDelay() const;
    ToolTipContent contentNow() const;
    ToolTipFace faceFor(const ToolTipContent& content) const;

    SkinButton* m_owner;
    QPointer<ToolTipWindow> m_window;
    QRect m_toolRect;
    QPoint m_restingAt;
    bool m_armed = false;
    int m_wakeUpDelay = 0;
    QTimer m_wakeTimer;
    QTimer m_sleepTimer;
    static QElapsedTimer s_sinceTipHidden; // since any button's shown tip was hidden
};

} // namespace skin
