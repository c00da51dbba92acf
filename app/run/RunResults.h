#pragma once
// What became of each folder erased in this session, kept until the program ends: the latest
// outcome per folder path.

#include "erase/EraseEngine.h"

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>

namespace zarvok::app {

struct FolderResult {
    enum class Kind { Erased, Missing, NotAFolder, Refused, NotErased, Stopped };
    QString folder;
    Kind kind = Kind::Erased;
    std::uint64_t removed = 0; // entries removed by this erase
    qint64 elapsedMs = 0;      // time the engine worked, without time waiting for the user
    QString firstLeft;         // the first entry that could not be removed, when not the folder
    QString reason;            // the system's reason, or the rule that refused it
    int error = 0;             // the system's error number of a failure (EACCES, EPERM, ...)
    bool asAdministrator = false; // erased (or tried) as administrator, through zarvok-erase --admin
};

// "Erased: 1,203 items in 0.4 s", "Not erased: Permission denied (at /a/b/c)", ...
QString outcomeText(const FolderResult& result);
// The tool tip and accessible description of a queued folder with a result.
QString resultNote(const FolderResult& result);
// Every result as tab-separated lines (folder, outcome, reason) under a header line.
QString resultsAsText(const QList<FolderResult>& results);

class RunResults final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void record(const FolderResult& result);
    const QList<FolderResult>& all() const { return m_results; }
    const FolderResult* find(const QString& folder) const;

signals:
    void recorded(const zarvok::app::FolderResult& result);

private:
    QList<FolderResult> m_results; // in the order they were last recorded
};

// The result of one erase as the engine reported it.
FolderResult resultOf(const QString& folder, const erase::Outcome& outcome, std::uint64_t removed, qint64 elapsedMs);

} // namespace zarvok::app
