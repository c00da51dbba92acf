#include "QueuedTexts.h"

#include <QHashFunctions>

#include <bit>

namespace zarvok::app {

std::size_t QueuedTexts::hashOf(const QString& text)
{
    return qHash(text, 0);
}

void QueuedTexts::reserve(std::size_t more)
{
    // At most half the slots in use or removed keeps the probe sequences short.
    const std::size_t needed = 2 * (m_used + m_removed + more);
    if (needed > m_slots.size())
        rebuild(std::bit_ceil(std::max<std::size_t>(16, 2 * (m_used + more))));
}

bool QueuedTexts::contains(const QString& text, std::size_t hash, const TextAt& textAt) const
{
    if (m_slots.empty())
        return false;
    for (std::size_t slot = firstSlot(hash);; slot = next(slot)) {
        const Slot& s = m_slots[slot];
        if (s.state == Empty)
            return false;
        if (s.state == Used && s.hash == hash && textAt(s.seq) == text)
            return true;
    }
}

void QueuedTexts::insert(std::size_t hash, std::uint32_t seq)
{
    reserve(1);
    std::size_t slot = firstSlot(hash);
    while (m_slots[slot].state == Used)
        slot = next(slot);
    if (m_slots[slot].state == Removed)
        --m_removed;
    m_slots[slot] = {hash, seq, Used};
    ++m_used;
}

void QueuedTexts::remove(std::size_t hash, std::uint32_t seq)
{
    if (m_slots.empty())
        return;
    for (std::size_t slot = firstSlot(hash); m_slots[slot].state != Empty; slot = next(slot)) {
        Slot& s = m_slots[slot];
        if (s.state == Used && s.seq == seq) {
            s.state = Removed;
            --m_used;
            ++m_removed;
            return;
        }
    }
}

void QueuedTexts::rebuild(std::size_t capacity)
{
    std::vector<Slot> old(capacity);
    old.swap(m_slots);
    m_used = 0;
    m_removed = 0;
    for (const Slot& s : old) {
        if (s.state != Used)
            continue;
        std::size_t slot = firstSlot(s.hash);
        while (m_slots[slot].state == Used)
            slot = next(slot);
        m_slots[slot] = s;
        ++m_used;
    }
}

} // namespace zarvok::app
