#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace {

QImage render(QSvgRenderer& svg, int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

// Share of the picture's pixels that are covered at all.
double coverage(const QImage& image)
{
    int covered = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            covered += qAlpha(image.pixel(x, y)) > 0;
    return double(covered) / (image.width() * image.height());
}

} // namespace

TEST(Icons, EachIsA32PixelVectorPictureThatRendersAtOneAndTwoTimesScale)
{
    for (const char* name : {"zarvok", "exit", "delete", "copy", "paste", "about"}) {
        const QString path = QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::exists(path)) << name;
        QSvgRenderer svg(path);
        ASSERT_TRUE(svg.isValid()) << name;
        EXPECT_EQ(svg.viewBox(), QRect(0, 0, 32, 32)) << name;
        const QImage normal = render(svg, 32);
        const QImage doubled = render(svg, 64);
        // A real drawing, not a blank or a full square, at both scales alike.
        EXPECT_GT(coverage(normal), 0.25) << name;
        EXPECT_LT(coverage(normal), 1.0) << name;
        EXPECT_NEAR(coverage(doubled), coverage(normal), 0.08) << name;
    }
}
