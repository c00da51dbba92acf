#include "frmMain.h"

#include "Announcer.h"
#include "BackgroundEraser.h"
#include "CommandHints.h"
#include "DropPaths.h"
#include "Layout.h"
#include "PastedText.h"
#include "PathKeyFilter.h"
#include "WindowPlacement.h"
#include "forms/ButtonForm.h"
#include "forms/EtchedRule.h"
#include "forms/FocusRing.h"
#include "forms/Fonts.h"
#include "forms/Placing.h"
#include "forms/ThemeColours.h"
#include "picker/QtFolderDialog.h"
#include "skinbutton/core/SkinButton.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QTimer>
#include <QShortcut>
#include <QtDebug>

#include <utility>

namespace zarvok::app {
namespace {

const QString kForm = QStringLiteral(":/forms/frmMain.json");
const QColor kHeaderColour(0, 0, 192);
const QColor kHintColour(64, 64, 64);

} // namespace

frmMain::frmMain(WindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_executableName(services.executableName.isEmpty() ? executableName() : services.executableName)
    , m_eraser(services.eraser ? std::move(services.eraser) : std::make_unique<BackgroundEraser>())
    , m_browse(services.folderDialog ? std::move(services.folderDialog) : std::make_unique<picker::QtFolderDialog>())
    , m_queue(new EraseQueue(this))
    , m_results(new RunResults(this))
    , m_surveys(new FolderSurveys(services.surveyor ? std::move(services.surveyor) : makeBackgroundSurveyor(), this))
    , m_desktop(services.desktop ? std::move(services.desktop) : std::make_unique<NoDesktop>())
    , m_admin(services.adminEraser ? std::move(services.adminEraser) : std::make_unique<ProcessAdminEraser>())
    , m_loop(*m_queue, *this, *m_eraser, *m_results)
    , m_runTick(new QTimer(this))
    , m_progress(new EraseProgress([this] { return m_eraser->removedSoFar(); },
                                   // Shown, not announced: a screen reader would read it four times a second.
                                   [this](const QString& text) { lblPro->setText(text); }, this))
{
    setObjectName(QStringLiteral("frmMain"));
    forms::setAccessibleRole(this, QAccessible::Window); // a frame to screen readers
    setWindowTitle(kWindowTitle);
    setWindowIcon(QIcon(QStringLiteral(":/icons/zarvok.svg")));
    setFixedSize(layout::kClientSize);
    setMouseTracking(true);

    buildPanels();
    buildButtons();
    buildLabels();
    buildPathList();
    buildResultsLink();
    buildProgressBar();
    buildAdminRoute();
    m_announcer = new Announcer(PicStatus);
    buildQueueCommands();
    // The style's own focus look for the field and the link fades on dark palettes.
    new forms::FocusRing(cboPath);
    new forms::FocusRing(lblResults);
    connectHints();
    applyColours();
    QWidget* const tabOrder[] = {cmdQuit, cmdDelete, cmdCopy, cmdPaste, cmdAbout, cmdBrowse, cboPath};
    for (size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(m_queue, &EraseQueue::countChanged, this, [this] {
        m_surveys->follow(m_queue->entries());
        showCount();
    });
    connect(m_surveys, &FolderSurveys::changed, this, [this](const QString& folder) {
        refreshNote(folder);
        showCount();
    });
    connect(&m_loop, &EraseLoop::erasing, this, &frmMain::onErasing);
    connect(m_surveys, &FolderSurveys::surveyed, this, &frmMain::onSurveyed);
    m_runTick->setInterval(EraseProgress::kRefreshMs);
    connect(m_runTick, &QTimer::timeout, this, &frmMain::showRunProgress);
    connect(cmdQuit, &skin::SkinButton::Click, this, &frmMain::cmdQuit_Click);
    connect(cmdDelete, &skin::SkinButton::Click, this, &frmMain::onDeleteClicked);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (m_loop.running())
            m_loop.stop();
    });
    connect(&m_loop, &EraseLoop::started, this, &frmMain::onRunStarted);
    connect(&m_loop, &EraseLoop::ended, this, &frmMain::onRunEnded);
    connect(m_results, &RunResults::recorded, this, [this](const FolderResult& result) {
        m_surveys->forget(result.folder); // what was counted of it no longer holds
        refreshNote(result.folder);
    });
    connect(cboPath, &QComboBox::currentTextChanged, this, &frmMain::showCurrentNote);
    connect(cmdCopy, &skin::SkinButton::Click, this, &frmMain::cmdCopy_Click);
    connect(cmdPaste, &skin::SkinButton::Click, this, &frmMain::cmdPaste_Click);
    connect(cmdBrowse, &skin::SkinButton::Click, this, &frmMain::cmdBrowse_Click);
    connect(cmdAbout, &skin::SkinButton::Click, this, &frmMain::aboutRequested);

    Load();
}

frmMain::~frmMain()
{
    setBusy(false);
}

void frmMain::buildPanels()
{
    picToolBar = new QWidget(this);
    picToolBar->setObjectName(QStringLiteral("picToolBar"));
    picToolBar->setGeometry(layout::toPixels(layout::picToolBar));
    picToolBar->setFont(forms::fonts::toolBar());
    picToolBar->setMouseTracking(true);
    picToolBar->installEventFilter(this);

    PicStatus = new QWidget(this);
    PicStatus->setObjectName(QStringLiteral("PicStatus"));
    PicStatus->setGeometry(layout::toPixels(layout::PicStatus));

    auto* rule = new forms::EtchedRule(picToolBar);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setGeometry(layout::toPixels(layout::etchedRule));
}

skin::SkinButton* frmMain::makeButton(const QString& name, const QRect& geometry)
{
    auto* button = new skin::SkinButton(picToolBar);
    button->setObjectName(name);
    QString problem;
    if (!button->readProperties(forms::storedProperties(kForm, name), &problem))
        qWarning() << "Stored properties of" << name << "not fully read:" << problem;
    button->setGeometry(geometry);
    return button;
}

void frmMain::buildButtons()
{
    cmdQuit = makeButton(QStringLiteral("cmdQuit"), layout::toPixels(layout::cmdQuit));
    cmdDelete = makeButton(QStringLiteral("cmdDelete"), layout::toPixels(layout::cmdDelete));
    cmdCopy = makeButton(QStringLiteral("cmdCopy"), layout::toPixels(layout::cmdCopy));
    cmdPaste = makeButton(QStringLiteral("cmdPaste"), layout::toPixels(layout::cmdPaste));
    cmdAbout = makeButton(QStringLiteral("cmdAbout"), layout::toPixels(layout::cmdAbout));
    cmdBrowse = makeButton(QStringLiteral("cmdBrowse"), layout::toPixels(layout::cmdBrowse));
    cmdBrowse->setAccessibleName(QStringLiteral("Browse")); // its caption is "..."
}

void frmMain::buildLabels()
{
    lblHeader = forms::placeLabel(picToolBar, "lblHeader", QStringLiteral("Mass Zarvok"), layout::lblHeader,
                          Qt::AlignHCenter | Qt::AlignTop, forms::fonts::header());
    lblTitle = forms::placeLabel(picToolBar, "lblTitle", QStringLiteral("Folder to Delete (drag and drop):"),
                         layout::lblTitle, Qt::AlignLeft | Qt::AlignTop, forms::fonts::toolBar());
    lblTitle->adjustSize();
    lblDisplay = forms::placeLabel(picToolBar, "lblDisplay", kHintAtStart, layout::lblDisplay,
                           Qt::AlignHCenter | Qt::AlignTop, forms::fonts::hint());
    lblPro = forms::placeLabel(PicStatus, "lblPro", kStatusReady, layout::lblPro, Qt::AlignHCenter | Qt::AlignTop,
                       forms::fonts::status());
    forms::setAccessibleRole(lblPro, QAccessible::StatusBar);
    for (QLabel* surface : {lblHeader, lblTitle, lblDisplay}) {
        surface->setMouseTracking(true);
        surface->installEventFilter(this);
    }
}

void frmMain::buildPathList()
{
    cboPath = new QComboBox(picToolBar);
    cboPath->setObjectName(QStringLiteral("cboPath"));
    cboPath->setAccessibleName(QStringLiteral("Folder to Delete (drag and drop):"));
    lblTitle->setBuddy(cboPath); // labelled-by, to screen readers
    cboPath->setGeometry(layout::toPixels(layout::cboPath));
    cboPath->setEditable(true);
    // Typed text is never queued by itself, and completion would change what was typed.
    cboPath->setInsertPolicy(QComboBox::NoInsert);
    cboPath->setCompleter(nullptr);
    cboPath->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboPath->setModel(m_queue);
    if (auto* list = qobject_cast<QListView*>(cboPath->view()))
        list->setUniformItemSizes(true); // keeps a long queue quick to show
    // Drops are ours: the field's own handler would insert the dropped URLs as text.
    cboPath->setAcceptDrops(true);
    cboPath->lineEdit()->setAcceptDrops(false);
    cboPath->installEventFilter(this);
    // The box holds the focus and hands typed keys to its line edit past the line edit's filters.
    auto* keyFilter = new PathKeyFilter(cboPath);
    cboPath->installEventFilter(keyFilter);
    cboPath->lineEdit()->installEventFilter(keyFilter);
}

void frmMain::connectHints()
{
    for (const CommandHint& hint : kCommandHints) {
        auto* button = findChild<skin::SkinButton*>(QString::fromLatin1(hint.button));
        button->setAccessibleDescription(QString::fromLatin1(hint.text));
        connect(button, &skin::SkinButton::MouseEnter, this, [this, button] { lblDisplay->setText(hintFor(button)); });
    }
}

QString frmMain::hintFor(const skin::SkinButton* button) const
{
    if (button == cmdDelete && m_loop.running())
        return kStopHint;
    return hintOf(button->objectName());
}

void frmMain::applyColours()
{
    const QColor background = palette().color(QPalette::Window);
    auto paint = [&](QLabel* label, const QColor& designed) {
        QPalette colours = label->palette();
        colours.setColor(QPalette::WindowText, forms::readableOn(designed, background));
        label->setPalette(colours);
    };
    paint(lblHeader, kHeaderColour);
    paint(lblDisplay, kHintColour);
}

void frmMain::Load()
{
    move(m_opening.open(readStoredPosition(m_executableName), frameGeometry().size(), currentScreens()));
}

void frmMain::centreOnceTheFrameIsKnown()
{
    if (!isVisible())
        return;
    if (const auto centre = m_opening.recentred(pos(), frameGeometry().size(), currentScreens()))
        move(*centre);
}

void frmMain::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    centreOnceTheFrameIsKnown();
}

void frmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    centreOnceTheFrameIsKnown();
}

void frmMain::Unload()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (!writeStoredPosition(m_executableName, pos()))
        qWarning() << "The window position could not be saved";
}

void frmMain::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange && lblHeader != nullptr)
        applyColours();
    QWidget::changeEvent(event);
}

void frmMain::mouseMoveEvent(QMouseEvent* event)
{
    lblDisplay->clear();
    QWidget::mouseMoveEvent(event);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboPath) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            acceptAsCopy(static_cast<QDropEvent*>(event));
            return true;
        case QEvent::Drop:
            if (acceptAsCopy(static_cast<QDropEvent*>(event)))
                cboPath_Drop(static_cast<QDropEvent*>(event)->mimeData());
            return true;
        default:
            return false;
        }
    }
    if (event->type() == QEvent::MouseMove)
        lblDisplay->clear();
    return QWidget::eventFilter(watched, event);
}

void frmMain::cmdQuit_Click()
{
    close();
}

void frmMain::cmdCopy_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(cboPath->currentText());
}

void frmMain::cmdPaste_Click()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    // Folders copied in a file manager arrive as a file list, and are queued like a drop.
    const QStringList copied = droppedPaths(clipboard->mimeData());
    if (!copied.isEmpty()) {
        queueShown(copied, copied.back());
        return;
    }
    const QString text = clipboard->text();
    const QStringList lines = pastedPaths(text);
    // One line shows as pasted; of several, the last one queued.
    queueShown(lines, lines.size() > 1 ? lines.back() : text);
}

void frmMain::takeFoldersFromOutside(const QStringList& folders)
{
    if (!folders.isEmpty())
        queueShown(folders, folders.back());
    if (isVisible()) {
        showNormal();
        raise();
        activateWindow();
    }
}

void frmMain::cmdBrowse_Click()
{
    if (cboPath->currentText().isEmpty())
        cboPath->setEditText(QDir::toNativeSeparators(QDir::rootPath()));
    const QString chosen = m_browse.BrowseForFolder(this, kBrowsePrompt, cboPath->currentText(), 0, true, false);
    if (chosen.isEmpty())
        return;
    // A closing dialog floods a screen reader with events, and Orca drops what comes meanwhile
    // (its log: "Pruning event queue due to flood"): the queueing is told once that is over.
    constexpr int kAfterDialogMs = 3000; // Orca took 1.5 s to get through them on a quiet machine
    queueShown({chosen}, chosen, kAfterDialogMs);
}

void frmMain::cboPath_Drop(const QMimeData* dropped)
{
    const QStringList paths = droppedPaths(dropped);
    if (!paths.isEmpty())
        queueShown(paths, paths.back());
}

} // namespace zarvok::app
