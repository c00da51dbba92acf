#pragma once
// Which texts the queue holds, for the "already queued?" check of every added text. Keeps only
// each text's hash and its sequence number in one compact open-addressing table, so that
// checking a drop of many paths touches little memory; the texts themselves are looked at only
// when two hashes are equal.

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace zarvok::app {

class QueuedTexts {
public:
    using TextAt = std::function<const QString&(std::uint32_t seq)>;

    static std::size_t hashOf(const QString& text);

    // Room for `more` texts beyond those held, without growing.
    void reserve(std::size_t more);
    bool contains(const QString& text, std::size_t hash, const TextAt& textAt) const;
    void insert(std::size_t hash, std::uint32_t seq);
    void remove(std::size_t hash, std::uint32_t seq);

private:
    enum State : std::uint32_t { Empty, Used, Removed };
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t seq = 0;
        State state = Empty;
    };

    void rebuild(std::size_t capacity);
    std::size_t firstSlot(std::size_t hash) const { return hash & (m_slots.size() - 1); }
    std::size_t next(std::size_t slot) const { return (slot + 1) & (m_slots.size() - 1); }

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
    std::size_t m_removed = 0;
};

} // namespace zarvok::app
