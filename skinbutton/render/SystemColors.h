#pragma once
// The desktop's colours by system colour index, and TranslateColor over them. Tests and the
// gallery use the fixed reference palette so that pixels do not depend on the machine.

#include "skinbutton/types/Color.h"
#include "skinbutton/types/SystemColorIndex.h"

#include <array>

class QPalette;

namespace skin {

constexpr Color kSystemColorFlag = Color(0x80000000u);
constexpr Color systemColorCode(int index) { return Color(0x80000000u | unsigned(index)); }

class SystemColors {
public:
    static SystemColors reference();
    static SystemColors fromPalette(const QPalette& palette);

    // The RGB of a system colour; -1 for an index the table does not know.
    Color color(int index) const;
    // TranslateColor: plain RGB unchanged, 0x80000000 + index -> that system colour, else -1.
    Color translate(Color c) const;

    friend bool operator==(const SystemColors&, const SystemColors&) = default;

private:
    static constexpr int kTableSize = 31;
    SystemColors();
    void set(int index, Color c) { m_table[std::size_t(index)] = c; }

    std::array<Color, kTableSize> m_table;
};

// TranslateColor as the styles call it.
inline Color TranslateColor(Color c, const SystemColors& colors) { return colors.translate(c); }

} // namespace skin
