// Walks the table of ButtonInteraction.h row by row with real input events.
#include "ButtonTestSupport.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace skin {
namespace {

using test::showButton;

const QPoint kInside(10, 10);
const QPoint kOutside(-20, -20);

void sendDoubleClick(SkinButton* b, Qt::MouseButton button)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(kInside), b->mapToGlobal(QPointF(kInside)), button,
                      button, Qt::NoModifier);
    QApplication::sendEvent(b, &event);
}

void sendKey(SkinButton* b, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? QStringLiteral(" ") : QString(), autoRepeat);
    QApplication::sendEvent(b, &event);
}

struct Row {
    const char* name;
    QJsonObject stored;                     // beyond Style 0
    std::function<void(SkinButton*)> before; // brings the button to the row's starting point
    std::function<void(SkinButton*)> event;
    int state;        // visual state after the event (painting overrides applied)
    int clicks;       // Click signals raised by the event
    bool value;       // toggle value after the event
    int lastReleased; // after the event
    bool repainted;   // whether the event repainted
};

auto nothing = [](SkinButton*) {};
auto leftPress = [](SkinButton* b) { QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, kInside); };
auto leftClick = [](SkinButton* b) { QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, kInside); };
const QJsonObject kToggle{{QStringLiteral("ButtonType"), 1}};
const QJsonObject kLatchedToggle{{QStringLiteral("ButtonType"), 1}, {QStringLiteral("Value"), true}};

const Row kRows[] = {
    {"left press", {}, nothing, leftPress, 3, 0, false, 0, true},
    {"right press", {}, nothing,
     [](SkinButton* b) { QTest::mousePress(b, Qt::RightButton, Qt::NoModifier, kInside); }, 1, 0, false, 0, false},
    {"middle press", {}, nothing,
     [](SkinButton* b) { QTest::mousePress(b, Qt::MiddleButton, Qt::NoModifier, kInside); }, 1, 0, false, 0, false},
    {"left release off the button", {}, leftPress,
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, kOutside); }, 2, 0, false, 1, true},
    {"left release off a toggle button", kToggle, leftPress,
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, kOutside); }, 3, 0, false, 1, true},
    {"left release over the button", {}, leftPress,
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, kInside); }, 2, 1, false, 1, true},
    {"left release over a toggle button latches it", kToggle, leftPress,
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, kInside); }, 3, 1, true, 1, true},
    {"left release over a latched toggle button frees it", kLatchedToggle, leftPress,
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, kInside); }, 2, 1, false, 1, true},
    {"right release", {}, [](SkinButton* b) { QTest::mousePress(b, Qt::RightButton, Qt::NoModifier, kInside); },
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::RightButton, Qt::NoModifier, kInside); }, 1, 0, false, 2, false},
    {"middle release", {}, [](SkinButton* b) { QTest::mousePress(b, Qt::MiddleButton, Qt::NoModifier, kInside); },
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::MiddleButton, Qt::NoModifier, kInside); }, 1, 0, false, 4, false},
    {"double click after a left release", {}, leftClick,
     [](SkinButton* b) { sendDoubleClick(b, Qt::LeftButton); }, 3, 0, false, 1, true},
    {"double click after a right release", {},
     [](SkinButton* b) { QTest::mouseClick(b, Qt::RightButton, Qt::NoModifier, kInside); },
     [](SkinButton* b) { sendDoubleClick(b, Qt::LeftButton); }, 1, 0, false, 2, false},
    {"release that ends a double click", {},
     [](SkinButton* b) {
         QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, kInside);
         sendDoubleClick(b, Qt::LeftButton);
     },
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, kInside); }, 2, 0, false, 1, true},
    {"release that ends a double click on a toggle button", kToggle,
     [](SkinButton* b) {
         QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, kInside);
         sendDoubleClick(b, Qt::LeftButton);
     },
     [](SkinButton* b) { QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, kInside); }, 3, 0, true, 1, true},
    {"Space down", {}, nothing, [](SkinButton* b) { sendKey(b, QEvent::KeyPress, Qt::Key_Space); }, 3, 0, false, 0,
     true},
    {"Space up", {}, [](SkinButton* b) { sendKey(b, QEvent::KeyPress, Qt::Key_Space); },
     [](SkinButton* b) { sendKey(b, QEvent::KeyRelease, Qt::Key_Space); }, 2, 1, false, 1, true},
    {"Space up on a toggle button", kToggle, [](SkinButton* b) { sendKey(b, QEvent::KeyPress, Qt::Key_Space); },
     [](SkinButton* b) { sendKey(b, QEvent::KeyRelease, Qt::Key_Space); }, 3, 1, true, 1, true},
    {"Space held down: one Click per press", {}, nothing,
     [](SkinButton* b) {
         sendKey(b, QEvent::KeyPress, Qt::Key_Space);
         for (int i = 0; i < 3; ++i) {
             sendKey(b, QEvent::KeyRelease, Qt::Key_Space, true);
             sendKey(b, QEvent::KeyPress, Qt::Key_Space, true);
         }
         sendKey(b, QEvent::KeyRelease, Qt::Key_Space);
     },
     2, 1, false, 1, true},
    {"Enter does nothing", {}, nothing,
     [](SkinButton* b) {
         sendKey(b, QEvent::KeyPress, Qt::Key_Return);
         sendKey(b, QEvent::KeyRelease, Qt::Key_Return);
     },
     1, 0, false, 0, false},
    {"pointer enters", {}, nothing, [](SkinButton* b) { test::enterButton(b, kInside); }, 2, 0, false, 0, true},
    {"pointer enters again without leaving", {}, [](SkinButton* b) { test::enterButton(b, kInside); },
     [](SkinButton* b) { test::enterButton(b, kInside); }, 2, 0, false, 0, false},
    {"pointer leaves", {}, [](SkinButton* b) { test::enterButton(b, kInside); },
     [](SkinButton* b) { test::leaveButton(b); }, 1, 0, false, 0, true},
    {"pointer leaves a latched toggle button", kLatchedToggle, [](SkinButton* b) { test::enterButton(b, kInside); },
     [](SkinButton* b) { test::leaveButton(b); }, 3, 0, true, 0, true},
    {"Enabled written", {}, leftPress, [](SkinButton* b) { b->setEnabled(true); }, 1, 0, false, 0, true},
    {"loaded", {}, leftPress, [](SkinButton* b) { b->readProperties(PropertyBag::fromJson({{QStringLiteral("Style"), 0}})); },
     1, 0, false, 0, true},
};

TEST(SkinButtonStates, EveryRowOfTheStateTable)
{
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        QJsonObject stored = row.stored;
        stored.insert(QStringLiteral("Style"), 0);
        auto shown = showButton(stored);
        SkinButton* b = shown.button;
        row.before(b);
        QSignalSpy clicks(b, &SkinButton::Click);
        const qint64 pixelsBefore = surfaceImageOf(*b).cacheKey();

        row.event(b);

        EXPECT_EQ(b->visualState(), row.state);
        EXPECT_EQ(clicks.count(), row.clicks);
        EXPECT_EQ(b->value(), row.value);
        EXPECT_EQ(lastReleasedButtonOf(*b), row.lastReleased);
        EXPECT_EQ(surfaceImageOf(*b).cacheKey() != pixelsBefore, row.repainted);
        test::releaseAllButtons(b);
    }
}

TEST(SkinButtonStates, FocusChangesOnlyTheFocusFlagAndRepaints)
{
    auto shown = showButton({{QStringLiteral("Style"), 0}});
    SkinButton* b = shown.button;
    const qint64 before = surfaceImageOf(*b).cacheKey();
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(b, &in);
    EXPECT_TRUE(hasFocusFlagOf(*b));
    EXPECT_EQ(b->visualState(), 1);
    EXPECT_NE(surfaceImageOf(*b).cacheKey(), before);

    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(b, &out);
    EXPECT_FALSE(hasFocusFlagOf(*b));
}

TEST(SkinButtonStates, PaintingOverridesTheStoredState)
{
    struct Case {
        const char* name;
        QJsonObject stored;
        bool designMode;
        int state;
    };
    const Case cases[] = {
        {"design time", {{QStringLiteral("Style"), 0}}, true, 2},
        {"latched toggle", {{QStringLiteral("Style"), 0}, {QStringLiteral("ButtonType"), 1}, {QStringLiteral("Value"), true}}, false, 3},
        {"disabled latched toggle",
         {{QStringLiteral("Style"), 0}, {QStringLiteral("ButtonType"), 1}, {QStringLiteral("Value"), true}, {QStringLiteral("Enabled"), false}},
         false, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto shown = showButton(c.stored, c.designMode);
        EXPECT_EQ(shown.button->visualState(), c.state);
    }
}

TEST(SkinButtonStates, ADisabledButtonIgnoresTheMouse)
{
    auto shown = showButton({{QStringLiteral("Style"), 0}, {QStringLiteral("Enabled"), false}});
    QSignalSpy clicks(shown.button, &SkinButton::Click);
    QTest::mouseClick(shown.button, Qt::LeftButton, Qt::NoModifier, kInside);
    EXPECT_FALSE(shown.button->isEnabled());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(shown.button->visualState(), 4);
}

TEST(SkinButtonStates, AClickHandlerMayDestroyTheButton)
{
    auto shown = showButton({{QStringLiteral("Style"), 0}});
    QPointer<SkinButton> b = shown.button;
    QObject::connect(b.data(), &SkinButton::Click, b.data(), [b] { delete b.data(); });
    b->click();
    EXPECT_TRUE(b.isNull());
}

} // namespace
} // namespace skin
