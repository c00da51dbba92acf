#include "AboutTexts.h"

#include "forms/Placing.h"

#include <QStringList>

#include <algorithm>

namespace zarvok::about {

QString versionText(int major, int revision)
{
    return QStringLiteral("version %1.%2").arg(major).arg(revision);
}

QString copyrightText(const QString& legalCopyright)
{
    QString text = legalCopyright;
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    text.replace(QLatin1String("(c)"), QStringLiteral("\u00A9"));
    return text;
}

QString distributionTerms(const QString& licence, const QString& homePage)
{
    QStringList paragraphs;
    for (const QString& paragraph : licence.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts)) {
        const QString joined = paragraph.simplified();
        if (!joined.isEmpty())
            paragraphs << joined;
    }
    if (paragraphs.isEmpty())
        paragraphs << QStringLiteral("The licence text is missing from this build; see the LICENSE file of the source.");
    paragraphs << QStringLiteral("Home page: ") + homePage;
    return paragraphs.join(QStringLiteral("\n\n"));
}

QUrl mailtoLink(const QString& address, const QString& subject)
{
    // '@' stays readable in the address; everything but unreserved characters is encoded.
    const QByteArray encoded = "mailto:" + QUrl::toPercentEncoding(address, "@") + "?subject="
                               + QUrl::toPercentEncoding(subject);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}

QRect centredOver(const QRect& owner, const QSize& size, const QRect& screen)
{
    const QRect placed(forms::centredIn(size, owner), size);
    return screen.isEmpty() ? placed : QRect(forms::fittedOnto(placed, screen), size);
}

} // namespace zarvok::about
