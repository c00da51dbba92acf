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

QIcon redIcon()
{
    QPixmap red(24, 24);
    red.fill(Qt::red);
    return QIcon(red);
}

TEST(SkinButtonQtWrites, QtsSettersReachTheWrittenPropertiesAndTheirSignalsAtOnceWhileHidden)
{
    const struct {
        const char* notified;
        std::function<void(SkinButton*)> write;
        std::function<bool(const SkinButton&)> written;
    } rows[] = {
        {"Caption", [](SkinButton* b) { b->setText(QStringLiteral("&Go")); },
         [](const SkinButton& b) { return b.Caption() == QStringLiteral("&Go") && b.shortcut() == QKeySequence(QStringLiteral("Alt+G")); }},
        {"Caption", [](SkinButton* b) { b->setProperty("text", QStringLiteral("&Go")); },
         [](const SkinButton& b) { return b.Caption() == QStringLiteral("&Go"); }},
        {"Icon", [](SkinButton* b) { b->setIcon(redIcon()); },
         [](const SkinButton& b) { return b.IconPixmap().toImage().pixelColor(3, 3) == QColor(Qt::red); }},
        {"Icon", [](SkinButton* b) { b->setProperty("icon", redIcon()); }, [](const SkinButton& b) { return !b.IconPixmap().isNull(); }},
        {"IconSize", [](SkinButton* b) { b->setIconSize(QSize(24, 24)); }, [](const SkinButton& b) { return b.IconSize() == 24; }},
        {"IconSize", [](SkinButton* b) { b->setProperty("iconSize", QSize(32, 32)); },
         [](const SkinButton& b) { return b.IconSize() == 32; }},
        {"ButtonType", [](SkinButton* b) { b->setCheckable(true); },
         [](const SkinButton& b) { return b.ButtonType() == SkinButton::ToggleButton; }},
        {"ButtonType", [](SkinButton* b) { b->setProperty("checkable", true); },
         [](const SkinButton& b) { return b.ButtonType() == SkinButton::ToggleButton; }},
        {"Enabled", [](SkinButton* b) { static_cast<QWidget*>(b)->setEnabled(false); }, [](const SkinButton& b) { return !b.Enabled(); }},
        {"Font", [](SkinButton* b) { static_cast<QWidget*>(b)->setFont(QFont(QStringLiteral("DejaVu Serif"), 14)); },
         [](const SkinButton& b) { return b.Font().family() == QStringLiteral("DejaVu Serif"); }},
        {"ToolTipText", [](SkinButton* b) { static_cast<QWidget*>(b)->setToolTip(QStringLiteral("Leave")); },
         [](const SkinButton& b) { return b.ToolTip() == QStringLiteral("Leave"); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.notified);
        HiddenButton hidden;
        SkinButton* b = hidden.button;
        QSignalSpy changed(b, &SkinButton::propertyChanged);

        row.write(b);

        EXPECT_TRUE(row.written(*b));
        ASSERT_EQ(changed.count(), 1);
        EXPECT_EQ(changed.at(0).at(0).toString(), QLatin1String(row.notified));
        EXPECT_FALSE(b->isVisible());
    }
}

} // namespace
} // namespace skin
