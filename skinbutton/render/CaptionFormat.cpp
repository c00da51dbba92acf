#include "CaptionFormat.h"

#include <Qt>

namespace skin {

int captionFormatFor(int captionAlign, int previousFormat)
{
    switch (captionAlign) {
    case 0: return kTextSingleLine | kTextVCenter | kTextCenter;
    case 1: return kTextSingleLine | kTextVCenter;
    case 2: return kTextSingleLine | kTextVCenter | kTextRight;
    case 3: return kTextSingleLine | kTextCenter;
    case 4: return kTextSingleLine | kTextBottom | kTextCenter;
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
