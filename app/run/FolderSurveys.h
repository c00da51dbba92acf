#pragma once
// What each queued folder holds, surveyed in the background one folder at a time, in queue
// order, and kept per folder text until the folder leaves the queue or is erased.
//
//   folder      | event                                  | becomes
//   ------------+----------------------------------------+-----------------------------------
//   (unknown)   | queued (follow)                        | waiting; surveyed when its turn comes
//   waiting     | its turn                               | counting (entries so far, refreshed)
//   counting    | the survey ends                        | known; the next waiting one starts
//   any         | taken off the queue, or erased (forget) | unknown; a survey of it is stopped
//   waiting     | about to be erased (hurry)             | surveyed next
//
// Surveys run at idle priority, except while a run erases (setRunAhead): then they keep ahead
// of the erase, so that the run can tell how far it is.

#include "FolderSurveyor.h"
#include "RunEstimate.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <optional>

namespace zarvok::app {

struct FolderContents {
    bool counting = true;
    erase::Survey survey; // while counting: entries and bytes so far
};

// "120,431 items, 1.2 GB", "120,431 items" (no size counted) or "40,000 items so far".
QString contentsText(std::uint64_t entries, std::optional<std::uint64_t> bytes, bool counting);
// The queued entry's description: the contents, and what an erase will leave.
QString contentsNote(const FolderContents& contents);
// "1.2 GB", "512 KB", "0 bytes".
QString sizeText(std::uint64_t bytes);

// What a run can count on of each folder: its survey's entries and the folder itself; nothing
// yet for one not surveyed.
QList<FolderExtent> extentsOf(const QStringList& folders, const class FolderSurveys& surveys);

class FolderSurveys final : public QObject {
    Q_OBJECT
public:
    explicit FolderSurveys(std::unique_ptr<FolderSurveyor> surveyor, QObject* parent = nullptr);

    // The queue as it is now: new folders wait for their turn, those gone are forgotten.
    void follow(const QStringList& queued);
    // The folder changed (erased): what was known of it no longer holds.
    void forget(const QString& folder);
    // The folder is about to be erased: surveyed next, when it waits.
    void hurry(const QString& folder);
    // While on, surveys run at normal priority; a survey under way is restarted so.
    void setRunAhead(bool on);

    const FolderContents* find(const QString& folder) const;

    static constexpr int kRefreshMs = 250;

signals:
    void changed(const QString& folder);
    // A survey ran to its end (not stopped), taking `tookMs`.
    void surveyed(const QString& folder, qint64 tookMs);

private:
    void startNext();
    void onFinished(const erase::Survey& survey);
    void refreshCounting();

    std::unique_ptr<FolderSurveyor> m_surveyor;
    QStringList m_waiting;
    QString m_current; // being surveyed; empty when idle
    QHash<QString, FolderContents> m_known;
    QTimer m_refresh;
    QElapsedTimer m_clock; // the survey under way's
    bool m_runAhead = false;
};

} // namespace zarvok::app
