// Runs the skinbutton-gallery program as a user would and reads the PNG files it writes.
#include "ButtonTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct GalleryRun {
    int exitCode = -1;
    QString errors;
    QImage image;
};

GalleryRun runGallery(QStringList arguments, const QString& out)
{
    arguments << QStringLiteral("--out") << out;
    QProcess process;
    process.start(QStringLiteral(GALLERY_PROGRAM), arguments);
    GalleryRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    run.image = QImage(out);
    return run;
}

class GalleryCli : public ::testing::Test {
protected:
    QString out() const { return m_dir.filePath(QStringLiteral("out.png")); }
    GalleryRun run(const QStringList& arguments) const { return runGallery(arguments, out()); }

private:
    QTemporaryDir m_dir;
};

QRgb rgbAt(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }

TEST_F(GalleryCli, OneButtonPerOptions)
{
    struct Case {
        const char* arguments;
        QSize size;
        QPoint where;
        QRgb colour; // RRGGBB
    };
    const Case cases[] = {
        // Style 0 normal: raised edge, light top-left, dark bottom-right, button face inside.
        {"--style 0 --state 1 --size 40x30", {40, 30}, {0, 0}, 0xE3E3E3},
        {"--style 0 --state 1 --size 40x30", {40, 30}, {39, 29}, 0x696969},
        {"--style 0 --state 1 --size 40x30", {40, 30}, {20, 15}, 0xF0F0F0},
        // Pressed: sunken, shadow at the top-left.
        {"--style 0 --state 3 --size 40x30", {40, 30}, {0, 0}, 0xA0A0A0},
        // Custom colours: the back colour when normal, the highlight when hot or disabled.
        {"--style 0 --state 1 --size 40x30 --custom 102030,405060,000000,FFFFFF", {40, 30}, {20, 15}, 0x102030},
        {"--style 0 --state 2 --size 40x30 --custom 102030,405060,000000,FFFFFF", {40, 30}, {20, 15}, 0x405060},
        {"--style 0 --state 4 --size 40x30 --custom 102030,405060,000000,FFFFFF", {40, 30}, {20, 15}, 0x405060},
        // Design mode paints the hot look whatever the state.
        {"--style 0 --state 1 --design --size 40x30 --custom 102030,405060,000000,FFFFFF", {40, 30}, {20, 15}, 0x405060},
        // Style 5 with custom colours shows the focus ring only with ShowFocus.
        {"--style 5 --focus 1 --show-focus 1 --size 40x30 --custom 408020,C03060,000000,FFFFFF", {40, 30}, {5, 1}, 0x55CDFF},
        {"--style 5 --focus 1 --show-focus 0 --size 40x30 --custom 408020,C03060,000000,FFFFFF", {40, 30}, {5, 1}, 0x458525},
        // The gel's centre; a style number outside 0-10 shows the button face.
        {"--style 10 --state 1 --size 75x30", {75, 30}, {37, 15}, 0xE8E7EA},
        {"--style 11 --state 2 --size 40x30", {40, 30}, {20, 15}, 0xF0F0F0},
        // Too small: the button's own minimum size.
        {"--style 1 --size 10x10", {20, 20}, {10, 10}, 0xF0F0F0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        // No caption, so that only the style's pixels are seen.
        const QStringList arguments = QString::fromLatin1(c.arguments).split(QLatin1Char(' ')) + QStringList{"--caption", ""};
        const GalleryRun r = run(arguments);
        ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
        ASSERT_EQ(r.image.size(), c.size);
        EXPECT_EQ(rgbAt(r.image, c.where.x(), c.where.y()), c.colour);
    }
}

TEST_F(GalleryCli, MaskMakesThePixelsOutsideTheShapeTransparent)
{
    const GalleryRun masked = run({"--style", "8", "--size", "20x20", "--mask"});
    ASSERT_EQ(masked.exitCode, 0) << masked.errors.toStdString();
    for (QPoint outside : {QPoint(0, 0), QPoint(1, 0), QPoint(19, 0), QPoint(19, 19), QPoint(0, 19)})
        EXPECT_EQ(qAlpha(masked.image.pixel(outside)), 0) << outside.x() << "," << outside.y();
    for (QPoint inside : {QPoint(2, 0), QPoint(10, 10), QPoint(0, 2), QPoint(16, 19)})
        EXPECT_EQ(qAlpha(masked.image.pixel(inside)), 255) << inside.x() << "," << inside.y();

    const GalleryRun plain = run({"--style", "8", "--size", "20x20"});
    ASSERT_EQ(plain.exitCode, 0);
    EXPECT_EQ(qAlpha(plain.image.pixel(0, 0)), 255);
}

TEST_F(GalleryCli, WritesTheSamePixelsAsTheButtonShows)
{
    const GalleryRun r = run({"--style", "8", "--state", "2", "--focus", "1", "--size", "65x59", "--caption", "E&xit"});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();

    auto shown = skin::test::showButton({{QStringLiteral("Style"), 8}, {QStringLiteral("Caption"), QStringLiteral("E&xit")}},
                                        false, QSize(65, 59));
    skin::test::enterButton(shown.button, QPoint(30, 30));
    ASSERT_TRUE(hasFocusFlagOf(*shown.button));
    EXPECT_EQ(r.image.convertToFormat(QImage::Format_RGB32), surfaceImageOf(*shown.button).convertToFormat(QImage::Format_RGB32));
}

TEST_F(GalleryCli, TheSheetShowsEveryStyleInEveryState)
{
    const GalleryRun r = run({});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_GE(r.image.width(), 8 * 75); // normal, hot, pressed, disabled, two with focus, checked, default
    EXPECT_GE(r.image.height(), 11 * 23);
}

TEST_F(GalleryCli, RefusesWhatItCannotRender)
{
    struct Case {
        QStringList arguments;
        const char* says;
    };
    const Case cases[] = {
        {{"--style", "x"}, "--style needs a number"},
        {{"--style", "0", "--state", "5"}, "--state must be 1, 2, 3 or 4"},
        {{"--style", "0", "--focus", "2"}, "--focus must be 0 or 1"},
        {{"--style", "5", "--show-focus", "yes"}, "--show-focus must be 0 or 1"},
        {{"--style", "0", "--size", "40"}, "--size must be WxH"},
        {{"--style", "0", "--palette", "dark"}, "--palette must be reference or system"},
        {{"--style", "0", "--custom", "FF0000"}, "--custom needs four RRGGBB colours"},
        {{"--bogus"}, "Unknown option"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        const GalleryRun r = run(c.arguments);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.errors.contains(QLatin1String(c.says))) << r.errors.toStdString();
        EXPECT_TRUE(r.image.isNull());
    }
}

TEST_F(GalleryCli, AFileThatCannotBeWrittenIsAnError)
{
    const GalleryRun r = runGallery({"--style", "0"}, QStringLiteral("/nonexistent-folder/out.png"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("/nonexistent-folder/out.png"))) << r.errors.toStdString();
}

} // namespace
