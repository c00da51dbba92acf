#include "TempTree.h"
#include "WindowFixture.h"
#include "WindowPlacement.h"

#include "Registry.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace zarvok::app;
using namespace zarvok::settings;

namespace {

RegValue stored(const QString& exe, const char* name)
{
    return RegReadValue(Hive::CurrentUser, settingsKey(exe), QString::fromLatin1(name), QStringLiteral("none"));
}

QPoint centre(const QWidget& window)
{
    return centredPosition(window.frameGeometry().size(), QGuiApplication::primaryScreen()->geometry());
}

} // namespace

TEST(frmMainPosition, FirstRunOpensCentredAndClosingStoresThePosition)
{
    WindowFixture f(QStringLiteral("position-first"));
    EXPECT_EQ(f.window->pos(), centre(*f.window));
    f.window->show();
    f.window->move(40, 70);
    f.window->close();
    EXPECT_EQ(stored(f.exe, "MainLeft"), RegValue(600));
    EXPECT_EQ(stored(f.exe, "MainTop"), RegValue(1050));

    WindowFixture next(QStringLiteral("position-first"));
    EXPECT_EQ(next.window->pos(), QPoint(40, 70));
}

TEST(frmMainPosition, CentresTheWholeWindowFrameIncluded)
{
    WindowFixture f(QStringLiteral("position-frame"));
    f.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.window.get()));
    QCoreApplication::processEvents();
    ASSERT_NE(f.window->frameGeometry().size(), f.window->size()) << "the platform gives windows no frame";
    EXPECT_EQ(f.window->frameGeometry().topLeft(), centre(*f.window));
}

TEST(frmMainPosition, RestoresWhatIsStored)
{
    struct Case {
        const char* exe;
        QPoint storedPixels;
        bool centred;
        QPoint opened = storedPixels;
    };
    const Case cases[] = {
        {"position-zero", {0, 0}, true},
        {"position-left-zero", {0, 30}, false},
        {"position-top-zero", {30, 0}, false},
        {"position-negative", {-100, -20}, false, {0, 0}}, // partly off: moved onto the screen
        {"position-nowhere", {-5000, -5000}, true},  // on no screen at all
        {"position-far", {100000, 20}, true},
    };
    for (const Case& c : cases) {
        const QString exe = QString::fromLatin1(c.exe);
        writeStoredPosition(exe, c.storedPixels);
        WindowFixture f(exe);
        EXPECT_EQ(f.window->pos(), c.centred ? centre(*f.window) : c.opened) << c.exe;
    }
}

TEST(frmMainPosition, ClosingMinimisedKeepsThePreviousPosition)
{
    const QString exe = QStringLiteral("position-minimised");
    writeStoredPosition(exe, {20, 30});
    WindowFixture f(exe);
    f.window->show();
    f.window->move(200, 200);
    f.window->setWindowState(Qt::WindowMinimized);
    f.window->close();
    EXPECT_EQ(stored(exe, "MainLeft"), RegValue(300));
    EXPECT_EQ(stored(exe, "MainTop"), RegValue(450));
}

// Quitting during a run asks first: No lets the run go on; Yes stops the engine, keeps the
// position, and leaves the run's record where the user can read it.
TEST(frmMainPosition, QuittingDuringAnEraseAsksThenStopsTheEngineAndLeavesARecord)
{
    for (const bool quit : {false, true}) {
        SCOPED_TRACE(quit ? "Yes" : "No");
        TempTree tree;
        const QString folder = tree.folder("busy", 10);
        qputenv("XDG_STATE_HOME", tree.path("state").toUtf8());
        WindowFixture f(QStringLiteral("position-erasing"));
        f.window->show();
        f.window->move(33, 44);
        f.cboPath()->setEditText(folder);
        f.button("cmdCopy")->click();
        f.button("cmdPaste")->click();
        QString asked;
        *f.onErase = [&](const QString&) {
            QTest::mouseClick(f.button("cmdQuit"), Qt::LeftButton);
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            asked = box->text();
            QTest::mouseClick(box->button(quit ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        };
        f.button("cmdDelete")->click();
        EXPECT_EQ(asked, QStringLiteral("Stop erasing and quit?"));
        EXPECT_TRUE(f.waitForRunEnd(3000));
        QTest::qWait(50);
        EXPECT_EQ(f.window->isVisible(), !quit);
        EXPECT_EQ(f.eraser->stops, quit ? 1 : 0);
        const QString record = tree.path("state") + QStringLiteral("/zarvok/last-run.txt");
        EXPECT_EQ(QFileInfo::exists(record), quit);
        if (quit) {
            EXPECT_EQ(stored(f.exe, "MainLeft"), RegValue(33 * 15));
            EXPECT_EQ(stored(f.exe, "MainTop"), RegValue(44 * 15));
            QFile file(record);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains(folder + QStringLiteral("\t"))) << record.toStdString();
        } else {
            EXPECT_FALSE(QFileInfo::exists(folder)); // erased to its end
        }
        qunsetenv("XDG_STATE_HOME");
    }
}
