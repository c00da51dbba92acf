#pragma once
// skinbutton-gallery --window: the control live, on the desktop. One button of every built
// style, some toggle buttons, some disabled, each with its own tooltip (balloon and rectangular,
// with and without title and icon, one in custom colours), and a button that opens the
// control's About box. The buttons are loaded from stored properties, as a program's are, so
// they follow the pointer.

#include "skinbutton/core/SkinButton.h"

#include <QLabel>
#include <QWidget>

namespace gallery {

class GalleryWindow : public QWidget {
    Q_OBJECT

public:
    explicit GalleryWindow(QWidget* parent = nullptr);

    // Where the buttons sit, for people and tests that point at them: a grid of kColumns
    // buttons of kButtonSize, kMargin from the window's edges and kGap apart.
    static constexpr int kColumns = 4;
    static constexpr QSize kButtonSize{132, 34};
    static constexpr int kMargin = 16;
    static constexpr int kGap = 12;
    static QRect cellRect(int index);

    const QList<skin::SkinButton*>& buttons() const { return m_buttons; }

private:
    skin::SkinButton* addButton(const skin::PropertyBag& stored);

    QList<skin::SkinButton*> m_buttons;
    QLabel* m_hint = nullptr;
};

// Runs the window until it is closed: arguments are --window and, optionally, --dark.
int runGalleryWindow(const QStringList& arguments);

} // namespace gallery
