#include "Fonts.h"

#include <QFontInfo>
#include <QStringList>

#include <gtest/gtest.h>

using namespace zarvok::forms;

// The designed fonts are rarely installed here; each must resolve to one of the free look-alikes
// the bootstrap installs, not to whatever the font system picks.
TEST(Fonts, DesignedFontsResolveToTheirSubstitutes)
{
    fonts::installSubstitutes();
    QFont verdana(QStringLiteral("Verdana"));
    verdana.setPointSizeF(8.25);
    struct Case {
        const char* what;
        QFont font;
        QStringList acceptable;
    };
    const QStringList arialLike = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
    const Case cases[] = {
        {"buttons", verdana, {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")}},
        {"status line", fonts::status(), arialLike},
        {"path list", fonts::toolBar(), QStringList(arialLike) << QStringLiteral("MS Sans Serif")},
        {"hint line", fonts::hint(), QStringList(arialLike) << QStringLiteral("MS Sans Serif")},
        {"banner", fonts::header(), {QStringLiteral("Arial Black"), QStringLiteral("DejaVu Sans")}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(c.acceptable.contains(QFontInfo(c.font).family())) << c.what << ": " << QFontInfo(c.font).family().toStdString();
    EXPECT_TRUE(QFontInfo(fonts::header()).italic());
    EXPECT_TRUE(QFontInfo(fonts::status()).bold());
}
