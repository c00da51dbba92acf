// SkinButton where a QPushButton stood: what a Qt developer meets first, done the way a
// QPushButton does it (layouts, the default button, focus, disabled icons, style sheets,
// assistive technology).
#include "ButtonTestSupport.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace skin {
namespace {

SkinButton* newButton(QWidget* parent)
{
    test::useDesignFontForTheApplication();
    return newSkinButton(parent, std::make_unique<NoThemePainter>(), ColorSource::Reference);
}

TEST(SkinButtonPushButtonPeer, ASqueezedLayoutNeverCutsTheCaptionAndThereIsNoFixedMinimum)
{
    const QString caption = QStringLiteral("A caption long enough to be squeezed");
    for (const bool shrinkable : {false, true}) {
        SCOPED_TRACE(shrinkable ? "preferred width" : "minimum width");
        QWidget window;
        auto* grid = new QGridLayout(&window);
        SkinButton* b = newButton(&window);
        b->setText(caption);
        b->setIcon(QImage(16, 16, QImage::Format_RGB32));
        if (shrinkable)
            b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        grid->addWidget(b, 0, 0);
        window.resize(40, 40);
        window.show();
        QApplication::processEvents();

        EXPECT_EQ(b->minimumSize(), QSize(0, 0));
        const int captionWidth = QFontMetrics(b->font()).horizontalAdvance(caption);
        EXPECT_GE(b->width() - 8 - 16 - 4, captionWidth); // the caption rectangle, less the icon
        EXPECT_GE(b->height() - 8, QFontMetrics(b->font()).height());
    }
}

TEST(SkinButtonPushButtonPeer, TabShowsTheFocusOfAButtonMadeInCodeInEveryStyle)
{
    for (int style = 0; style <= 10; ++style) {
        SCOPED_TRACE(style);
        QWidget window;
        auto* edit = new QLineEdit(&window);
        SkinButton* b = newButton(&window);
        b->setStyle(style);
        b->setText(QStringLiteral("Go"));
        b->setGeometry(50, 30, 75, 23);
        window.show();
        window.activateWindow();
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        const QImage unfocused = surfaceImageOf(*b).copy();

        QTest::keyClick(edit, Qt::Key_Tab);

        ASSERT_TRUE(b->hasFocus());
        EXPECT_TRUE(b->ShowFocus());
        EXPECT_GE(test::largestChange(unfocused, surfaceImageOf(*b)), 3.0);
    }
}

} // namespace
} // namespace skin
