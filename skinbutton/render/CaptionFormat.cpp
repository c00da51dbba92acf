#include "CaptionFormat.h"

#include "skinbutton/types/SkinButtonEnums.h"

#include <Qt>

namespace skin {

int captionFormatFor(int captionAlign, int previousFormat)
{
    switch (captionAlign) {
    case AlignCenter: return kTextSingleLine | kTextVCenter | kTextCenter;
    case AlignLeft: return kTextSingleLine | kTextVCenter;
    case AlignRight: return kTextSingleLine | kTextVCenter | kTextRight;
    case AlignTop: return kTextSingleLine | kTextCenter;
    case AlignBottom: return kTextSingleLine | kTextBottom | kTextCenter;
    default: return previousFormat;
    }
}

int qtTextFlagsFor(int captionFormat)
{
    int flags = Qt::TextShowMnemonic;
    if (captionFormat & kTextCenter)
        flags |= Qt::AlignHCenter;
    else if (captionFormat & kTextRight)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;

    const bool singleLine = captionFormat & kTextSingleLine;
    if (singleLine && (captionFormat & kTextVCenter))
        flags |= Qt::AlignVCenter;
    else if (singleLine && (captionFormat & kTextBottom))
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;

    if (singleLine)
        flags |= Qt::TextSingleLine;
    else if (captionFormat & kTextWordBreak)
        flags |= Qt::TextWordWrap;
    return flags;
}

} // namespace skin
