#include "ThemeColours.h"

namespace zarvok::forms {

QColor readableOn(const QColor& designed, const QColor& background)
{
    if (background.lightness() >= 128)
        return designed;
    constexpr double towardsWhite = 0.6;
    auto lift = [](int channel) { return channel + int((255 - channel) * towardsWhite); };
    return QColor(lift(designed.red()), lift(designed.green()), lift(designed.blue()));
}

} // namespace zarvok::forms
