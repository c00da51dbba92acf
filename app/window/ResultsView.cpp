#include "ResultsView.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QKeyEvent>
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
