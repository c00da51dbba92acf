#include "about/AboutWidgets.h"
#include "about/frmAbout.h"
#include "skinbutton/core/SkinButton.h"

#include <ProjectInfo.h>

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace zarvok::about;

namespace {

// Keeps every link handed to the desktop.
class RecordingOpener final : public skin::LinkOpener {
public:
    explicit RecordingOpener(std::shared_ptr<QList<QUrl>> opened)
        : m_opened(std::move(opened))
    {
    }
    bool open(const QUrl& url) override
    {
        m_opened->append(url);
        return true;
    }

private:
    std::shared_ptr<QList<QUrl>> m_opened;
};

struct AboutFixture {
    explicit AboutFixture(VersionInfo version = programVersionInfo())
        : about(new frmAbout(&owner, std::make_unique<RecordingOpener>(opened), std::move(version)))
    {
        about->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(about));
    }
    template <typename T = QWidget>
    T* child(const char* name) const
    {
        return about->findChild<T*>(QString::fromLatin1(name));
    }
    QString label(const char* name) const { return child<QLabel>(name)->text(); }

    QWidget owner;
    std::shared_ptr<QList<QUrl>> opened = std::make_shared<QList<QUrl>>();
    frmAbout* about;
};

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<frmAbout*> aboutWindows(QWidget& owner)
{
    return owner.findChildren<frmAbout*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

TEST(frmAboutLayout, EveryControlAtItsPlaceInAFixedDialog)
{
    AboutFixture f;
    EXPECT_EQ(f.about->size(), QSize(497, 322));
    EXPECT_EQ(f.about->minimumSize(), f.about->maximumSize());
    const Qt::WindowFlags flags = f.about->windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(f.about->windowTitle(), QStringLiteral("About "));

    struct Place {
        const char* name;
        QRect geometry; // pixels: twips / 15, halves to even
    };
    const Place places[] = {
        {"picLogo", {16, 16, 135, 122}},      {"picLogo2", {16, 16, 135, 122}},
        {"lblTitle", {160, 13, 277, 24}},     {"lblVersion", {163, 33, 277, 24}},
        {"lblCopyright", {160, 56, 321, 17}}, {"lblComments", {160, 80, 321, 81}},
        {"imgNorm", {448, 16, 32, 32}},       {"Text1", {16, 168, 465, 97}},
        {"Frame1", {16, 280, 465, 3}},        {"lblTittel", {16, 296, 249, 17}},
        {"cmdOK", {416, 289, 65, 27}},
    };
    for (const Place& p : places) {
        const QWidget* widget = f.child(p.name);
        ASSERT_NE(widget, nullptr) << p.name;
        EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
    }
    // The links lie over the lead-in's blanks, at their place or as far right as the font needs
    // to clear the words: the line reads "Go to Vantrel Homepage WebSite or Email me".
    const auto* leadIn = f.child<QLabel>("lblTittel");
    auto leadInEnd = [&](const QString& words) { return 16 + leadIn->fontMetrics().horizontalAdvance(words); };
    const QString words = QStringLiteral("Go to Vantrel Homepage");
    const QRect homePage = f.child("lblHomePage")->geometry();
    const QRect eMail = f.child("lblEMail")->geometry();
    for (const char* link : {"lblHomePage", "lblEMail"}) {
        const auto* label = f.child<QLabel>(link);
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << link << " cut off";
        EXPECT_EQ(label->height(), 13) << link;
    }
    EXPECT_GE(homePage.width(), 49);
    EXPECT_GE(eMail.width(), 51);
    EXPECT_EQ(homePage.top(), 296);
    EXPECT_EQ(eMail.top(), 296);
    EXPECT_GE(homePage.left(), std::max(136, leadInEnd(words + QLatin1Char(' '))));
    EXPECT_LE(homePage.right(), leadInEnd(words + QString(20, QLatin1Char(' ')))) << "covers the \"or\"";
    EXPECT_GE(eMail.left(), std::max(208, leadInEnd(leadIn->text())));
    const QList<QObject*> order = f.about->children();
    EXPECT_GT(order.indexOf(f.child("lblHomePage")), order.indexOf(f.child("lblTittel")));
    EXPECT_GT(order.indexOf(f.child("lblEMail")), order.indexOf(f.child("lblTittel")));
    EXPECT_TRUE(f.child("picLogo")->isVisible());
    EXPECT_FALSE(f.child("picLogo2")->isVisible());
}

TEST(frmAboutLayout, TextsFontsAndTheStoredButton)
{
    AboutFixture f;
    const VersionInfo program = programVersionInfo();
    EXPECT_EQ(f.label("lblTitle"), QStringLiteral("Zarvok"));
    EXPECT_EQ(f.label("lblVersion"), QStringLiteral("version 3.280"));
    EXPECT_EQ(f.label("lblCopyright"),
              QStringLiteral("Copyright \u00A9 2026 ") + QString::fromUtf8(zarvok::info::kAuthor));
    EXPECT_EQ(f.label("lblComments"), program.comments);
    EXPECT_TRUE(f.child<QLabel>("lblComments")->wordWrap());
    EXPECT_EQ(f.label("lblTittel"), QStringLiteral("Go to Vantrel Homepage                    or "));
    EXPECT_EQ(f.label("lblHomePage"), QStringLiteral("WebSite"));
    EXPECT_EQ(f.label("lblEMail"), QStringLiteral("Email me"));
    EXPECT_EQ(f.child("lblHomePage")->toolTip(), QString::fromUtf8(zarvok::info::kHomePage));
    EXPECT_EQ(f.child("lblEMail")->toolTip(), QString::fromUtf8(zarvok::info::kContactEmail));
    EXPECT_EQ(f.child("lblHomePage")->cursor().shape(), Qt::PointingHandCursor);

    struct Look {
        const char* name;
        QString family;
        double points;
        bool bold, underline;
    };
    const Look looks[] = {
        {"lblTitle", QStringLiteral("Arial"), 13.5, true, false},
        {"lblVersion", QStringLiteral("MS Sans Serif"), 12, true, false},
        {"lblComments", QStringLiteral("MS Sans Serif"), 8.25, false, false},
        {"Text1", QStringLiteral("MS Sans Serif"), 8.25, true, false},
        {"lblEMail", QStringLiteral("MS Sans Serif"), 8.25, true, true},
    };
    for (const Look& l : looks) {
        const QFont font = f.child(l.name)->font();
        EXPECT_EQ(font.family(), l.family) << l.name;
        EXPECT_DOUBLE_EQ(font.pointSizeF(), l.points) << l.name;
        EXPECT_EQ(font.bold(), l.bold) << l.name;
        EXPECT_EQ(font.underline(), l.underline) << l.name;
    }
    EXPECT_EQ(f.child<QLabel>("lblTitle")->palette().color(QPalette::WindowText), QColor(0, 128, 128));
    EXPECT_EQ(f.child<QLabel>("lblVersion")->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    const auto* terms = f.child<QPlainTextEdit>("Text1");
    EXPECT_TRUE(terms->isReadOnly());
    EXPECT_EQ(terms->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    for (const char* part : {"MIT License", "Copyright (c) 2026", "WITHOUT WARRANTY OF ANY KIND"})
        EXPECT_TRUE(terms->toPlainText().contains(QString::fromLatin1(part))) << part;
    EXPECT_TRUE(terms->toPlainText().endsWith(QString::fromUtf8(zarvok::info::kHomePage)));

    const auto* ok = f.child<skin::SkinButton>("cmdOK");
    EXPECT_EQ(ok->Style(), 8);
    EXPECT_EQ(ok->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(ok->IconAlign(), 1);
    EXPECT_EQ(ok->Font().family(), QStringLiteral("Verdana"));
    EXPECT_TRUE(ok->Icon().isNull());
    EXPECT_TRUE(ok->hasFocus());
}

TEST(frmAboutLayout, StoredCopyrightLineBreaksAndDarkPaletteColours)
{
    VersionInfo version = programVersionInfo();
    version.legalCopyright = QStringLiteral("(c) 2025 One\\n(c) 2026 Two");
    AboutFixture f(version);
    EXPECT_EQ(f.label("lblCopyright"), QStringLiteral("\u00A9 2025 One\n\u00A9 2026 Two"));

    QPalette dark = f.about->palette();
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    f.about->setPalette(dark);
    for (const char* name : {"lblTitle", "lblVersion", "lblHomePage", "lblEMail"})
        EXPECT_GE(f.child(name)->palette().color(QPalette::WindowText).lightness(), 150) << name;
}

TEST(frmAboutLogo, PressedPictureOnlyWhileTheButtonIsDownAlsoWhenReleasedElsewhere)
{
    AboutFixture f;
    auto* normal = f.child<SvgPicture>("picLogo");
    auto* pressed = f.child<SvgPicture>("picLogo2");
    ASSERT_TRUE(normal->isValid() && pressed->isValid() && f.child<SvgPicture>("imgNorm")->isValid());
    EXPECT_NE(normal->grab().toImage(), pressed->grab().toImage());

    // Through the window, as the desktop delivers them, so that Qt picks the receiver.
    QWindow* window = f.about->windowHandle();
    const QPoint onLogo(60, 60);
    const QPoint offLogo = f.child("lblComments")->geometry().center();
    for (const QPoint release : {onLogo, offLogo}) {
        QTest::mousePress(window, Qt::LeftButton, {}, onLogo);
        EXPECT_TRUE(pressed->isVisible());
        EXPECT_FALSE(normal->isVisible());
        QTest::mouseMove(window, release);
        QTest::mouseRelease(window, Qt::LeftButton, {}, release);
        EXPECT_TRUE(normal->isVisible());
        EXPECT_FALSE(pressed->isVisible());
    }
    // Any mouse button.
    QTest::mousePress(window, Qt::RightButton, {}, onLogo);
    EXPECT_TRUE(pressed->isVisible());
    QTest::mouseRelease(window, Qt::RightButton, {}, offLogo);
    EXPECT_TRUE(normal->isVisible());
}

TEST(frmAboutLinks, ClicksAndKeysHandTheAddressesToTheDesktop)
{
    AboutFixture f;
    QTest::mouseClick(f.child("lblHomePage"), Qt::LeftButton);
    QTest::mouseClick(f.child("lblEMail"), Qt::LeftButton);
    f.child("lblEMail")->setFocus();
    QTest::keyClick(f.child("lblEMail"), Qt::Key_Return);
    const QUrl mail = QUrl(QStringLiteral("mailto:") + QString::fromUtf8(zarvok::info::kContactEmail)
                           + QStringLiteral("?subject=Zarvok"));
    EXPECT_EQ(*f.opened, (QList<QUrl>{QUrl(QString::fromUtf8(zarvok::info::kHomePage)), mail, mail}));
    // A press that leaves the link before the release opens nothing.
    QTest::mousePress(f.about->windowHandle(), Qt::LeftButton, {}, f.child("lblHomePage")->geometry().center());
    QTest::mouseRelease(f.about->windowHandle(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(f.opened->size(), 3);
}

TEST(frmAboutLifecycle, OneWindowCentredOverItsOwnerAndFreshAfterOK)
{
    QWidget owner;
    owner.setGeometry(300, 250, 401, 204);
    owner.show();
    frmAbout* first = showAbout(&owner);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->parentWidget(), &owner);
    EXPECT_EQ(first->geometry().center(), owner.geometry().center());

    // About again: the same window, not a second one.
    EXPECT_EQ(showAbout(&owner), first);
    EXPECT_EQ(aboutWindows(owner).size(), 1);

    // OK unloads it; the next About loads a new one, filled afresh.
    first->findChild<QLabel*>(QStringLiteral("lblTitle"))->setText(QStringLiteral("changed"));
    QPointer<frmAbout> closed = first;
    first->findChild<skin::SkinButton*>(QStringLiteral("cmdOK"))->click();
    frmAbout* second = showAbout(&owner); // before the closed one is deleted
    EXPECT_NE(second, closed.data());
    EXPECT_EQ(second->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Zarvok"));
    runDeferredDeletes();
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(aboutWindows(owner), QList<frmAbout*>{second});

    // The frame's close unloads it the same way; so does Escape.
    second->close();
    runDeferredDeletes();
    EXPECT_TRUE(aboutWindows(owner).isEmpty());
    frmAbout* third = showAbout(&owner);
    QTest::keyClick(third, Qt::Key_Escape);
    runDeferredDeletes();
    EXPECT_TRUE(aboutWindows(owner).isEmpty());
}
