#pragma once
// A main window with scripted desktop services, each test under its own settings key.

#include "BackgroundEraser.h"
#include "frmMain.h"
#include "skinbutton/core/SkinButton.h"

#include <QComboBox>
#include <QLabel>
#include <QHash>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Answers the folder chooser as scripted and keeps every request.
class ScriptedFolderDialog final : public zarvok::picker::FolderDialog {
public:
    struct Script {
        QString answer;
        QList<zarvok::picker::FolderDialogRequest> requests;
    };
    explicit ScriptedFolderDialog(std::shared_ptr<Script> script)
        : m_script(std::move(script))
    {
    }
    QString choose(QWidget*, const zarvok::picker::FolderDialogRequest& request) override
    {
        m_script->requests.append(request);
        return m_script->answer;
    }

private:
    std::shared_ptr<Script> m_script;
};

// The real worker, with hooks that run once each erase has started and as it ends, and outcomes
// scripted per path that are answered without touching the disk.
class HookedEraser final : public zarvok::app::FolderEraser {
public:
    using Hook = std::shared_ptr<std::function<void(const QString&)>>;
    HookedEraser(Hook before, Hook after)
        : m_hook(std::move(before))
        , m_after(std::move(after))
    {
        connect(&m_real, &FolderEraser::finished, this, [this](const zarvok::erase::Outcome& outcome) { end(outcome); });
    }
    void start(const QString& path) override
    {
        m_path = path;
        stops = 0;
        m_scriptedLast = scripted.contains(path);
        if (m_scriptedLast)
            QTimer::singleShot(0, this, [this, outcome = scripted.value(path)] { end(outcome); });
        else
            m_real.start(path);
        if (*m_hook)
            (*m_hook)(path); // the engine is at work
    }
    void stop() override
    {
        ++stops;
        m_real.stop();
    }
    std::uint64_t removedSoFar() const override { return m_scriptedLast ? 0 : m_real.removedSoFar(); }
    zarvok::app::BackgroundEraser& real() { return m_real; }

    QHash<QString, zarvok::erase::Outcome> scripted;
    int stops = 0; // of the erase in progress or the last one

private:
    void end(const zarvok::erase::Outcome& outcome)
    {
        if (*m_after)
            (*m_after)(m_path);
        emit finished(outcome);
    }

    Hook m_hook, m_after;
    zarvok::app::BackgroundEraser m_real;
    QString m_path;
    bool m_scriptedLast = false;
};

// Surveys nothing until a test answers: a folder stays "counting" with nothing counted yet.
class ScriptedSurveyor final : public zarvok::app::FolderSurveyor {
public:
    void start(const QString& path, Priority priority) override
    {
        started << path;
        priorities << priority;
    }
    void stop() override { ++stops; }
    std::uint64_t entriesSoFar() const override { return soFar; }
    std::uint64_t bytesSoFar() const override { return 0; }
    void answer(const zarvok::erase::Survey& survey) { emit finished(survey); }

    QStringList started;
    QList<Priority> priorities;
    int stops = 0;
    std::uint64_t soFar = 0; // what the survey under way has counted
};

// Keeps what the taskbar was told.
class RecordingDesktop final : public zarvok::app::DesktopBridge {
public:
    void showProgress(std::optional<double> fraction) override { progress << fraction; }
    void notify(const QString& summary, const QString& body, std::function<void()> activated) override
    {
        notified << summary + QLatin1Char('|') + body;
        pick = std::move(activated);
    }
    QList<std::optional<double>> progress;
    QStringList notified;
    std::function<void()> pick;
};

struct WindowFixture {
    explicit WindowFixture(const QString& executable)
        : exe(executable)
    {
        zarvok::app::WindowServices services;
        services.folderDialog = std::make_unique<ScriptedFolderDialog>(dialog);
        auto hooked = std::make_unique<HookedEraser>(onErase, afterErase);
        eraser = hooked.get();
        services.eraser = std::move(hooked);
        auto scriptedSurveyor = std::make_unique<ScriptedSurveyor>();
        surveyor = scriptedSurveyor.get();
        services.surveyor = std::move(scriptedSurveyor);
        auto recordingDesktop = std::make_unique<RecordingDesktop>();
        desktop = recordingDesktop.get();
        services.desktop = std::move(recordingDesktop);
        services.executableName = exe;
        window = std::make_unique<zarvok::app::frmMain>(std::move(services));
    }

    template <typename T = QWidget>
    T* child(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    skin::SkinButton* button(const char* name) const { return child<skin::SkinButton>(name); }
    QComboBox* cboPath() const { return child<QComboBox>("cboPath"); }
    QString field() const { return cboPath()->currentText(); }
    QString label(const char* name) const { return child<QLabel>(name)->text(); }
    QStringList items() const
    {
        QStringList all;
        for (int i = 0; i < cboPath()->count(); ++i)
            all << cboPath()->itemText(i);
        return all;
    }

    // Delete, and the run it starts seen to its end (message boxes are the caller's to answer).
    bool deleteAndWait(int timeoutMs = 30000) const
    {
        button("cmdDelete")->click();
        return waitForRunEnd(timeoutMs);
    }
    bool waitForRunEnd(int timeoutMs = 30000) const
    {
        return QTest::qWaitFor([this] { return !window->isErasing(); }, timeoutMs);
    }

    QString exe;
    std::shared_ptr<ScriptedFolderDialog::Script> dialog = std::make_shared<ScriptedFolderDialog::Script>();
    HookedEraser::Hook onErase = std::make_shared<std::function<void(const QString&)>>();
    HookedEraser::Hook afterErase = std::make_shared<std::function<void(const QString&)>>();
    HookedEraser* eraser = nullptr;
    ScriptedSurveyor* surveyor = nullptr;
    RecordingDesktop* desktop = nullptr;
    std::unique_ptr<zarvok::app::frmMain> window;
};
