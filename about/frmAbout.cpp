#include "frmAbout.h"

#include "AboutLayout.h"
#include "AboutTexts.h"
#include "AboutWidgets.h"
#include "forms/ButtonForm.h"
#include "forms/Fonts.h"
#include "forms/Placing.h"
#include "forms/ThemeColours.h"
#include "skinbutton/core/SkinButton.h"

#include <ProjectInfo.h>

#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QtDebug>

#include <algorithm>

namespace zarvok::about {
namespace {

const QColor kTitleColour(0, 128, 128);
const QColor kVersionColour(255, 0, 0);
const QColor kLinkColour(0, 0, 192);
using forms::fonts::sansSerif;
using forms::place;

QLabel* makeLabel(QWidget* parent, const char* name, const layout::Twips& where, const QFont& labelFont)
{
    return forms::placeLabel(parent, name, QString(), where, Qt::AlignLeft | Qt::AlignTop, labelFont);
}

void setTextColour(QWidget* widget, const QColor& designed, const QColor& background)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, forms::readableOn(designed, background));
    widget->setPalette(colours);
}

// A link keeps its designed place and size unless the font in use (a substitute of the
// designed one) draws wider: then it moves right to clear the lead-in's words before it and
// widens to show all of its own text.
void fitLink(QLabel* link, const QLabel* leadIn, const QString& wordsBefore)
{
    const int clear = leadIn->x() + leadIn->fontMetrics().horizontalAdvance(wordsBefore);
    link->setGeometry(std::max(link->x(), clear), link->y(),
                      std::max(link->width(), link->fontMetrics().horizontalAdvance(link->text())), link->height());
}

QString licenceText()
{
    QFile licence(QStringLiteral(":/LICENSE"));
    if (!licence.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(licence.readAll());
}

} // namespace

frmAbout::frmAbout(QWidget* owner, std::unique_ptr<skin::LinkOpener> links, VersionInfo version)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint)
    , m_links(links ? std::move(links) : std::make_unique<skin::DesktopLinkOpener>())
    , m_version(std::move(version))
{
    setObjectName(QStringLiteral("frmAbout"));
    forms::setAccessibleRole(this, QAccessible::Dialog);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(layout::kClientSize);
    setFont(sansSerif(8.25, QFont::Bold));

    buildPictures();
    buildLabels();
    buildTerms();
    buildLinkLine();
    buildButton();
    applyColours();
    setTabOrder(cmdOK, lblHomePage);
    setTabOrder(lblHomePage, lblEMail);
    setTabOrder(lblEMail, Text1);

    Load();
}

void frmAbout::buildPictures()
{
    const QString invitation = QStringLiteral("Visit the Zarvok home page: ") + QString::fromUtf8(info::kHomePage);
    picLogo = place(new SvgPicture(QStringLiteral(":/about/logo.svg"), this), "picLogo", layout::picLogo);
    picLogo2 = place(new SvgPicture(QStringLiteral(":/about/logo-pressed.svg"), this), "picLogo2", layout::picLogo);
    for (SvgPicture* logo : {picLogo, picLogo2}) {
        logo->setToolTip(invitation);
        logo->installEventFilter(this);
    }
    picLogo2->hide();
    imgNorm = place(new SvgPicture(QStringLiteral(":/icons/zarvok.svg"), this), "imgNorm", layout::imgNorm);
}

void frmAbout::buildLabels()
{
    lblTitle = makeLabel(this, "lblTitle", layout::lblTitle, sansSerif(13.5, QFont::Bold));
    lblVersion = makeLabel(this, "lblVersion", layout::lblVersion, sansSerif(12, QFont::Bold));
    lblCopyright = makeLabel(this, "lblCopyright", layout::lblCopyright, sansSerif(8.25, QFont::Normal));
    lblComments = makeLabel(this, "lblComments", layout::lblComments, sansSerif(8.25, QFont::Normal));
    lblComments->setWordWrap(true);
}

void frmAbout::buildTerms()
{
    Text1 = place(new QPlainTextEdit(this), "Text1", layout::Text1);
    Text1->setReadOnly(true);
    Text1->setAccessibleName(QStringLiteral("Licence"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setTabChangesFocus(true);
    Text1->setPlainText(distributionTerms(licenceText(), QString::fromUtf8(info::kHomePage)));

    auto* rule = place(new QFrame(this), "Frame1", layout::Frame1);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
}

void frmAbout::buildLinkLine()
{
    lblTittel = makeLabel(this, "lblTittel", layout::lblTittel, sansSerif(8.25, QFont::Normal));
    lblTittel->setText(kLinkLeadIn);
    // Created after the lead-in, so that they lie over its blanks.
    const QFont linkFont = sansSerif(8.25, QFont::Bold, true);
    lblHomePage = place(new LinkLabel(QStringLiteral("WebSite"), this), "lblHomePage", layout::lblHomePage);
    lblHomePage->setToolTip(QString::fromUtf8(info::kHomePage));
    lblEMail = place(new LinkLabel(QStringLiteral("Email me"), this), "lblEMail", layout::lblEMail);
    lblEMail->setToolTip(QString::fromUtf8(info::kContactEmail));
    for (LinkLabel* link : {lblHomePage, lblEMail})
        link->setFont(linkFont);
    fitLink(lblHomePage, lblTittel, kLeadInWords + QLatin1Char(' '));
    fitLink(lblEMail, lblTittel, kLinkLeadIn);
    connect(lblHomePage, &LinkLabel::Click, this, &frmAbout::lblHomePage_Click);
    connect(lblEMail, &LinkLabel::Click, this, &frmAbout::lblEMail_Click);
}

void frmAbout::buildButton()
{
    cmdOK = place(new skin::SkinButton(this), "cmdOK", layout::cmdOK);
    QString problem;
    if (!cmdOK->readProperties(forms::storedProperties(kForm, cmdOK->objectName()), &problem))
        qWarning() << "Stored properties of cmdOK not fully read:" << problem;
    cmdOK->setGeometry(forms::toPixels(layout::cmdOK));
    connect(cmdOK, &skin::SkinButton::Click, this, &frmAbout::cmdOK_Click);
}

void frmAbout::applyColours()
{
    const QColor background = palette().color(QPalette::Window);
    setTextColour(lblTitle, kTitleColour, background);
    setTextColour(lblVersion, kVersionColour, background);
    for (QLabel* link : {static_cast<QLabel*>(lblHomePage), static_cast<QLabel*>(lblEMail)})
        setTextColour(link, kLinkColour, background);
}

void frmAbout::Load()
{
    setWindowTitle(kCaption);
    lblTitle->setText(m_version.productName);
    lblVersion->setText(versionText(m_version.major, m_version.revision));
    lblCopyright->setText(copyrightText(m_version.legalCopyright));
    lblComments->setText(m_version.comments);
    QFont titleFont = lblTitle->font();
    titleFont.setFamily(QStringLiteral("Arial"));
    lblTitle->setFont(titleFont);
    m_loaded = true;
    cmdOK->setFocus();
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::lblEMail_Click()
{
    open(mailtoLink(QString::fromUtf8(info::kContactEmail), lblTitle->text()));
}

void frmAbout::lblHomePage_Click()
{
    open(QUrl(lblHomePage->toolTip()));
}

void frmAbout::open(const QUrl& link)
{
    // As designed, a missing browser or mail program shows nothing; the log says why.
    if (!m_links->open(link))
        qWarning() << "No program opened" << link.toString();
}

void frmAbout::showPressedLogo(bool pressed)
{
    picLogo2->setVisible(pressed);
    picLogo->setVisible(!pressed);
    // The release must come back here wherever the pointer is by then.
    if (pressed)
        picLogo2->grabMouse();
    else
        picLogo2->releaseMouse();
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == picLogo && event->type() == QEvent::MouseButtonPress) {
        showPressedLogo(true);
        return true;
    }
    if ((watched == picLogo || watched == picLogo2) && event->type() == QEvent::MouseButtonRelease) {
        showPressedLogo(false);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        close();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void frmAbout::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange && lblTitle != nullptr)
        applyColours();
    QWidget::changeEvent(event);
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    // Unloaded from here on, even while its deletion waits for the event loop.
    m_loaded = false;
    QWidget::closeEvent(event);
}

frmAbout* showAbout(QWidget* owner)
{
    frmAbout* about = nullptr;
    for (frmAbout* child : owner->findChildren<frmAbout*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isLoaded())
            about = child;
    if (about == nullptr) {
        about = new frmAbout(owner);
        const QScreen* screen = owner->screen();
        about->setGeometry(centredOver(owner->geometry(), about->size(), screen ? screen->availableGeometry() : QRect()));
    }
    about->show();
    about->raise();
    about->activateWindow();
    return about;
}

} // namespace zarvok::about
