#include "EraseQueue.h"

#include <algorithm>

namespace zarvok::app {

void KillCBDupes(QStringList& list)
{
    QSet<QString> seen;
    seen.reserve(list.size());
    const auto laterCopy = [&seen](const QString& text) {
        const qsizetype before = seen.size();
        seen.insert(text);
        return seen.size() == before;
    };
    list.erase(std::remove_if(list.begin(), list.end(), laterCopy), list.end());
}

QString countText(int count)
{
    return QStringLiteral("Folder to Delete (drag and drop): %1 in list").arg(count);
}

int EraseQueue::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant EraseQueue::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_entries.at(index.row());
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
        const QString text = note(m_entries.at(index.row()));
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    return {};
}

void EraseQueue::setNote(const QString& text, const QString& note)
{
    // No dataChanged: views ask for tool tips and descriptions when shown, and the path list
    // would put its current entry's text back over what the field shows.
    if (note.isEmpty())
        m_notes.remove(text);
    else
        m_notes.insert(text, note);
}

void EraseQueue::add(const QString& text)
{
    addAll(QStringList{text});
}

void EraseQueue::addAll(const QStringList& texts)
{
    QStringList fresh;
    fresh.reserve(texts.size());
    m_queued.reserve(std::size_t(texts.size()));
    const auto textAt = [this, &fresh](std::uint32_t seq) -> const QString& {
        const qsizetype row = qsizetype(seq - m_firstSeq);
        return row < m_entries.size() ? m_entries.at(row) : fresh.at(row - m_entries.size());
    };
    for (const QString& text : texts) {
        if (text.isEmpty())
            continue;
        const std::size_t hash = QueuedTexts::hashOf(text);
        if (m_queued.contains(text, hash, textAt))
            continue;
        m_queued.insert(hash, m_firstSeq + std::uint32_t(m_entries.size() + fresh.size()));
        fresh.append(text);
    }
    if (!fresh.isEmpty()) {
        beginInsertRows({}, count(), count() + int(fresh.size()) - 1);
        m_entries.append(fresh);
        endInsertRows();
    }
    emit countChanged(count());
}

void EraseQueue::removeFirst()
{
    if (m_entries.isEmpty())
        return;
    beginRemoveRows({}, 0, 0);
    m_queued.remove(QueuedTexts::hashOf(m_entries.front()), m_firstSeq);
    ++m_firstSeq;
    m_entries.removeFirst();
    endRemoveRows();
    emit countChanged(count());
}

void EraseQueue::removeAt(int row)
{
    if (row == 0) {
        removeFirst();
        return;
    }
    if (row < 0 || row >= count())
        return;
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    renumber();
    endRemoveRows();
    emit countChanged(count());
}

void EraseQueue::removeFrom(int first)
{
    first = std::max(first, 0);
    if (first >= count())
        return;
    beginRemoveRows({}, first, count() - 1);
    m_entries.resize(first);
    renumber();
    endRemoveRows();
    emit countChanged(count());
}

void EraseQueue::renumber()
{
    m_queued = QueuedTexts();
    m_firstSeq = 0;
    m_queued.reserve(std::size_t(m_entries.size()));
    for (qsizetype row = 0; row < m_entries.size(); ++row)
        m_queued.insert(QueuedTexts::hashOf(m_entries.at(row)), std::uint32_t(row));
}

} // namespace zarvok::app
