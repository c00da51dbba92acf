#include "Fonts.h"

#include <QStringList>

namespace zarvok::forms::fonts {
namespace {

QFont make(const QString& family, double points, QFont::Weight weight, bool italic = false)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setWeight(weight);
    font.setItalic(italic);
    return font;
}

} // namespace

void installSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial Black"), {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont sansSerif(double points, QFont::Weight weight, bool underline)
{
    QFont font = make(QStringLiteral("MS Sans Serif"), points, weight);
    font.setUnderline(underline);
    return font;
}

QFont toolBar()
{
    return sansSerif(8.25, QFont::Bold);
}

QFont header()
{
    return make(QStringLiteral("Arial Black"), 20.25, QFont::Black, true);
}

QFont hint()
{
    return sansSerif(9.75, QFont::Normal);
}

QFont status()
{
    return make(QStringLiteral("Arial"), 9.75, QFont::Bold);
}

} // namespace zarvok::forms::fonts
