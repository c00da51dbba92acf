#pragma once
// The erase queue: folder paths exactly as queued, first copy of each text kept, new entries
// appended at the end. It is the item model of the window's path list.

#include "QueuedTexts.h"

#include <QAbstractListModel>
#include <QHash>
#include <QString>
#include <QStringList>

namespace zarvok::app {

// Removes every later copy of a text already in the list; the first copies keep their places.
// Texts compare exactly (case-sensitive, no trimming). Linear time.
void KillCBDupes(QStringList& list);

// "Folder to Delete (drag and drop): " + count + " in list".
QString countText(int count);

class EraseQueue final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int count() const { return int(m_entries.size()); }
    const QString& entry(int row) const { return m_entries.at(row); }
    const QStringList& entries() const { return m_entries; }

    // Appends each text in order, as if each were appended and KillCBDupes run after it: a
    // text already queued is left where it is. Empty text never enters the queue.
    void add(const QString& text);
    void addAll(const QStringList& texts);

    // Takes the top entry off the queue.
    void removeFirst();
    // Takes entries off the queue: the one at `row`, or every one from `first` on. Rows out of
    // range are ignored. Nothing is erased; only the list changes.
    void removeAt(int row);
    void removeFrom(int first);
    // The row of a text, or -1 when it is not queued.
    int rowOf(const QString& text) const { return int(m_entries.indexOf(text)); }

    // A note on a folder text (what became of it), shown as the tool tip and accessible
    // description of its entry whenever it is queued; empty removes it.
    void setNote(const QString& text, const QString& note);
    QString note(const QString& text) const { return m_notes.value(text); }

signals:
    // After every addition and every removal, also when the count stayed the same.
    void countChanged(int count);

private:
    // After a removal below the top the sequence numbers no longer follow the rows: renumber.
    void renumber();

    QStringList m_entries;
    QHash<QString, QString> m_notes;
    QueuedTexts m_queued;
    std::uint32_t m_firstSeq = 0; // sequence number of entry 0
};

} // namespace zarvok::app
