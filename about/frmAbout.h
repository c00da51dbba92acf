#pragma once
// The About window: the program's name, version, copyright, comments and licence, a logo that
// shows its pressed picture while a mouse button is down on it, and links to the home page and
// to a new e-mail. One modeless instance per owner window; closing it deletes it.

#include "VersionInfo.h"
#include "skinbutton/core/LinkOpener.h"

#include <QWidget>

#include <memory>

class QLabel;
class QPlainTextEdit;

namespace skin {
class SkinButton;
}

namespace zarvok::about {

class LinkLabel;
class SvgPicture;

inline const QString kForm = QStringLiteral(":/forms/frmAbout.json");

class frmAbout final : public QWidget {
    Q_OBJECT
public:
    // links: who opens the two links (null: the desktop).
    explicit frmAbout(QWidget* owner, std::unique_ptr<skin::LinkOpener> links = nullptr,
                      VersionInfo version = programVersionInfo());

    // Loaded from construction until closed (its deletion may wait for the event loop).
    bool isLoaded() const { return m_loaded; }

public slots:
    void cmdOK_Click();
    void lblEMail_Click();
    void lblHomePage_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPictures();
    void buildLabels();
    void buildTerms();
    void buildLinkLine();
    void buildButton();
    void applyColours();
    void Load();
    void showPressedLogo(bool pressed);
    void open(const QUrl& link);

    std::unique_ptr<skin::LinkOpener> m_links;
    VersionInfo m_version;
    bool m_loaded = false;

    SvgPicture* picLogo = nullptr;
    SvgPicture* picLogo2 = nullptr;
    SvgPicture* imgNorm = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblComments = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* lblTittel = nullptr;
    LinkLabel* lblHomePage = nullptr;
    LinkLabel* lblEMail = nullptr;
    skin::SkinButton* cmdOK = nullptr;
};

// The owner's About command: shows its About window, loading a fresh one when none is open and
// bringing the open one forward otherwise.
frmAbout* showAbout(QWidget* owner);

} // namespace zarvok::about
