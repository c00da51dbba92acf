// Erasing as administrator from the window: which results offer it, how zarvok-erase's answer
// is read, and the results view's action and status line with a scripted zarvok-erase --admin.

#include "AdminEraser.h"
#include "Announcer.h"
#include "ModalAnswerer.h"
#include "ResultsView.h"
#include "WindowFixture.h"

#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cerrno>

namespace zarvok::app {
namespace {

erase::Outcome failedWith(int error, const std::string& at)
{
    erase::Outcome outcome;
    outcome.status = erase::Status::Failed;
    outcome.error = std::error_code(error, std::system_category());
    outcome.reason = outcome.error.message();
    outcome.failedPath = at;
    return outcome;
}

TEST(EraseAsAdministrator, IsOfferedForFoldersTheUserMayNotEmpty)
{
    erase::Outcome refused = failedWith(EPERM, "/x");
    refused.status = erase::Status::Refused;
    EXPECT_TRUE(mayEraseAsAdministrator(resultOf("/x", failedWith(EACCES, "/x/a"), 3, 10)));
    EXPECT_TRUE(mayEraseAsAdministrator(resultOf("/x", failedWith(EPERM, "/x/a"), 3, 10)));
    EXPECT_FALSE(mayEraseAsAdministrator(resultOf("/x", failedWith(EIO, "/x/a"), 3, 10)));
    EXPECT_FALSE(mayEraseAsAdministrator(resultOf("/x", failedWith(EXDEV, "/x/a"), 3, 10))); // a mount inside
    EXPECT_FALSE(mayEraseAsAdministrator(resultOf("/x", refused, 0, 0)));                    // the rules refused it
    EXPECT_FALSE(mayEraseAsAdministrator(resultOf("/x", failedWith(ECANCELED, "/x"), 3, 10))); // stopped
    EXPECT_FALSE(mayEraseAsAdministrator(resultOf("/x", erase::Outcome{}, 3, 10)));
}

// Only what zarvok-erase reported of a folder counts; a folder it told nothing of stays not erased.
TEST(EraseAsAdministrator, BelievesOnlyTheRecordsOfEachFolder)
{
    using Kind = FolderResult::Kind;
    struct Case {
        QStringList folders;
        bool started;
        QByteArray report;
        QByteArray said; // standard error
        bool granted;
        QList<Kind> kinds;
        QString message; // a part of it; empty: none
    };
    const QByteArray erasedA = R"({"path":"/a","outcome":"erased","removed":3,"seconds":0.100})" "\n";
    const QList<Case> cases = {
        {{"/a", "/b"}, true, erasedA + R"({"path":"/b","outcome":"erased","removed":1,"seconds":0.000})" "\n", "", true,
         {Kind::Erased, Kind::Erased}, ""},
        {{"/a", "/b c"}, true,
         erasedA + R"({"path":"/b c","outcome":"not-erased","removed":2,"seconds":0.5,"errno":16,"reason":"Device or resource busy","at":"/b c/m","untouched":false})" "\n",
         "", true, {Kind::Erased, Kind::NotErased}, "/b c: Not fully erased as administrator (Device or resource busy)"},
        {{"/usr/x"}, true,
         R"({"path":"/usr/x","outcome":"refused","removed":0,"seconds":0.000,"errno":1,"reason":"it lies in /usr, which is never erased as administrator","at":"","untouched":true})" "\n",
         "", true, {Kind::Refused}, "it lies in /usr, which is never erased as administrator"},
        {{"/a\nb"}, true, R"({"path":"/a\u000ab","outcome":"not-a-folder","removed":0,"seconds":0.000,"found":"symbolic-link"})" "\n", "",
         true, {Kind::NotAFolder}, "a symbolic link"},
        {{"/a"}, true, R"({"path":"/a","outcome":"not-granted","removed":0,"reason":"the password was not accepted","untouched":true})" "\n",
         "zarvok-erase: administrator rights were not granted: ...", false, {},
         "Nothing was erased: administrator rights were not granted (the password was not accepted)"},
        {{"/a"}, false, "", "", false, {}, "zarvok-erase could not be started"},
        // pkexec's own failure, told in no record: Ctrl+D at its prompt
        {{"/a"}, true, "", "Got unexpected EOF while reading from controlling terminal.\n", true, {Kind::NotErased},
         "ended without telling what became of it: Got unexpected EOF"},
        // the administrator's side killed after the first folder
        {{"/a", "/b"}, true, erasedA, "", true, {Kind::Erased, Kind::NotErased}, "/b: Not fully erased as administrator"},
        {{"/a", "/b", "/c"}, true,
         erasedA + R"({"path":"/b","outcome":"stopped","removed":12,"seconds":0.2,"errno":125,"reason":"Operation canceled","at":"/b","untouched":false})" "\n"
                   R"({"path":"/c","outcome":"not-begun","removed":0,"errno":125,"untouched":true})" "\n",
         "", true, {Kind::Erased, Kind::Stopped, Kind::Stopped}, "/c: Stopped: 0 removed in 0.0 s (stopped before it was begun"},
    };
    for (const Case& c : cases) {
        const AdminRun run = adminRunOf(c.folders, c.started, c.report, c.said);
        EXPECT_EQ(run.granted, c.granted) << c.report.constData();
        QList<Kind> kinds;
        for (const FolderResult& result : run.results) {
            kinds << result.kind;
            EXPECT_TRUE(result.asAdministrator);
        }
        EXPECT_EQ(kinds, c.kinds) << c.report.constData();
        if (c.message.isEmpty())
            EXPECT_TRUE(run.message.isEmpty()) << run.message.toStdString();
        else
            EXPECT_TRUE(run.message.contains(c.message)) << run.message.toStdString();
    }
}

// The real process route, with a stand-in program for zarvok-erase: the arguments it is given,
// and its answer read back without the caller waiting on it.
TEST(EraseAsAdministrator, RunsZarvokEraseAsAProcessOfItsOwn)
{
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("zarvok-erase"));
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args\"\n"
                 "echo '{\"path\":\"/x/one\",\"outcome\":\"not-granted\",\"reason\":\"polkit said no: this user may not\"}'\n"
                 "echo '{\"path\":\"-two\",\"outcome\":\"not-granted\",\"reason\":\"polkit said no: this user may not\"}'\nexit 3\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ProcessAdminEraser eraser(program);
    QList<AdminRun> runs;
    QObject::connect(&eraser, &AdminEraser::finished, [&](const AdminRun& run) { runs << run; });

    eraser.start({QStringLiteral("/x/one"), QStringLiteral("-two")});
    EXPECT_TRUE(eraser.running());
    EXPECT_TRUE(runs.isEmpty()); // never from inside start()
    ASSERT_TRUE(QTest::qWaitFor([&] { return !runs.isEmpty(); }, 10000));
    EXPECT_FALSE(eraser.running());
    EXPECT_FALSE(runs.at(0).granted);
    EXPECT_TRUE(runs.at(0).message.contains(QStringLiteral("polkit said no"))) << runs.at(0).message.toStdString();
    QFile args(dir.filePath(QStringLiteral("args")));
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(args.readAll()), QStringLiteral("--admin\n--report=json\n--\n/x/one\n-two\n"));

    ProcessAdminEraser missing(dir.filePath(QStringLiteral("no-such-program")));
    QObject::connect(&missing, &AdminEraser::finished, [&](const AdminRun& run) { runs << run; });
    missing.start({QStringLiteral("/x")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return runs.size() == 2; }, 10000));
    EXPECT_TRUE(runs.at(1).message.contains(QStringLiteral("could not be started"))) << runs.at(1).message.toStdString();

    // The window going stops a run with SIGTERM, which zarvok-erase passes on to the administrator's erase.
    const QString slow = dir.filePath(QStringLiteral("slow-zarvok-erase"));
    QFile slowScript(slow);
    ASSERT_TRUE(slowScript.open(QIODevice::WriteOnly));
    slowScript.write("#!/bin/sh\ntrap 'echo TERM > \"$(dirname \"$0\")/stopped\"; exit 4' TERM\n"
                     "touch \"$(dirname \"$0\")/running\"\nwhile :; do sleep 0.05; done\n");
    slowScript.close();
    slowScript.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    {
        ProcessAdminEraser going(slow);
        going.start({QStringLiteral("/x")});
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.filePath(QStringLiteral("running"))); }, 10000));
    }
    QFile stopped(dir.filePath(QStringLiteral("stopped")));
    ASSERT_TRUE(stopped.open(QIODevice::ReadOnly));
    EXPECT_EQ(stopped.readAll(), QByteArray("TERM\n"));
}

// Stands in for zarvok-erase --admin: keeps what it was asked, and answers when told.
class ScriptedAdminEraser final : public AdminEraser {
public:
    void start(const QStringList& folders) override
    {
        asked << folders;
        m_running = true;
    }
    bool running() const override { return m_running; }
    void answer(const AdminRun& run)
    {
        m_running = false;
        emit finished(run);
    }
    QList<QStringList> asked;

private:
    bool m_running = false;
};

// A shown window whose erases end as scripted and whose administrator route answers as the test
// says, after a run of `folder` (which failed).
struct WindowAfterFailure {
    WindowAfterFailure(const QString& folder, QHash<QString, erase::Outcome> scripted)
    {
        auto none = std::make_shared<std::function<void(const QString&)>>();
        auto eraser = std::make_unique<HookedEraser>(none, none);
        eraser->scripted = std::move(scripted);
        auto admin = std::make_unique<ScriptedAdminEraser>();
        asked = admin.get();
        WindowServices services;
        services.eraser = std::move(eraser);
        services.surveyor = std::make_unique<ScriptedSurveyor>();
        services.adminEraser = std::move(admin);
        services.executableName = QStringLiteral("zarvok-admin-test");
        window = std::make_unique<frmMain>(std::move(services));
        window->show();
        window->takeFoldersFromOutside({folder});
        window->onDeleteClicked();
        ran = QTest::qWaitFor([&] { return !window->isErasing(); }, 10000);
    }

    ModalAnswerer answerer;
    ScriptedAdminEraser* asked = nullptr;
    std::unique_ptr<frmMain> window;
    bool ran = false;
};

TEST(EraseAsAdministrator, FromTheResultsViewAndTheFailedEntry)
{
    const QString locked = QStringLiteral("/zarvok-test/locked");
    const QString missing = QStringLiteral("/zarvok-test/gone");
    erase::Outcome gone;
    gone.status = erase::Status::NoFolder;
    WindowAfterFailure failed(locked, {{locked, failedWith(EACCES, "/zarvok-test/locked/root-owned/file")}, {missing, gone}});
    ASSERT_TRUE(failed.ran);
    frmMain& window = *failed.window;
    ScriptedAdminEraser* asked = failed.asked;
    ASSERT_NE(window.results().find(locked), nullptr);

    QMenu menu;
    EXPECT_TRUE(window.addAdministratorAction(&menu, locked));
    EXPECT_FALSE(window.addAdministratorAction(&menu, missing));
    ASSERT_EQ(menu.actions().size(), 1);
    EXPECT_EQ(menu.actions().at(0)->text(), QStringLiteral("Erase as &Administrator..."));
    EXPECT_TRUE(menu.actions().at(0)->isEnabled());

    window.showResults();
    auto* view = window.findChild<ResultsView*>(QStringLiteral("ResultsView"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->administratorFolders(), QStringList{locked});
    auto* button = view->findChild<QPushButton*>(QStringLiteral("eraseAsAdministrator"));
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->isEnabled());
    button->click();
    ASSERT_EQ(asked->asked, QList<QStringList>{QStringList{locked}});
    EXPECT_FALSE(button->isEnabled()); // one administrator's run at a time
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("lblPro"))->text().contains(QStringLiteral("as administrator")));
    button->click();
    EXPECT_EQ(asked->asked.size(), 1);

    asked->answer(adminRunOf({locked}, true, R"({"path":"/zarvok-test/locked","outcome":"erased","removed":4,"seconds":0.1})", {}));
    EXPECT_EQ(window.results().find(locked)->kind, FolderResult::Kind::Erased);
    EXPECT_EQ(outcomeText(*window.results().find(locked)), QStringLiteral("Erased as administrator"));
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblPro"))->text(), QStringLiteral("Erased as administrator"));
    EXPECT_EQ(window.findChild<Announcer*>()->lastText(), QStringLiteral("Erased as administrator")); // heard, too
    EXPECT_TRUE(view->administratorFolders().isEmpty());
    EXPECT_FALSE(button->isEnabled());
    // erased, so no longer queued for the next Delete
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("lblTitle"))->text().endsWith(QStringLiteral(": 0 in list")));
}

TEST(EraseAsAdministrator, NotGrantedIsToldAndTouchesNothing)
{
    const QString locked = QStringLiteral("/zarvok-test/locked");
    WindowAfterFailure failed(locked, {{locked, failedWith(EPERM, "/zarvok-test/locked/immutable")}});
    ASSERT_TRUE(failed.ran);
    frmMain& window = *failed.window;
    ScriptedAdminEraser* asked = failed.asked;
    const ModalAnswerer& answerer = failed.answerer;

    window.eraseAsAdministrator({locked});
    ASSERT_EQ(asked->asked.size(), 1);
    asked->answer(adminRunOf({locked}, true,
                             R"({"path":"/zarvok-test/locked","outcome":"not-granted","reason":"no authentication agent answered"})", {}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answerer.shown.isEmpty(); }, 5000));
    EXPECT_TRUE(answerer.texts().last().contains(QStringLiteral("Nothing was erased: administrator rights were not granted")))
        << answerer.texts().last().toStdString();
    EXPECT_EQ(window.results().find(locked)->kind, FolderResult::Kind::NotErased);
    EXPECT_FALSE(window.results().find(locked)->asAdministrator);
    EXPECT_EQ(window.queue().entries(), QStringList{locked});
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblPro"))->text(),
              QStringLiteral("Not erased: administrator rights were not granted"));
}

} // namespace
} // namespace zarvok::app
