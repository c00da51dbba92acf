// SkinButton where a QPushButton stood: what a Qt developer meets first, done the way a
// QPushButton does it (layouts, the default button, focus, disabled icons, style sheets,
// assistive technology).
#include "ButtonTestSupport.h"

#include <QAccessible>
#include <QDialog>
#include <QGridLayout>
#include <QPushButton>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>

#include <gtest/gtest.h>

namespace skin {
namespace {

SkinButton* newButton(QWidget* parent)
{
    test::useDesignFontForTheApplication();
    return newSkinButton(parent, std::make_unique<NoThemePainter>(), ColorSource::Reference);
}

TEST(SkinButtonPushButtonPeer, ASqueezedLayoutNeverCutsTheCaptionAndThereIsNoFixedMinimum)
{
    const QString caption = QStringLiteral("A caption long enough to be squeezed");
    for (const bool shrinkable : {false, true}) {
        SCOPED_TRACE(shrinkable ? "preferred width" : "minimum width");
        QWidget window;
        auto* grid = new QGridLayout(&window);
        SkinButton* b = newButton(&window);
        b->setText(caption);
        b->setIcon(QImage(16, 16, QImage::Format_RGB32));
        if (shrinkable)
            b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        grid->addWidget(b, 0, 0);
        window.resize(40, 40);
        window.show();
        QApplication::processEvents();

        EXPECT_EQ(b->minimumSize(), QSize(0, 0));
        const int captionWidth = QFontMetrics(b->font()).horizontalAdvance(caption);
        EXPECT_GE(b->width() - 8 - 16 - 4, captionWidth); // the caption rectangle, less the icon
        EXPECT_GE(b->height() - 8, QFontMetrics(b->font()).height());
    }
}

TEST(SkinButtonPushButtonPeer, TabShowsTheFocusOfAButtonMadeInCodeInEveryStyle)
{
    for (int style = 0; style <= 10; ++style) {
        SCOPED_TRACE(style);
        QWidget window;
        auto* edit = new QLineEdit(&window);
        SkinButton* b = newButton(&window);
        b->setStyle(style);
        b->setText(QStringLiteral("Go"));
        b->setGeometry(50, 30, 75, 23);
        window.show();
        window.activateWindow();
        edit->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        const QImage unfocused = surfaceImageOf(*b).copy();

        QTest::keyClick(edit, Qt::Key_Tab);

        ASSERT_TRUE(b->hasFocus());
        EXPECT_TRUE(b->ShowFocus());
        EXPECT_GE(test::largestChange(unfocused, surfaceImageOf(*b)), 3.0);
    }
}

// The same dialog with QPushButtons or with SkinButtons: OK (the default button, unless a case
// says otherwise), Cancel and a line edit; Enter is pressed where the case puts the focus.
struct EnterCase {
    const char* name;
    const char* focus; // "edit", "ok" or "cancel"
    bool okDefault = true;
    bool okEnabled = true;
    std::optional<bool> cancelAutoDefault = std::nullopt;
    bool dialog = true;
};

struct EnterOutcome {
    int okClicks = 0;
    int cancelClicks = 0;
    friend bool operator==(const EnterOutcome&, const EnterOutcome&) = default;
};

std::ostream& operator<<(std::ostream& os, const EnterOutcome& o)
{
    return os << "OK clicked " << o.okClicks << ", Cancel clicked " << o.cancelClicks;
}

EnterOutcome pressEnter(const EnterCase& c, bool skinButtons)
{
    std::unique_ptr<QWidget> window(c.dialog ? new QDialog : new QWidget);
    auto* edit = new QLineEdit(window.get());
    const auto make = [&](const QString& text) -> QAbstractButton* {
        QAbstractButton* b = skinButtons ? static_cast<QAbstractButton*>(newButton(window.get())) : new QPushButton(window.get());
        b->setText(text);
        return b;
    };
    QAbstractButton* ok = make(QStringLiteral("OK"));
    QAbstractButton* cancel = make(QStringLiteral("Cancel"));
    ok->move(0, 30);
    cancel->move(100, 30);
    ok->setProperty("default", c.okDefault);
    ok->setEnabled(c.okEnabled);
    if (c.cancelAutoDefault)
        cancel->setProperty("autoDefault", *c.cancelAutoDefault);
    EnterOutcome outcome;
    QObject::connect(ok, &QAbstractButton::clicked, [&] { ++outcome.okClicks; });
    QObject::connect(cancel, &QAbstractButton::clicked, [&] { ++outcome.cancelClicks; });
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        ADD_FAILURE() << "the window never became active";
    QWidget* focus = QByteArray(c.focus) == "edit" ? static_cast<QWidget*>(edit) : QByteArray(c.focus) == "ok" ? ok : cancel;
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_Return);
    QTest::keyClick(focus, Qt::Key_Enter, Qt::KeypadModifier);
    return outcome;
}

TEST(SkinButtonPushButtonPeer, EnterClicksTheDefaultButtonAsItDoesAQPushButton)
{
    const EnterCase cases[] = {
        {.name = "focus in a line edit: the default button", .focus = "edit"},
        {.name = "focus on another button: that one (auto-default in a dialog)", .focus = "cancel"},
        {.name = "focus on a button that is not auto-default: the default button", .focus = "cancel", .cancelAutoDefault = false},
        {.name = "focus on the default button", .focus = "ok"},
        {.name = "a disabled default button: nothing", .focus = "edit", .okEnabled = false},
        {.name = "no default button set: the first auto-default one", .focus = "edit", .okDefault = false},
        {.name = "not in a dialog: a focused button takes no Enter", .focus = "cancel", .dialog = false},
        {.name = "not in a dialog: no default button either", .focus = "edit", .dialog = false},
    };
    for (const EnterCase& c : cases) {
        SCOPED_TRACE(c.name);
        const EnterOutcome expected = pressEnter(c, false);
        EXPECT_EQ(pressEnter(c, true), expected);
        EXPECT_EQ(expected.okClicks + expected.cancelClicks, QByteArray(c.name).endsWith("nothing") || !c.dialog ? 0 : 2);
    }
}

TEST(SkinButtonPushButtonPeer, TheDefaultButtonIsOutlinedInEveryStyleAndAFocusedButtonTakesTheLook)
{
    for (int style = 0; style <= 10; ++style) {
        SCOPED_TRACE(style);
        QDialog dialog;
        auto* edit = new QLineEdit(&dialog);
        SkinButton* ok = newButton(&dialog);
        SkinButton* cancel = newButton(&dialog);
        for (SkinButton* b : {ok, cancel}) {
            b->setStyle(style);
            b->setText(QStringLiteral("Go"));
        }
        ok->setGeometry(10, 30, 75, 23);
        cancel->setGeometry(100, 30, 75, 23);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        edit->setFocus();
        EXPECT_TRUE(ok->isDefault()); // the dialog's first auto-default button, as none was set
        ok->setDefault(false);
        const QImage plain = surfaceImageOf(*ok).copy();

        ok->setDefault(true);
        const QImage outlined = surfaceImageOf(*ok).copy();
        EXPECT_GE(test::largestChange(plain, outlined), 3.0);

        cancel->setFocus(); // auto-default in a dialog: now the default for Enter, and looks it
        EXPECT_TRUE(surfaceImageOf(*ok) == plain);
        edit->setFocus();
        EXPECT_TRUE(surfaceImageOf(*ok) == outlined);
    }
}

// The first and last columns of the painted face where a pixel is what `is` looks for.
std::pair<int, int> columnsOf(const QImage& face, const std::function<bool(QRgb)>& is)
{
    int first = face.width();
    int last = -1;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (is(face.pixel(x, y))) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST(SkinButtonPushButtonPeer, QtsIconSitsBesideTheCaptionMirroredRightToLeftAndAWrittenPictureWhereIconAlignSays)
{
    QPixmap red(16, 16);
    red.fill(Qt::red);
    const struct {
        const char* name;
        Qt::LayoutDirection direction;
        bool written;
    } rows[] = {{"left to right", Qt::LeftToRight, false}, {"right to left", Qt::RightToLeft, false}, {"written picture", Qt::LeftToRight, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget window;
        SkinButton* b = newButton(&window);
        b->setLayoutDirection(row.direction);
        b->setFocusPolicy(Qt::NoFocus); // no focus rectangle in the caption's colour
        b->setText(QStringLiteral("Save"));
        b->setGeometry(10, 10, 120, 30);
        if (row.written)
            b->setIcon(red.toImage()); // IconAlign 0: centred, over the caption, as written
        else
            b->setIcon(QIcon(red));
        window.show();
        QApplication::processEvents();

        const QImage face = surfaceImageOf(*b);
        const auto [iconLeft, iconRight] = columnsOf(face, [](QRgb p) { return (p & 0xFFFFFF) == 0xFF0000; });
        // the caption's glyphs: dark grey to black, where the face and the frame are light
        const auto [textLeft, textRight] = columnsOf(face, [](QRgb p) { return qGray(p) < 0x50 && qRed(p) < 0xC0; });
        ASSERT_EQ(iconRight - iconLeft, 15);
        ASSERT_LT(textLeft, textRight);
        if (row.written) {
            EXPECT_EQ(iconLeft, (120 - 16) / 2);
        } else if (row.direction == Qt::LeftToRight) {
            EXPECT_GE(textLeft - iconRight, 4);
            EXPECT_NEAR(iconLeft - 4, 120 - 4 - textRight - 1, 3); // the two centred together
        } else {
            EXPECT_GE(iconLeft - textRight, 4);
            EXPECT_NEAR(textLeft - 4, 120 - 4 - iconRight - 1, 3);
        }
    }
}

TEST(SkinButtonPushButtonPeer, ADisabledButtonGreysItsIconAndAStoredFormsPictureKeepsItsColours)
{
    QImage red(24, 24, QImage::Format_RGB32);
    red.fill(Qt::red);
    const struct {
        const char* name;
        std::function<void(SkinButton*)> give;
        bool greyed;
    } rows[] = {
        {"Qt's icon", [&](SkinButton* b) { b->setIcon(QIcon(QPixmap::fromImage(red))); }, true},
        {"a picture set in code", [&](SkinButton* b) { b->setIcon(red); }, true},
        {"a stored form's picture", [&](SkinButton* b) {
             PropertyBag bag;
             bag.WriteProperty(QStringLiteral("Icon"), Picture{QString(), red});
             b->readProperties(bag);
         }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget window;
        SkinButton* b = newButton(&window);
        b->setGeometry(10, 10, 120, 30);
        row.give(b);
        b->setIconSize(24);
        window.show();
        QApplication::processEvents();
        const auto redPixels = [&] {
            const QImage face = surfaceImageOf(*b);
            int count = 0;
            for (int y = 0; y < face.height(); ++y)
                for (int x = 0; x < face.width(); ++x)
                    count += (face.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
            return count;
        };
        EXPECT_EQ(redPixels(), 24 * 24);
        b->setEnabled(false);
        EXPECT_EQ(redPixels(), row.greyed ? 0 : 24 * 24);
    }
}

TEST(SkinButtonPushButtonPeer, StyleSheetColoursAndFontAreHonouredInEveryStyleOnTheButtonAndFromItsParent)
{
    const auto count = [](const QImage& face, const std::function<bool(QRgb)>& is) {
        int n = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                n += is(face.pixel(x, y));
        return n;
    };
    const auto red = [](QRgb p) { return qRed(p) > 150 && qGreen(p) < 90 && qBlue(p) < 90; };
    const auto green = [](QRgb p) { return qGreen(p) > 110 && qRed(p) < 90 && qBlue(p) < 90; };
    for (int style = 0; style <= 10; ++style) {
        for (const bool onParent : {false, true}) {
            SCOPED_TRACE(QStringLiteral("style %1, sheet on the %2").arg(style).arg(onParent ? "parent" : "button").toStdString());
            QWidget window;
            // the desktop's colours (a style sheet acts on them) and its theme for Style 6
            auto* b = newSkinButton(&window, nullptr, ColorSource::Desktop);
            b->setStyle(style);
            b->setText(QStringLiteral("Hello"));
            b->setFocusPolicy(Qt::NoFocus);
            b->setGeometry(10, 10, 120, 40);
            (onParent ? static_cast<QWidget*>(&window) : b)->setStyleSheet(QStringLiteral("color: #c00000; font: 20px;"));
            window.show();
            QApplication::processEvents();
            const QImage face = surfaceImageOf(*b);
            const auto [first, last] = columnsOf(face.transformed(QTransform().rotate(90)), red); // rows, as columns
            EXPECT_GE(count(face, red), 50);
            EXPECT_GE(last - first, 12); // 20-pixel letters

            b->setStyleSheet(QStringLiteral("background-color: #00a000;"));
            QApplication::processEvents();
            // as BackColor: all but the gel's fixed artwork
            if (style != PixelArtGel) {
                EXPECT_GE(count(surfaceImageOf(*b), green), 120 * 40 / 3);
            }
        }
    }
}

TEST(SkinButtonPushButtonPeer, AssistiveTechnologyIsToldTheAccelerator)
{
    const struct {
        const char* text;
        const char* shortcut;
        bool isDefault;
        const char* accelerator;
    } rows[] = {
        {"&Save", "", false, "Alt+S"},
        {"Save", "Ctrl+K", false, "Ctrl+K"},
        {"&OK", "", true, "Enter"},
        {"OK", "", false, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        QWidget window;
        SkinButton* b = newButton(&window);
        auto* push = new QPushButton(&window);
        for (QAbstractButton* button : {static_cast<QAbstractButton*>(b), static_cast<QAbstractButton*>(push)}) {
            button->setText(QString::fromUtf8(row.text));
            if (*row.shortcut)
                button->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
            button->setProperty("default", row.isDefault);
        }
        const QString told = QAccessible::queryAccessibleInterface(b)->text(QAccessible::Accelerator);
        EXPECT_EQ(told, QString::fromUtf8(row.accelerator));
        if (!*row.shortcut) { // QPushButton tells the mnemonic only
            EXPECT_EQ(told, QAccessible::queryAccessibleInterface(push)->text(QAccessible::Accelerator));
        }
    }
}

} // namespace
} // namespace skin
