#pragma once
// The last few faces a style drew, by everything that decides their pixels: a repaint that
// changes none of it (the caption, the focus where the look ignores it, an unchanged state)
// copies a face instead of drawing it again. A few entries cover the states a pointer moves
// a button through.

#include <QImage>

#include <array>
#include <cstddef>

namespace skin {

template <class Key, std::size_t Size = 4>
class FaceCache {
public:
    const QImage* find(const Key& key) const
    {
        for (const Entry& entry : m_entries)
            if (!entry.face.isNull() && entry.key == key)
                return &entry.face;
        return nullptr;
    }

    // Keeps pixels of its own: the caption is drawn next, on the surface's. A face of more than
    // a mebibyte (512 x 512 pixels) is drawn each time rather than held.
    void keep(const Key& key, const QImage& face)
    {
        if (face.sizeInBytes() > kLargestKept)
            return;
        m_entries[m_next] = {key, face.copy()};
        m_next = (m_next + 1) % Size;
    }

private:
    static constexpr qsizetype kLargestKept = 1 << 20;

    struct Entry {
        Key key{};
        QImage face; // null: nothing kept yet
    };
    std::array<Entry, Size> m_entries;
    std::size_t m_next = 0;
};

} // namespace skin
