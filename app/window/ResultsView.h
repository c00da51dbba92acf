#pragma once
// What became of each folder erased in this session: folder, outcome and reason, one row each,
// kept up to date while it is open. Rows can be selected and copied (Ctrl+C, or Copy for all).

#include "RunResults.h"

#include <QDialog>

class QTreeWidget;

namespace zarvok::app {

class ResultsView final : public QDialog {
    Q_OBJECT
public:
    ResultsView(const RunResults& results, QWidget* parent);

    // The selected rows (all when none is selected) as tab-separated text.
    QString selectionText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill();
    void copy(bool selectedOnly);

    const RunResults& m_results;
    QTreeWidget* m_table;
};

} // namespace zarvok::app
