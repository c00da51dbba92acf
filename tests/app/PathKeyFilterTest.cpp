#include "PathKeyFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
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

// Keys go where the desktop sends them: to the editable box, which has the focus.
struct FilteredBox {
    FilteredBox()
    {
        box.setEditable(true);
        box.installEventFilter(&filter);
        box.lineEdit()->installEventFilter(&filter);
    }
    QString text() const { return box.currentText(); }
    QComboBox box;
    PathKeyFilter filter;
};

TEST(PathKeyFilter, FiltersWhatIsTypedIntoTheBox)
{
    FilteredBox f;
    // Backspace types a control character, so it is discarded like one.
    QTest::keyClick(&f.box, Qt::Key_A);
    QTest::keyClick(&f.box, Qt::Key_Backspace);
    QTest::keyClick(&f.box, Qt::Key_B);
    EXPECT_EQ(f.text(), QStringLiteral("ab"));

    QTest::keyClicks(&f.box, QStringLiteral("C:\\x*?|<>\" y/z"));
    EXPECT_EQ(f.text(), QStringLiteral("abC:\\x y/z"));

    // Keys that type nothing still work.
    QTest::keyClick(&f.box, Qt::Key_Home);
    QTest::keyClick(&f.box, Qt::Key_Delete);
    EXPECT_EQ(f.text(), QStringLiteral("bC:\\x y/z"));

    // A key whose text is beyond ASCII is discarded (sent directly: keyClicks cannot type it).
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u00e9"));
    QCoreApplication::sendEvent(&f.box, &accented);
    EXPECT_EQ(f.text(), QStringLiteral("bC:\\x y/z"));

    // An input method's text loses the refused characters and keeps the rest.
    QTest::keyClick(&f.box, Qt::Key_End);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("q*\u00e9r"));
    QCoreApplication::sendEvent(&f.box, &composed);
    EXPECT_EQ(f.text(), QStringLiteral("bC:\\x y/zqr"));

    // Text that arrives other than by typing is not filtered.
    f.box.setEditText(QStringLiteral("a*b"));
    EXPECT_EQ(f.text(), QStringLiteral("a*b"));
}

TEST(PathKeyFilter, KeyboardCommandsKeepWorking)
{
    FilteredBox f;
    QTest::keyClicks(&f.box, QStringLiteral("/srv/x"));
    QTest::keyClick(&f.box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&f.box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.text(), QString());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("/srv/x"));
    QTest::keyClick(&f.box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&f.box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.text(), QStringLiteral("/srv/x/srv/x"));
    QTest::keyClick(&f.box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.text(), QStringLiteral("/srv/x"));
    QTest::keyClick(&f.box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&f.box, Qt::Key_C, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&f.box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("/srv/x"));
}

TEST(PathKeyFilter, TabMovesTheFocusOn)
{
    QWidget window;
    FilteredBox f;
    f.box.setParent(&window);
    auto* next = new QLineEdit(&window);
    next->move(0, 40);
    window.show();
    f.box.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&f.box, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
    QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(f.box.hasFocus());
}
