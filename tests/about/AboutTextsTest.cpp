#include "about/AboutTexts.h"
#include "about/VersionInfo.h"

#include <ProjectInfo.h>

#include <gtest/gtest.h>

using namespace zarvok::about;

TEST(AboutTexts, CopyrightTurnsBackslashNIntoLineBreaksAndCIntoTheSign)
{
    struct Case {
        const char* stored;
        QString shown;
    };
    const Case cases[] = {
        {"Copyright (c) 2026 A", QStringLiteral("Copyright \u00A9 2026 A")},
        {"(c) 2025\\n(c) 2026 B", QStringLiteral("\u00A9 2025\n\u00A9 2026 B")},
        {"a\\n\\nb", QStringLiteral("a\n\nb")},
        {"(C) and \\N stay", QStringLiteral("(C) and \\N stay")},
        {"ends with a backslash\\", QStringLiteral("ends with a backslash\\")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(copyrightText(QString::fromUtf8(c.stored)), c.shown) << c.stored;
}

TEST(AboutTexts, VersionFromTheBuildShowsMajorAndRevisionOnly)
{
    EXPECT_EQ(versionText(3, 280), QStringLiteral("version 3.280"));
    const VersionInfo program = programVersionInfo();
    EXPECT_EQ(program.productName, QStringLiteral("Zarvok"));
    EXPECT_EQ(QStringLiteral("%1.%2.%3").arg(program.major).arg(program.minor).arg(program.revision),
              QString::fromLatin1(zarvok::info::kVersionText));
    EXPECT_TRUE(program.legalCopyright.contains(QString::fromUtf8(zarvok::info::kAuthor)));
}

TEST(AboutTexts, MailLinkEncodesTheSubjectSoItReadsBackExactly)
{
    struct Case {
        QString subject;
        const char* encoded;
    };
    const Case cases[] = {
        {QStringLiteral("Zarvok"), "mailto:me@example.org?subject=Zarvok"},
        {QStringLiteral("A & B = C?"), "mailto:me@example.org?subject=A%20%26%20B%20%3D%20C%3F"},
        {QStringLiteral("1+1 #2 100%"), "mailto:me@example.org?subject=1%2B1%20%232%20100%25"},
        {QStringLiteral("Z\u00E4rvok"), "mailto:me@example.org?subject=Z%C3%A4rvok"},
    };
    for (const Case& c : cases) {
        const QUrl link = mailtoLink(QStringLiteral("me@example.org"), c.subject);
        EXPECT_TRUE(link.isValid()) << c.encoded;
        EXPECT_EQ(link.toEncoded(), QByteArray(c.encoded));
        EXPECT_EQ(link.scheme(), QStringLiteral("mailto"));
        EXPECT_EQ(link.path(), QStringLiteral("me@example.org"));
    }
}

TEST(AboutTexts, DistributionTermsAreTheLicenceInParagraphsAndTheHomePage)
{
    const QString licence = QStringLiteral("MIT License\n\nCopyright (c) X\n\nline one\nline two\n\n\nlast\n");
    EXPECT_EQ(distributionTerms(licence, QStringLiteral("https://h/")),
              QStringLiteral("MIT License\n\nCopyright (c) X\n\nline one line two\n\nlast\n\nHome page: https://h/"));
    EXPECT_TRUE(distributionTerms(QString(), QStringLiteral("https://h/")).contains(QStringLiteral("missing")));
}

TEST(AboutTexts, PlacedCentredOverTheOwnerAndInsideItsScreen)
{
    const QRect screen(0, 0, 1280, 1024);
    const QSize about(497, 322);
    struct Case {
        QRect owner;
        QPoint topLeft;
    };
    const Case cases[] = {
        {{400, 300, 401, 204}, {352, 241}},        // centred
        {{1100, 950, 401, 204}, {783, 702}},       // would stick out right and below
        {{-300, -200, 401, 204}, {0, 0}},          // would stick out left and above
    };
    for (const Case& c : cases)
        EXPECT_EQ(centredOver(c.owner, about, screen), QRect(c.topLeft, about)) << c.owner.x();
    // Larger than the screen: the top-left corner stays on it.
    EXPECT_EQ(centredOver({0, 0, 100, 100}, about, {0, 0, 300, 200}).topLeft(), QPoint(0, 0));
}
