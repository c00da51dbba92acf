#include "PathKeyFilter.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace zarvok::app;

TEST(PathKeyFilter, AcceptsPrintableAsciiExceptCharactersNoPathMayHold)
{
    for (char16_t c = 0; c < 300; ++c) {
#ifdef Q_OS_WIN
        const bool slashForbidden = true;
#else
        const bool slashForbidden = false;
#endif
        const bool forbidden = c == u'"' || c == u'*' || (c == u'/' && slashForbidden) || c == u'<' || c == u'>'
                               || c == u'?' || c == u'|';
        const bool expected = c >= 32 && c <= 126 && !forbidden;
        EXPECT_EQ(acceptsTypedCharacter(c), expected) << int(c);
    }
}

TEST(PathKeyFilter, FiltersWhatIsTypedIntoTheField)
{
    QLineEdit field;
    PathKeyFilter filter;
    field.installEventFilter(&filter);

    // Backspace types a control character, so it is discarded like one.
    QTest::keyClick(&field, Qt::Key_A);
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_B);
    EXPECT_EQ(field.text(), QStringLiteral("ab"));

    QTest::keyClicks(&field, QStringLiteral("C:\\x*?|<>\" y"));
    EXPECT_EQ(field.text(), QStringLiteral("abC:\\x y"));

    // Keys that type nothing still work.
    QTest::keyClick(&field, Qt::Key_Home);
    QTest::keyClick(&field, Qt::Key_Delete);
    EXPECT_EQ(field.text(), QStringLiteral("bC:\\x y"));

    // A key whose text is beyond ASCII is discarded (sent directly: keyClicks cannot type it).
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00e9"));
    QCoreApplication::sendEvent(&field, &accented);
    EXPECT_EQ(field.text(), QStringLiteral("bC:\\x y"));

#ifndef Q_OS_WIN
    field.clear();
    QTest::keyClicks(&field, QStringLiteral("/tmp/photos"));
    EXPECT_EQ(field.text(), QStringLiteral("/tmp/photos"));
#endif

    // Text that arrives other than by typing is not filtered.
    field.setText(QStringLiteral("a*b"));
    EXPECT_EQ(field.text(), QStringLiteral("a*b"));
}
