// SkinButton as a QAbstractButton: Qt's API is its first face, and the written properties are a
// second face over the same state.
#include "ButtonTestSupport.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace skin {
namespace {

using test::showButton;

TEST(SkinButtonAbstractButton, IsAQAbstractButtonWhoseTextIsTheCaption)
{
    auto shown = showButton({{QStringLiteral("Style"), 4}});
    QAbstractButton* button = shown.button;
    QSignalSpy caption(shown.button, &SkinButton::CaptionChanged);
    button->setText(QStringLiteral("&Go"));
    QApplication::processEvents(); // Qt's setText is taken in at the next paint
    shown.button->Refresh();
    EXPECT_EQ(shown.button->Caption(), QStringLiteral("&Go"));
    EXPECT_GE(caption.count(), 1);
    shown.button->setCaption(QStringLiteral("E&xit"));
    EXPECT_EQ(button->text(), QStringLiteral("E&xit"));
    EXPECT_EQ(button->shortcut(), QKeySequence::mnemonic(QStringLiteral("E&xit")));
    EXPECT_EQ(shown.button->writeProperties().value(QStringLiteral("Caption"))->toText(), QStringLiteral("E&xit"));
}

TEST(SkinButtonAbstractButton, CheckableIsButtonTypeAndCheckedIsValue)
{
    auto shown = showButton({{QStringLiteral("Style"), 4}});
    SkinButton* b = shown.button;
    QAbstractButton* button = b;
    QSignalSpy toggled(b, &QAbstractButton::toggled);
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    QSignalSpy pressed(b, &QAbstractButton::pressed);
    QSignalSpy released(b, &QAbstractButton::released);

    button->setCheckable(true);
    button->setChecked(true);
    EXPECT_EQ(b->ButtonType(), SkinButton::ToggleButton);
    EXPECT_TRUE(b->value());
    EXPECT_EQ(b->visualState(), 3);
    EXPECT_EQ(toggled.count(), 1);

    b->setValue(false);
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(toggled.count(), 2);

    QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(button->isChecked());
    EXPECT_TRUE(b->value());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_TRUE(clicked.at(0).at(0).toBool()); // clicked(bool checked)
    EXPECT_EQ(pressed.count(), 1);
    EXPECT_EQ(released.count(), 1);

    b->setButtonType(SkinButton::PushButton);
    EXPECT_FALSE(button->isCheckable());
    const PropertyBag saved = b->writeProperties();
    EXPECT_FALSE(saved.contains(QStringLiteral("ButtonType"))); // 0, the default, is not saved
}

TEST(SkinButtonAbstractButton, JoinsAnExclusiveButtonGroup)
{
    auto shown = showButton({{QStringLiteral("Style"), 0}, {QStringLiteral("ButtonType"), 1}});
    SkinButton* first = shown.button;
    SkinButton* second = newSkinButton(shown.window.get(), std::make_unique<NoThemePainter>(), ColorSource::Reference);
    second->setGeometry(50, 60, 75, 23);
    second->setCheckable(true);
    second->show();
    QButtonGroup group;
    group.addButton(first, 1);
    group.addButton(second, 2);
    QSignalSpy groupClicks(&group, &QButtonGroup::idClicked);

    QTest::mouseClick(first, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(first->value());
    QTest::mouseClick(second, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(second->isChecked());
    EXPECT_FALSE(first->isChecked());
    EXPECT_FALSE(first->value());
    EXPECT_EQ(first->visualState(), 1); // unlatched by the group: at rest
    ASSERT_EQ(groupClicks.count(), 2);
    EXPECT_EQ(groupClicks.at(1).at(0).toInt(), 2);
    EXPECT_EQ(group.checkedButton(), second);
}

TEST(SkinButtonAbstractButton, AShortcutClicksAndTheMnemonicComesFromTheText)
{
    auto shown = showButton({{QStringLiteral("Style"), 4}});
    SkinButton* b = shown.button;
    auto* edit = new QLineEdit(shown.window.get());
    edit->show();
    edit->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.window.get()));
    QSignalSpy clicks(b, &QAbstractButton::clicked);
    b->setText(QStringLiteral("&Save"));
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    b->setShortcut(QKeySequence(QStringLiteral("Ctrl+K")));
    QTest::keyClick(edit, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(SkinButtonAbstractButton, AnimateClickAndSetDownShowThePressedLook)
{
    auto shown = showButton({{QStringLiteral("Style"), 0}});
    SkinButton* b = shown.button;
    QSignalSpy clicks(b, &SkinButton::Click);
    b->setDown(true);
    QApplication::processEvents();
    b->Refresh();
    EXPECT_EQ(b->visualState(), 3);
    b->setDown(false);
    b->Refresh();
    EXPECT_EQ(b->visualState(), 1);
    b->animateClick();
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.count() == 1; }, 2000));
    QApplication::processEvents();
    EXPECT_EQ(b->visualState(), 1);
}

TEST(SkinButtonAbstractButton, AutoRepeatClicksWhileHeld)
{
    auto shown = showButton({{QStringLiteral("Style"), 0}});
    SkinButton* b = shown.button;
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(20);
    b->setAutoRepeatInterval(10);
    QSignalSpy clicks(b, &QAbstractButton::clicked);
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks.count() >= 3; }, 2000));
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

TEST(SkinButtonAbstractButton, TheIconIsQtsIconAndTheStoredPicture)
{
    auto shown = showButton({{QStringLiteral("Style"), 4}});
    SkinButton* b = shown.button;
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    b->setIcon(red);
    EXPECT_FALSE(b->icon().isNull());
    EXPECT_EQ(b->iconSize(), QSize(16, 16));
    QPixmap green(12, 12);
    green.fill(Qt::green);
    static_cast<QAbstractButton*>(b)->setIcon(QIcon(green));
    static_cast<QAbstractButton*>(b)->setIconSize(QSize(24, 24));
    b->Refresh();
    EXPECT_EQ(b->IconSize(), 24);
    EXPECT_EQ(b->Icon().image.pixelColor(0, 0), QColor(Qt::green));
}

TEST(SkinButtonAbstractButton, DesignerShowsOnePropertyPerConcept)
{
    const QMetaObject& meta = SkinButton::staticMetaObject;
    const auto designable = [&](const char* name) { return meta.property(meta.indexOfProperty(name)).isDesignable(); };
    for (const char* name : {"text", "icon", "checkable", "checked", "shortcut", "autoRepeat", "autoExclusive", "IconSize", "Style"})
        EXPECT_TRUE(designable(name)) << name;
    for (const char* name : {"Caption", "Icon", "ButtonType", "value", "iconSize"})
        EXPECT_FALSE(designable(name)) << name;
}

} // namespace
} // namespace skin
