#include "WindowFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

using namespace zarvok::app;

TEST(frmMainLayout, EveryControlAtItsPlace)
{
    WindowFixture f(QStringLiteral("layout"));
    EXPECT_EQ(f.window->size(), QSize(401, 204));
    EXPECT_EQ(f.window->minimumSize(), f.window->maximumSize());
    EXPECT_EQ(f.window->windowTitle(), QStringLiteral("Zarvok"));
    EXPECT_TRUE(f.window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f.window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(f.window->windowIcon().isNull());

    struct Place {
        const char* name;
        QRect geometry; // pixels, relative to its panel
    };
    const Place places[] = {
        {"picToolBar", {0, 0, 401, 181}}, {"PicStatus", {0, 183, 401, 21}},
        {"cmdQuit", {8, 0, 65, 59}},      {"cmdDelete", {72, 0, 65, 59}},
        {"cmdCopy", {136, 0, 65, 59}},    {"cmdPaste", {200, 0, 65, 59}},
        {"cmdAbout", {328, 0, 65, 59}},   {"Line1", {0, 64, 400, 2}},
        {"lblHeader", {25, 72, 351, 38}}, {"cboPath", {8, 128, 353, 21}},
        {"cmdBrowse", {364, 128, 29, 22}}, {"lblDisplay", {0, 160, 400, 17}},
        {"lblPro", {1, 0, 395, 16}},
    };
    for (const Place& p : places) {
        const QWidget* widget = f.child(p.name);
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
    }
    EXPECT_EQ(f.child("lblTitle")->pos(), QPoint(8, 115));
}

TEST(frmMainLayout, TextsAtStart)
{
    WindowFixture f(QStringLiteral("texts"));
    EXPECT_EQ(f.label("lblHeader"), QStringLiteral("Mass Zarvok"));
    EXPECT_EQ(f.label("lblTitle"), QStringLiteral("Folder to Delete (drag and drop):"));
    EXPECT_EQ(f.label("lblDisplay"), QStringLiteral("Paste New Folder from clipboard"));
    EXPECT_EQ(f.label("lblPro"), QStringLiteral("Ready"));
    EXPECT_EQ(f.field(), QString());
    EXPECT_EQ(f.cboPath()->count(), 0);
    EXPECT_TRUE(f.cboPath()->isEditable());
}

TEST(frmMainLayout, ButtonsComeFromTheirStoredProperties)
{
    WindowFixture f(QStringLiteral("buttons"));
    struct Expected {
        const char* name;
        const char* caption;
        bool icon;
    };
    const Expected buttons[] = {{"cmdQuit", "E&xit", true},    {"cmdDelete", "&Delete", true},
                                {"cmdCopy", "&Copy", true},    {"cmdPaste", "&Paste", true},
                                {"cmdAbout", "&About", true},  {"cmdBrowse", "...", false}};
    for (const Expected& e : buttons) {
        const skin::SkinButton* b = f.button(e.name);
        ASSERT_NE(b, nullptr) << e.name;
        EXPECT_EQ(b->Caption(), QString::fromLatin1(e.caption));
        EXPECT_EQ(b->Style(), 8) << e.name;
        EXPECT_EQ(b->NonThemeStyle(), 0) << e.name;
        EXPECT_EQ(b->IconSize(), 32) << e.name;
        EXPECT_EQ(b->IconAlign(), 3) << e.name;
        EXPECT_EQ(b->CaptionAlign(), 4) << e.name;
        EXPECT_EQ(b->ToolTip(), QString()) << e.name;
        EXPECT_EQ(b->Font().family(), QStringLiteral("Verdana")) << e.name;
        EXPECT_DOUBLE_EQ(b->Font().pointSizeF(), 8.25) << e.name;
        EXPECT_EQ(!b->Icon().isNull(), e.icon) << e.name;
        if (e.icon) {
            EXPECT_EQ(b->Icon().image.size(), QSize(32, 32)) << e.name;
        }
    }
}

TEST(frmMainLayout, TabOrder)
{
    WindowFixture f(QStringLiteral("taborder"));
    const QStringList expected = {QStringLiteral("cmdQuit"),  QStringLiteral("cmdDelete"), QStringLiteral("cmdCopy"),
                                  QStringLiteral("cmdPaste"), QStringLiteral("cmdAbout"),  QStringLiteral("cmdBrowse"),
                                  QStringLiteral("cboPath")};
    QStringList order;
    QWidget* w = f.button("cmdQuit");
    for (int steps = 0; steps < 200 && order.size() < expected.size(); ++steps, w = w->nextInFocusChain())
        if (expected.contains(w->objectName()) && !order.contains(w->objectName()))
            order << w->objectName();
    EXPECT_EQ(order, expected);
}

TEST(frmMainLayout, HintLineFollowsThePointer)
{
    WindowFixture f(QStringLiteral("hints"));
    struct Hint {
        const char* button;
        const char* text;
    };
    const Hint hints[] = {{"cmdQuit", "Exit Program"},
                          {"cmdDelete", "Start Erasing"},
                          {"cmdCopy", "Copy Folder to Delete to clipboard"},
                          {"cmdPaste", "Paste from clipboard into Folder to Delete"},
                          {"cmdAbout", "Show About box"},
                          {"cmdBrowse", "Browse for Folder or files to Erase"}};
    for (const Hint& h : hints) {
        emit f.button(h.button)->MouseEnter();
        EXPECT_EQ(f.label("lblDisplay"), QString::fromLatin1(h.text));
    }

    // Moving onto the path list keeps the hint; moving onto the panel or a label clears it.
    auto moveOver = [](QWidget* widget) {
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    };
    moveOver(f.cboPath());
    EXPECT_EQ(f.label("lblDisplay"), QStringLiteral("Browse for Folder or files to Erase"));
    moveOver(f.child("PicStatus"));
    EXPECT_EQ(f.label("lblDisplay"), QStringLiteral("Browse for Folder or files to Erase"));
    for (const char* surface : {"picToolBar", "lblHeader", "lblTitle", "lblDisplay"}) {
        emit f.button("cmdQuit")->MouseEnter();
        moveOver(f.child(surface));
        EXPECT_EQ(f.label("lblDisplay"), QString()) << surface;
    }
    emit f.button("cmdQuit")->MouseEnter();
    moveOver(f.window.get());
    EXPECT_EQ(f.label("lblDisplay"), QString());
}

TEST(frmMainLayout, HeaderStaysReadableOnADarkPalette)
{
    WindowFixture f(QStringLiteral("dark"));
    const QColor designed = f.child("lblHeader")->palette().color(QPalette::WindowText);
    EXPECT_EQ(designed, QColor(0, 0, 192));
    QPalette dark = f.window->palette();
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    f.window->setPalette(dark);
    const QColor lifted = f.child("lblHeader")->palette().color(QPalette::WindowText);
    EXPECT_GT(lifted.lightness(), 128);
    EXPECT_GT(lifted.blue(), lifted.red());
}
