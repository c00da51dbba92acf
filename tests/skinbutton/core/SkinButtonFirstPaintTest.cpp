// SkinButton 4's departures from the written behaviour, each an obvious fault for a library user:
// right from the first paint (the resting look), a toggle that unlatches, keyboard focus in every
// style, and the font Qt propagates.
#include "ButtonTestSupport.h"

#include <QFocusEvent>
#include <QFontInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace skin {
namespace {

using test::showButton;

QImage paintedFace(SkinButton* b) { return surfaceImageOf(*b).convertToFormat(QImage::Format_RGB32); }

void sendFocus(SkinButton* b, bool in)
{
    QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(b, &event);
}

TEST(SkinButtonFirstPaint, ANewButtonPaintsItsRestingLookAsOneThePointerHasPassed)
{
    test::useDesignFontForTheApplication();
    for (int style = 0; style <= 10; ++style) {
        SCOPED_TRACE(style);
        QWidget window;
        window.resize(200, 100);
        SkinButton* b = newSkinButton(&window, std::make_unique<NoThemePainter>(), ColorSource::Reference);
        b->setGeometry(50, 30, 75, 23);
        b->setStyle(style);
        QCursor::setPos(QPoint(-5000, -5000));
        window.show();
        QApplication::processEvents();
        EXPECT_EQ(b->visualState(), 1);
        const QImage first = paintedFace(b);
        test::enterButton(b, QPoint(10, 10));
        test::leaveButton(b);
        EXPECT_EQ(paintedFace(b), first);
    }
}

TEST(SkinButtonFirstPaint, AButtonMadeFromAFormInCodeMatchesTheLoadedOne)
{
    const QJsonObject stored{{QStringLiteral("Style"), 10}, {QStringLiteral("Caption"), QStringLiteral("Go")}};
    auto loaded = showButton(stored);
    QWidget window;
    window.resize(200, 100);
    SkinButton* made = newSkinButton(&window, std::make_unique<NoThemePainter>(), ColorSource::Reference);
    made->setGeometry(50, 30, 75, 23);
    made->setStyle(10);
    made->setText(QStringLiteral("Go"));
    made->setFont(loaded.button->font());
    window.show();
    QApplication::processEvents();
    sendFocus(loaded.button, false);
    EXPECT_EQ(made->visualState(), loaded.button->visualState());
}

TEST(SkinButtonFirstPaint, AToggleWhoseValueReturnsToFalsePaintsItsRestingLook)
{
    for (int style : {0, 4, 5, 8, 10}) {
        SCOPED_TRACE(style);
        auto shown = showButton({{QStringLiteral("Style"), style}, {QStringLiteral("ButtonType"), 1}});
        SkinButton* b = shown.button;
        const QImage resting = paintedFace(b);
        b->setValue(true);
        EXPECT_EQ(b->visualState(), 3);
        b->setValue(false);
        EXPECT_EQ(b->visualState(), 1);
        EXPECT_EQ(paintedFace(b), resting);
        // Qt's face unlatches the same way, and under the pointer the look is hot.
        b->setChecked(true);
        test::enterButton(b, QPoint(5, 5));
        b->setChecked(false);
        EXPECT_EQ(b->visualState(), 2);
        test::leaveButton(b);
        EXPECT_EQ(paintedFace(b), resting);
    }
}

TEST(SkinButtonFocus, WithShowFocusOnEveryStyleShowsFocusAtThreeToOneAgainstItsFace)
{
    for (int style = 0; style <= 10; ++style) {
        for (bool custom : {false, true}) {
            SCOPED_TRACE(QStringLiteral("style %1, custom colours %2").arg(style).arg(custom).toStdString());
            auto shown = showButton({{QStringLiteral("Style"), style},
                                     {QStringLiteral("ShowFocus"), true},
                                     {QStringLiteral("USeCustomColors"), custom},
                                     {QStringLiteral("BackColor"), QStringLiteral("#406080")},
                                     {QStringLiteral("Caption"), QString()}});
            SkinButton* b = shown.button;
            sendFocus(b, false);
            const QImage unfocused = paintedFace(b);
            sendFocus(b, true);
            EXPECT_GE(test::largestChange(unfocused, paintedFace(b)), 3.0);
        }
    }
}

TEST(SkinButtonFocus, WithShowFocusOffOrWithoutFocusEveryPixelIsAsWritten)
{
    for (int style = 0; style <= 10; ++style) {
        SCOPED_TRACE(style);
        auto off = showButton({{QStringLiteral("Style"), style}, {QStringLiteral("ShowFocus"), false}});
        auto on = showButton({{QStringLiteral("Style"), style}, {QStringLiteral("ShowFocus"), true}});
        sendFocus(on.button, false);
        sendFocus(off.button, false);
        const QImage unfocusedOn = paintedFace(on.button);
        EXPECT_EQ(unfocusedOn, paintedFace(off.button));
    }
}

TEST(SkinButtonFont, ANeverSetFontFollowsTheParentAndTheApplicationAndTheSizeHintFollows)
{
    test::useDesignFontForTheApplication();
    const QFont applicationFont = QApplication::font();
    QWidget window;
    SkinButton* b = newSkinButton(&window, std::make_unique<NoThemePainter>(), ColorSource::Reference);
    b->setText(QStringLiteral("A caption of some length"));
    const QSize small = b->sizeHint();

    QFont big = applicationFont;
    big.setPointSize(16);
    window.setFont(big);
    QApplication::processEvents();
    EXPECT_EQ(b->font().pointSize(), 16);
    EXPECT_EQ(b->Font().pointSize(), 16);
    EXPECT_GT(b->sizeHint().width(), small.width());
    EXPECT_GT(b->sizeHint().height(), small.height());

    QApplication::setFont(big);
    QApplication::processEvents();
    QWidget other;
    SkinButton* fresh = newSkinButton(&other, std::make_unique<NoThemePainter>(), ColorSource::Reference);
    EXPECT_EQ(fresh->font().pointSize(), 16);
    QApplication::setFont(applicationFont);
    QApplication::processEvents();
    EXPECT_EQ(fresh->font().pointSize(), applicationFont.pointSize());

    // Set in code, or stored in a form: stays as set.
    const QFont serif(QStringLiteral("DejaVu Serif"), 11);
    b->setFont(serif);
    QFont bigger = big;
    bigger.setPointSize(20);
    window.setFont(bigger);
    EXPECT_EQ(b->font().pointSize(), 11);
    EXPECT_EQ(b->Font().family(), QStringLiteral("DejaVu Serif"));

    auto loaded = showButton({{QStringLiteral("Font"), QJsonObject{{QStringLiteral("family"), QStringLiteral("DejaVu Serif")},
                                                                   {QStringLiteral("pointSize"), 10}}}});
    loaded.window->setFont(bigger);
    EXPECT_EQ(loaded.button->font().pointSize(), 10);
}

} // namespace
} // namespace skin
