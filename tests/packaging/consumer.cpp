// A program as a Qt developer adopting SkinButton writes it: built against the installed
// headers only, as C++17, with QT_NO_KEYWORDS and QT_NO_CAST_FROM_ASCII (see
// example_against_prefix.sh). It uses the control as a QAbstractButton (checkable, a button
// group, a shortcut) and checks what SkinButton 4 promises from the first paint: the resting
// look, unlatching, keyboard focus in every style at 3:1, and the application's font.
#include <SkinButton/SkinButton.h>
#include <SkinButton/SkinButtonVersion.h>

#include <QApplication>
#include <QButtonGroup>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <memory>

static_assert(SKINBUTTON_VERSION_MAJOR == 4, "SkinButton 4");
static_assert(SKINBUTTON_VERSION >= SKINBUTTON_VERSION_CHECK(4, 0, 0), "SkinButton 4.0 or later");

namespace {

int failures = 0;

void check(bool ok, const char* what)
{
    if (!ok) {
        QTextStream(stderr) << "FAIL: " << what << '\n';
        ++failures;
    }
}

double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void focus(QWidget* w, bool in)
{
    QFocusEvent event(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &event);
}

void pointerPasses(QWidget* w)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(w->mapToGlobal(QPoint(5, 5))));
    QApplication::sendEvent(w, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(400, 300);
    auto* first = new skin::SkinButton(&window);
    auto* second = new skin::SkinButton(&window);
    first->setGeometry(10, 10, 90, 26);
    second->setGeometry(110, 10, 90, 26);
    QCursor::setPos(-5000, -5000);
    window.show();
    QApplication::processEvents();

    // A QAbstractButton: checkable, in an exclusive group.
    QAbstractButton* a = first;
    QAbstractButton* b = second;
    a->setText(QStringLiteral("&One"));
    b->setText(QStringLiteral("&Two"));
    check(first->Caption() == QStringLiteral("&One"), "text is the caption");
    a->setCheckable(true);
    b->setCheckable(true);
    QButtonGroup group;
    group.addButton(a);
    group.addButton(b);
    int toggles = 0;
    QObject::connect(a, &QAbstractButton::toggled, &app, [&toggles](bool) { ++toggles; });
    a->click();
    check(a->isChecked() && first->value(), "a click checks a checkable button");
    b->click();
    check(b->isChecked() && !a->isChecked(), "the exclusive group unchecks the other button");
    check(toggles == 2, "toggled on and off");
    check(group.checkedButton() == b, "the group knows its checked button");

    // Unlatching: unchecked by the group, the first button paints its resting look.
    check(first->visualState() == 1, "an unchecked toggle is at rest");

    // The shortcut: the mnemonic from the text.
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(10, 60, 100, 24);
    edit->show();
    edit->setFocus();
    window.activateWindow();
    check(QTest::qWaitForWindowActive(&window), "the window is active");
    int clicks = 0;
    QObject::connect(second, &skin::SkinButton::Click, &app, [&clicks] { ++clicks; });
    check(b->shortcut() == QKeySequence(QStringLiteral("Alt+T")), "the mnemonic is the shortcut");
    QTest::keyClick(edit, Qt::Key_T, Qt::AltModifier);
    check(clicks == 1, "Alt+T clicks the button");

    // First paint: a new button's look is the one after the pointer has passed, in every style.
    for (int style = 0; style <= 10; ++style) {
        auto* fresh = new skin::SkinButton(&window);
        fresh->setGeometry(10, 100, 90, 26);
        fresh->setStyle(style);
        fresh->show();
        QApplication::processEvents();
        const QImage before = fresh->grab().toImage();
        pointerPasses(fresh);
        check(fresh->grab().toImage() == before, "the first paint is the resting look");
        delete fresh;
    }

    // Keyboard focus in every style, at 3:1 against the face.
    for (int style = 0; style <= 10; ++style) {
        auto* button = new skin::SkinButton(&window);
        button->setGeometry(10, 140, 90, 26);
        button->setStyle(style);
        button->setText(QString());
        button->setShowFocus(true);
        button->show();
        QApplication::processEvents();
        focus(button, false);
        const QImage off = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        focus(button, true);
        const QImage on = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        double best = 1.0;
        for (int y = 0; y < on.height(); ++y)
            for (int x = 0; x < on.width(); ++x)
                best = std::max(best, contrast(on.pixel(x, y), off.pixel(x, y)));
        check(best >= 3.0, "focus shows at 3:1 in every style");
        delete button;
    }

    // The application's font, until one is set; the size hint follows.
    auto* follower = new skin::SkinButton(&window);
    follower->setText(QStringLiteral("A caption of some length"));
    const QSize small = follower->sizeHint();
    QFont big = QApplication::font();
    big.setPointSize(16);
    QApplication::setFont(big);
    QApplication::processEvents();
    check(follower->font().pointSize() == 16, "a never-set font follows the application's");
    check(follower->sizeHint().height() > small.height(), "the size hint follows the font");

    if (failures == 0)
        QTextStream(stdout) << "consumer ok, SkinButton " << first->Version() << '\n';
    return failures == 0 ? 0 : 1;
}
