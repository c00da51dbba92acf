#include "WindowPlacement.h"

#include "Registry.h"

#include <QSettings>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace zarvok::app;

TEST(WindowPlacement, TwipsAndPixels)
{
    struct Case {
        double twips;
        int pixels;
    };
    const Case cases[] = {{0, 0}, {15, 1}, {1800, 120}, {-3000, -200}, {7, 0}, {8, 1},
                          {112.5, 8}, {22.5, 2}, {37.5, 2}, {-22.5, -2}};
    for (const Case& c : cases)
        EXPECT_EQ(pixelsFromTwips(c.twips), c.pixels) << c.twips;
    EXPECT_EQ(twipsFromPixels(120), 1800);
    EXPECT_EQ(twipsFromPixels(-1), -15);
}

TEST(WindowPlacement, OpensWhereStoredWhollyOnItsScreenCentredWhenNothingOrNowhere)
{
    const QSize frame(401, 204);
    const Screens one{QRect(0, 0, 1024, 768), {QRect(0, 0, 1024, 768)}};
    const Screens two{QRect(0, 0, 1024, 768), {QRect(0, 0, 1024, 768), QRect(-1280, 0, 1280, 1024)}};
    const QPoint centre(311, 282);
    struct Case {
        QPoint stored;
        const Screens& screens;
        QPoint expected;
    };
    const Case cases[] = {
        {QPoint(0, 0), one, centre},
        {QPoint(0, 50), one, QPoint(0, 50)},
        {QPoint(50, 0), one, QPoint(50, 0)},
        {QPoint(100, 120), one, QPoint(100, 120)},
        {QPoint(-300, 10), one, QPoint(0, 10)},      // partly off: moved just enough
        {QPoint(800, 700), one, QPoint(623, 564)},   // stored at a smaller scale
        {QPoint(-900, 10), one, centre},             // on no screen
        {QPoint(-900, 10), two, QPoint(-900, 10)},   // on the screen to the left
        {QPoint(-1400, -50), two, QPoint(-1280, 0)},
        {QPoint(-200, 10), two, QPoint(0, 10)},      // the larger part is on the right
        {QPoint(-201, 10), two, QPoint(-401, 10)},   // ...or on the left
        {QPoint(5000, 5000), two, centre},
    };
    for (const Case& c : cases)
        EXPECT_EQ(restoredPosition(c.stored, frame, c.screens), c.expected) << c.stored.x() << "," << c.stored.y();
    EXPECT_EQ(centredPosition(frame, QRect(1024, 0, 800, 600)), QPoint(1024 + 199, 198));
    // Larger than its screen: the top-left corner, and with it the title bar, stays on it.
    const Screens small{QRect(0, 0, 300, 150), {QRect(0, 0, 300, 150)}};
    EXPECT_EQ(restoredPosition(QPoint(40, 30), frame, small), QPoint(0, 0));
}

TEST(WindowPlacement, AFittedWindowIsFittedAgainForItsFrame)
{
    const Screens one{QRect(0, 0, 1024, 768), {QRect(0, 0, 1024, 768)}};
    OpeningPosition opening;
    const QPoint fitted = opening.open(QPoint(800, 700), QSize(401, 204), one);
    EXPECT_EQ(fitted, QPoint(623, 564));
    EXPECT_EQ(opening.recentred(fitted, QSize(411, 234), one), QPoint(613, 534));
    EXPECT_EQ(opening.recentred(QPoint(613, 534), QSize(421, 244), one), std::nullopt); // once only

    OpeningPosition kept;
    kept.open(QPoint(100, 100), QSize(401, 204), one);
    EXPECT_EQ(kept.recentred(QPoint(100, 100), QSize(411, 234), one), std::nullopt);
}

TEST(WindowPlacement, StoresTwipsUnderTheProgramsKey)
{
    using namespace zarvok::settings;
    const QString exe = QStringLiteral("placement-test");
    EXPECT_EQ(settingsKey(exe), QStringLiteral("Software\\Vantrel Software\\placement-test\\Main"));
    EXPECT_EQ(readStoredPosition(exe), QPoint(0, 0));

    ASSERT_TRUE(writeStoredPosition(exe, QPoint(-20, 133)));
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, settingsKey(exe), QStringLiteral("MainLeft"), QStringLiteral("0")),
              RegValue(-300));
    EXPECT_EQ(RegReadValue(Hive::CurrentUser, settingsKey(exe), QStringLiteral("MainTop"), QStringLiteral("0")),
              RegValue(1995));
    EXPECT_EQ(readStoredPosition(exe), QPoint(-20, 133));
}

TEST(WindowPlacement, ReadsAPositionOnlyWhenBothValuesAreNumbers)
{
    struct Case {
        const char* left;
        const char* top;
        QPoint read;
    };
    const Case cases[] = {
        {"1500", "-300", QPoint(100, -20)}, // plain numbers written by hand
        {"1500", "top", QPoint()},
        {"dword:000005dc", nullptr, QPoint()},
        {"1500", "1e12", QPoint()},
        {"inf", "30", QPoint()},
    };
    for (const Case& c : cases) {
        const QString exe = QStringLiteral("placement-%1-%2").arg(QLatin1String(c.left), QLatin1String(c.top));
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vantrel Software"), exe);
        store.setValue(QStringLiteral("Main/MainLeft"), QString::fromLatin1(c.left));
        if (c.top != nullptr)
            store.setValue(QStringLiteral("Main/MainTop"), QString::fromLatin1(c.top));
        store.sync();
        EXPECT_EQ(readStoredPosition(exe), c.read) << c.left << " " << (c.top ? c.top : "(none)");
    }
}

// The results window beside the main one, on whichever side has room.
TEST(WindowPlacement, ASecondWindowOpensBesideTheMainOneWhereItFits)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize results(640, 280);
    struct Case {
        QRect owner;
        std::optional<QPoint> at;
    };
    const std::vector<Case> cases = {
        {{100, 100, 401, 230}, QPoint(509, 100)},   // right
        {{1400, 100, 401, 230}, QPoint(752, 100)},  // no room right: left
        {{700, 900, 401, 230}, QPoint(1109, 800)},  // right, moved up to stay on the screen
        {{0, 0, 1920, 400}, QPoint(0, 408)},        // as wide as the screen: below
        {{0, 700, 1920, 380}, QPoint(0, 412)},      // at the bottom: above
        {{0, 0, 1920, 1080}, std::nullopt},         // nowhere
    };
    for (const Case& c : cases)
        EXPECT_EQ(zarvok::app::besideWindow(c.owner, results, screen), c.at) << c.owner.x() << "," << c.owner.y();
}
