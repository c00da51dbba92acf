// The button among the window system: pointer tracking, the host, accessibility, painting.
#include "ButtonTestSupport.h"

#include "skinbutton/render/WindowShape.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace skin {
namespace {

using test::pixelAt;
using test::showButton;

const QJsonObject kStyle0{{QStringLiteral("Style"), 0}};

TEST(SkinButtonPointer, EnterAndLeaveOncePerVisit)
{
    auto shown = showButton(kStyle0);
    SkinButton* b = shown.button;
    QSignalSpy entered(b, &SkinButton::MouseEnter);
    QSignalSpy left(b, &SkinButton::MouseLeave);

    test::enterButton(b, QPoint(5, 5));
    ASSERT_EQ(entered.count(), 1);
    EXPECT_EQ(b->visualState(), 2);
    const qint64 hot = surfaceImageOf(*b).cacheKey();
    QTest::mouseMove(b, QPoint(20, 10));
    test::enterButton(b, QPoint(40, 12)); // a repeated notice within the same visit
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(left.count(), 0);
    EXPECT_EQ(surfaceImageOf(*b).cacheKey(), hot); // nothing repainted

    test::leaveButton(b);
    EXPECT_EQ(left.count(), 1);
    EXPECT_EQ(b->visualState(), 1);
    test::leaveButton(b); // no second leave for one visit
    EXPECT_EQ(left.count(), 1);

    test::enterButton(b, QPoint(6, 6));
    test::leaveButton(b);
    EXPECT_EQ(entered.count(), 2);
    EXPECT_EQ(left.count(), 2);
}

TEST(SkinButtonPointer, TheDesktopPointerCrossingTheButton)
{
    auto shown = showButton(kStyle0);
    QSignalSpy entered(shown.button, &SkinButton::MouseEnter);
    QSignalSpy left(shown.button, &SkinButton::MouseLeave);
    for (QPoint p : {QPoint(5, 5), QPoint(30, 10), QPoint(60, 20)}) {
        QCursor::setPos(shown.button->mapToGlobal(p));
        QApplication::processEvents();
    }
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(shown.button->visualState(), 2);
    QCursor::setPos(shown.window->mapToGlobal(QPoint(2, 2)));
    QApplication::processEvents();
    EXPECT_EQ(left.count(), 1);
    EXPECT_EQ(shown.button->visualState(), 1);
}

TEST(SkinButtonPointer, AMouseEnterHandlerMayDestroyTheButton)
{
    auto shown = showButton(kStyle0);
    QPointer<SkinButton> b = shown.button;
    QObject::connect(b.data(), &SkinButton::MouseEnter, b.data(), [b] { delete b.data(); });
    b->click(); // a click first, so that the handler runs inside a busy button
    test::enterButton(b, QPoint(5, 5));
    EXPECT_TRUE(b.isNull());
}

TEST(SkinButtonPointer, NoPointerTrackingInDesignModeButAlwaysWhenRunning)
{
    auto designed = showButton(kStyle0, true);
    QSignalSpy entered(designed.button, &SkinButton::MouseEnter);
    QSignalSpy left(designed.button, &SkinButton::MouseLeave);
    test::enterButton(designed.button, QPoint(5, 5));
    test::leaveButton(designed.button);
    EXPECT_EQ(entered.count(), 0);
    EXPECT_EQ(left.count(), 0);
    EXPECT_EQ(designed.button->visualState(), 2); // the design-time look, untouched by the pointer
    EXPECT_FALSE(isPointerTracked(*designed.button));

    // A button made in code, never loaded, hovers like a loaded one.
    QWidget window;
    SkinButton& fresh = *newSkinButton(&window, std::make_unique<NoThemePainter>(), ColorSource::Reference);
    fresh.resize(75, 23);
    fresh.setStyle(4); // the highlight style: the hot look differs in every pixel
    window.show();
    QSignalSpy freshEntered(&fresh, &SkinButton::MouseEnter);
    const QRgb normal = pixelAt(fresh, 1, 1);
    test::enterButton(&fresh, QPoint(5, 5));
    EXPECT_EQ(freshEntered.count(), 1);
    EXPECT_EQ(fresh.visualState(), 2);
    EXPECT_NE(pixelAt(fresh, 1, 1), normal);
}

TEST(SkinButtonHost, ShowingTakesOverTheHostsToolTipAndHidingGivesItBack)
{
    QWidget window;
    auto* b = newSkinButton(&window, std::make_unique<NoThemePainter>(), ColorSource::Reference);
    b->readProperties(PropertyBag::fromJson({{QStringLiteral("ToolTipText"), QStringLiteral("stored")}}));
    b->setExtenderToolTipText(QStringLiteral("host"));
    window.show();
    EXPECT_EQ(b->ToolTip(), QStringLiteral("host"));
    EXPECT_EQ(b->extenderToolTipText(), QString());
    b->hide();
    EXPECT_EQ(b->extenderToolTipText(), QStringLiteral("host"));
    b->show();
    EXPECT_EQ(b->ToolTip(), QStringLiteral("host"));
    EXPECT_EQ(b->extenderToolTipText(), QString());
}

TEST(SkinButtonHost, ShowingWithoutAHostToolTipKeepsTheStoredOne)
{
    auto shown = showButton({{QStringLiteral("ToolTipText"), QStringLiteral("Start Erasing")}});
    EXPECT_EQ(shown.button->ToolTip(), QStringLiteral("Start Erasing"));
}

class RecordingOpener final : public LinkOpener {
public:
    explicit RecordingOpener(bool succeeds, QList<QUrl>* opened) : m_succeeds(succeeds), m_opened(opened) {}
    bool open(const QUrl& url) override
    {
        *m_opened << url;
        return m_succeeds;
    }

private:
    bool m_succeeds;
    QList<QUrl>* m_opened;
};

TEST(SkinButtonHost, OpenLinkReportsAboveThirtyTwoOnlyWhenTheDesktopOpenedIt)
{
    for (bool succeeds : {true, false}) {
        QList<QUrl> opened;
        const std::unique_ptr<SkinButton> bOwned(newSkinButton(nullptr, std::make_unique<NoThemePainter>(), ColorSource::Reference,
                     std::make_unique<RecordingOpener>(succeeds, &opened)));
        SkinButton& b = *bOwned;
        const int result = b.OpenLink(QStringLiteral("mailto:someone@example.org?subject=Zarvok"));
        EXPECT_EQ(result > 32, succeeds);
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
        EXPECT_LE(b.OpenLink(QString()), 32);
        EXPECT_EQ(opened.size(), 1); // nothing to open
    }
}

TEST(SkinButtonAccessibility, APushButtonNamedByItsCaptionThatClicksWhenPressed)
{
    auto shown = showButton({{QStringLiteral("Style"), 8}, {QStringLiteral("Caption"), QStringLiteral("E&xit && Save")}});
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(shown.button);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Button);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Exit & Save"));
    QAccessibleActionInterface* actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    QSignalSpy clicks(shown.button, &SkinButton::Click);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 1);
}

TEST(SkinButtonAccessibility, AToggleButtonIsCheckable)
{
    auto shown = showButton({{QStringLiteral("ButtonType"), 1}});
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(shown.button);
    ASSERT_NE(iface, nullptr);
    EXPECT_TRUE(iface->state().checkable);
    EXPECT_FALSE(iface->state().checked);
    // toggled, as Qt's checkable buttons are
    EXPECT_EQ(iface->actionInterface()->actionNames().value(0), QAccessibleActionInterface::toggleAction());
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(shown.button->value());
    EXPECT_TRUE(iface->state().checked);
}

TEST(SkinButtonPaint, TheWidgetShowsTheSurfacePixelForPixel)
{
    auto shown = showButton({{QStringLiteral("Style"), 8}, {QStringLiteral("Caption"), QStringLiteral("Go")}});
    const QImage grabbed = shown.button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage surface = surfaceImageOf(*shown.button).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(grabbed.size(), surface.size());
    const QRegion shape = shown.button->mask();
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (shape.contains(QPoint(x, y))) {
                ASSERT_EQ(grabbed.pixel(x, y), surface.pixel(x, y)) << x << "," << y;
            }
}

TEST(SkinButtonPaint, AtDoubleScaleEverySurfacePixelBecomesASharpTwoByTwoBlock)
{
    auto shown = test::showButton({{QStringLiteral("Style"), 8}, {QStringLiteral("Caption"), QStringLiteral("Go")}});
    const QImage surface = surfaceImageOf(*shown.button).convertToFormat(QImage::Format_RGB32);
    QImage scaled(surface.size() * 2, QImage::Format_RGB32);
    scaled.setDevicePixelRatio(2);
    scaled.fill(Qt::magenta);
    shown.button->render(&scaled);
    const QRegion shape = shown.button->mask();
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            if (!shape.contains(QPoint(x, y)))
                continue;
            for (QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)}) {
                ASSERT_EQ(scaled.pixel(2 * x + d.x(), 2 * y + d.y()), surface.pixel(x, y)) << x << "," << y;
            }
        }
}

TEST(SkinButtonPaint, ADisabledWindowGreysItsButtonsAndEnablingItRestoresThem)
{
    auto shown = test::showButton({{QStringLiteral("Style"), 0}});
    shown.window->setEnabled(false);
    EXPECT_EQ(shown.button->visualState(), 4);
    EXPECT_TRUE(shown.button->Enabled()); // the stored property is the button's own
    shown.window->setEnabled(true);
    EXPECT_EQ(shown.button->visualState(), 1);
}

} // namespace
} // namespace skin
