#include "ResultsView.h"

#include "AdminEraser.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QKeyEvent>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zarvok::app {
namespace {

QString reasonColumn(const FolderResult& result)
{
    if (result.firstLeft.isEmpty())
        return result.reason;
    return result.reason + QStringLiteral(" (at ") + result.firstLeft + QLatin1Char(')');
}

} // namespace

ResultsView::ResultsView(const RunResults& results, QWidget* parent)
    : QDialog(parent)
    , m_results(results)
    , m_table(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("ResultsView"));
    setWindowTitle(QStringLiteral("Results - Zarvok"));
    m_table->setObjectName(QStringLiteral("resultsTable"));
    m_table->setAccessibleName(QStringLiteral("Results"));
    m_table->setHeaderLabels({QStringLiteral("Folder"), QStringLiteral("Outcome"), QStringLiteral("Reason")});
    m_table->setRootIsDecorated(false);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setAlternatingRowColors(true);
    m_table->header()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copyAll = buttons->addButton(QStringLiteral("&Copy All"), QDialogButtonBox::ActionRole);
    connect(copyAll, &QPushButton::clicked, this, [this] { copy(false); });
    m_asAdministrator = buttons->addButton(QStringLiteral("Erase as &Administrator..."), QDialogButtonBox::ActionRole);
    m_asAdministrator->setObjectName(QStringLiteral("eraseAsAdministrator"));
    m_asAdministrator->setToolTip(QStringLiteral("Erase the folders you may not empty yourself, after the administrator's password"));
    connect(m_asAdministrator, &QPushButton::clicked, this, [this] {
        if (const QStringList folders = administratorFolders(); !folders.isEmpty())
            emit eraseAsAdministratorRequested(folders);
    });
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QWidget::customContextMenuRequested, this, &ResultsView::rowMenu);
    connect(m_table, &QTreeWidget::itemSelectionChanged, this, &ResultsView::showAdministratorState);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    m_table->installEventFilter(this); // the view's own Copy takes one cell only

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    resize(640, 280);

    connect(&m_results, &RunResults::recorded, this, &ResultsView::fill);
    fill();
}

bool ResultsView::eventFilter(QObject* watched, QEvent* event)
{
    const bool copyKey = (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
                         && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
    if (watched != m_table || !copyKey)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        copy(true);
    event->accept();
    return true;
}

void ResultsView::fill()
{
    m_table->clear();
    for (const FolderResult& result : m_results.all()) {
        auto* row = new QTreeWidgetItem(m_table, {result.folder, outcomeText(result), reasonColumn(result)});
        row->setToolTip(0, result.folder);
        row->setToolTip(2, reasonColumn(result));
    }
    for (int column = 0; column < 2; ++column)
        m_table->resizeColumnToContents(column);
    showAdministratorState();
}

QStringList ResultsView::administratorFolders() const
{
    QStringList selected, all;
    const QList<FolderResult>& results = m_results.all();
    for (int row = 0; row < m_table->topLevelItemCount() && row < results.size(); ++row) {
        if (!mayEraseAsAdministrator(results.at(row)))
            continue;
        all << results.at(row).folder;
        if (m_table->topLevelItem(row)->isSelected())
            selected << results.at(row).folder;
    }
    return m_table->selectedItems().isEmpty() ? all : selected;
}

void ResultsView::allowAdministrator(bool allowed)
{
    m_administratorAllowed = allowed;
    showAdministratorState();
}

void ResultsView::showAdministratorState()
{
    const QStringList folders = administratorFolders();
    m_asAdministrator->setVisible(!folders.isEmpty() || !m_table->selectedItems().isEmpty());
    m_asAdministrator->setEnabled(m_administratorAllowed && !folders.isEmpty());
}

void ResultsView::rowMenu(const QPoint& at)
{
    QTreeWidgetItem* item = m_table->itemAt(at);
    if (!item)
        return;
    if (!item->isSelected()) {
        m_table->clearSelection();
        item->setSelected(true);
    }
    QMenu menu(this);
    QAction* copyRows = menu.addAction(QStringLiteral("&Copy"));
    connect(copyRows, &QAction::triggered, this, [this] { copy(true); });
    const QStringList folders = administratorFolders();
    if (!folders.isEmpty()) {
        QAction* admin = menu.addAction(QStringLiteral("Erase as &Administrator..."));
        admin->setEnabled(m_administratorAllowed);
        connect(admin, &QAction::triggered, this, [this, folders] { emit eraseAsAdministratorRequested(folders); });
    }
    menu.exec(m_table->viewport()->mapToGlobal(at));
}

QString ResultsView::selectionText() const
{
    QList<FolderResult> chosen;
    const QList<FolderResult>& all = m_results.all();
    for (int row = 0; row < m_table->topLevelItemCount() && row < all.size(); ++row)
        if (m_table->topLevelItem(row)->isSelected())
            chosen << all.at(row);
    return resultsAsText(chosen.isEmpty() ? all : chosen);
}

void ResultsView::copy(bool selectedOnly)
{
    QGuiApplication::clipboard()->setText(selectedOnly ? selectionText() : resultsAsText(m_results.all()));
}

} // namespace zarvok::app
