#pragma once
// What became of each folder erased in this session: folder, outcome and reason, one row each,
// kept up to date while it is open. Rows can be selected and copied (Ctrl+C, or Copy for all).
// A folder left because the user may not remove its entries can be erased as administrator
// (the button, or the row's context menu).

#include "RunResults.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace zarvok::app {

class ResultsView final : public QDialog {
    Q_OBJECT
public:
    ResultsView(const RunResults& results, QWidget* parent);

    // The selected rows (all when none is selected) as tab-separated text.
    QString selectionText() const;
    // The folders "Erase as Administrator..." acts on: of the selected rows (all when none is
    // selected), those that failed for want of permission.
    QStringList administratorFolders() const;
    // Offers erasing as administrator only while `allowed` (not during a run or another one).
    void allowAdministrator(bool allowed);

signals:
    void eraseAsAdministratorRequested(const QStringList& folders);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();
    void copy(bool selectedOnly);
    void showAdministratorState();
    void rowMenu(const QPoint& at);

    const RunResults& m_results;
    QTreeWidget* m_table;
    QPushButton* m_asAdministrator = nullptr;
    bool m_administratorAllowed = true;
};

} // namespace zarvok::app
