#include "Layout.h"

#include "WindowPlacement.h"

namespace zarvok::app::layout {

QRect toPixels(const Twips& t)
{
    return {pixelsFromTwips(t.left), pixelsFromTwips(t.top), pixelsFromTwips(t.width), pixelsFromTwips(t.height)};
}

} // namespace zarvok::app::layout
