#pragma once
// The button's own About box: a 377 x 145 panel with the control's name, its version, an author
// line, the home page address (text only, never opened) and a painted Close button. The panel
// is painted onto a Surface, pixel for pixel, so tests read its pixels without a window.
//
//   line        text                     font (Verdana)   rows (centred on)  from x
//   title       "SkinButton"             18 pt            10-40 (25)          20
//   version     "Version " + Version()   10 pt            45                  160
//   author      "By " + the author       10 pt bold       65                  20
//   home page   the home page address    10 pt            80                  20
//   Close       "Close", blue            8 pt underlined  80-106, centred     290-360
//
// Texts are in the system button-text colour on the button face. The author and the home page
// come from the build (ZARVOK_AUTHOR, ZARVOK_HOME_PAGE); a line too long for its 230 pixels is
// shortened with an ellipsis.

#include "skinbutton/render/Surface.h"
#include "skinbutton/render/SystemColors.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace skin {

class SkinButton;

constexpr int kAboutPanelWidth = 377;
constexpr int kAboutPanelHeight = 145;

struct AboutTexts {
    QString title;
    QString version;
    QString author;
    QString homePage;
};

// The panel's lines for a control of version (e.g. "3.0").
AboutTexts aboutTexts(const QString& version);

// The whole panel on a kAboutPanelWidth x kAboutPanelHeight surface, Close button in its normal look.
void paintAboutPanel(Surface& surface, const SystemColors& colors, const AboutTexts& texts);
// The Close button alone: a gradient light at the top (pressed: dark at the top), a rounded
// outline in the button-shadow colour with its corner pixels in the face colour, the label.
void paintCloseButton(Surface& surface, const SystemColors& colors, bool pressed);

// The floating window: a top-level window (title bar, resizable frame, minimise button, stays on
// top) showing the panel. Any mouse button down paints the pressed Close button; a left click
// anywhere, or Escape, Return or Space, hides it.
class AboutPanel : public QWidget {
    Q_OBJECT

public:
    explicit AboutPanel(SkinButton* owner);

    // Shows the panel on top with its title "About SkinButton <version>", repainted; the first
    // time centred over the owner's window, later where the user left it.
    void showPanel();
    const QImage& panelImage() const { return m_surface.image(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    SystemColors colors() const;
    void repaintPanel();
    void placeOverOwner();

    QPointer<SkinButton> m_owner;
    Surface m_surface;
    bool m_placed = false;
};

// Keeps a button's About panel, which has no parent window of its own, and deletes it with the button.
class AboutPanelHolder : public QObject {
    Q_OBJECT

public:
    explicit AboutPanelHolder(SkinButton* owner);
    ~AboutPanelHolder() override;
    AboutPanel* panel() const { return m_panel.get(); }

private:
    std::unique_ptr<AboutPanel> m_panel;
};

// About(): shows the button's panel, creating it on first use.
void showAboutPanel(SkinButton* owner);
// The button's panel; null before its first About().
AboutPanel* aboutPanelOf(const SkinButton* owner);

} // namespace skin
