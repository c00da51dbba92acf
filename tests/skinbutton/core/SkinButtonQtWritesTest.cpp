// What a program writes through Qt's face (QAbstractButton's and QWidget's setters) reaches the
// written properties and their signals at once: before the first paint, and while hidden.
#include "ButtonTestSupport.h"

#include <QSignalSpy>

#include <functional>

#include <gtest/gtest.h>

namespace skin {
namespace {

struct HiddenButton {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    SkinButton* button = newSkinButton(window.get(), std::make_unique<NoThemePainter>(), ColorSource::Reference);
};

TEST(SkinButtonQtWrites, AToggleCheckedBeforeItsFirstPaintIsCheckedToldOnceAndPaintedLatched)
{
    const struct {
        const char* how;
        std::function<void(QAbstractButton*)> check;
    } rows[] = {
        {"setChecked", [](QAbstractButton* b) { b->setChecked(true); }},
        {"toggle", [](QAbstractButton* b) { b->toggle(); }},
        {"the checked property", [](QAbstractButton* b) { b->setProperty("checked", true); }},
    };
    test::useDesignFontForTheApplication();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.how);
        HiddenButton hidden;
        SkinButton* b = hidden.button;
        QAbstractButton* qt = b;
        QSignalSpy toggled(b, &QAbstractButton::toggled);
        QSignalSpy value(b, &SkinButton::valueChanged);

        qt->setCheckable(true);
        row.check(qt);

        EXPECT_TRUE(b->isChecked());
        EXPECT_TRUE(b->value());
        EXPECT_EQ(b->ButtonType(), SkinButton::ToggleButton);
        ASSERT_EQ(toggled.count(), 1);
        EXPECT_TRUE(toggled.at(0).at(0).toBool());
        EXPECT_EQ(value.count(), 1);

        b->setGeometry(50, 30, 75, 23);
        hidden.window->show();
        QApplication::processEvents();
        EXPECT_EQ(b->visualState(), StatePressed);
        auto stored = test::showButton({{QStringLiteral("ButtonType"), 1}, {QStringLiteral("Value"), true},
                                        {QStringLiteral("Style"), 0}, {QStringLiteral("Caption"), b->text()}});
        stored.button->clearFocus();
        b->clearFocus();
        b->setFont(stored.button->font());
        EXPECT_EQ(surfaceImageOf(*b), surfaceImageOf(*stored.button));
    }
}

} // namespace
} // namespace skin
