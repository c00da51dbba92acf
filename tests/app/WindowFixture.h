#pragma once
// A main window with scripted desktop services, each test under its own settings key.

#include "BackgroundEraser.h"
#include "frmMain.h"
#include "skinbutton/core/SkinButton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

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

// The real worker, with a hook that runs as each erase starts.
class HookedEraser final : public zarvok::app::FolderEraser {
public:
    using Hook = std::shared_ptr<std::function<void(const QString&)>>;
    HookedEraser(Hook before, Hook after, zarvok::app::BackgroundEraser::InputPolicy policy)
        : m_hook(std::move(before))
        , m_after(std::move(after))
        , m_real(nullptr, std::move(policy))
    {
    }
    zarvok::erase::Outcome eraseFolder(const QString& path) override
    {
        if (*m_hook)
            (*m_hook)(path);
        const auto outcome = m_real.eraseFolder(path);
        if (*m_after)
            (*m_after)(path);
        return outcome;
    }
    std::uint64_t removedSoFar() const override { return m_real.removedSoFar(); }
    zarvok::app::BackgroundEraser& real() { return m_real; }

private:
    Hook m_hook, m_after;
    zarvok::app::BackgroundEraser m_real;
};

struct WindowFixture {
    explicit WindowFixture(const QString& executable)
        : exe(executable)
    {
        zarvok::app::WindowServices services;
        services.folderDialog = std::make_unique<ScriptedFolderDialog>(dialog);
        auto hooked = std::make_unique<HookedEraser>(onErase, afterErase, [this](QObject* w, QEvent* e) {
            return window ? window->inputDuringErase(w, e) : zarvok::app::InputDuringErase::Hold;
        });
        eraser = hooked.get();
        services.eraser = std::move(hooked);
        services.exitNow = [this] { ++exits; };
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

    QString exe;
    std::shared_ptr<ScriptedFolderDialog::Script> dialog = std::make_shared<ScriptedFolderDialog::Script>();
    HookedEraser::Hook onErase = std::make_shared<std::function<void(const QString&)>>();
    HookedEraser::Hook afterErase = std::make_shared<std::function<void(const QString&)>>();
    HookedEraser* eraser = nullptr;
    int exits = 0;
    std::unique_ptr<zarvok::app::frmMain> window;
};
