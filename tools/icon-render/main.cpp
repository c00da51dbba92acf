// icon-render: draws an SVG icon as square PNGs for the desktop's icon theme, at build time.
//   icon-render SOURCE.svg OUTPUT-FOLDER SIZE...
// writes OUTPUT-FOLDER/<SIZE>x<SIZE>/apps/<name of SOURCE>.png for each size.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "icon-render: %s\n", qPrintable(message));
    return 1;
}

QImage render(QSvgRenderer& svg, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4)
        return fail(QStringLiteral("usage: icon-render SOURCE.svg OUTPUT-FOLDER SIZE..."));

    QSvgRenderer svg(args[1]);
    if (!svg.isValid())
        return fail(QStringLiteral("cannot read the SVG \"%1\"").arg(args[1]));
    const QString name = QFileInfo(args[1]).completeBaseName() + QStringLiteral(".png");
    for (const QString& sizeText : args.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 1 || size > 4096)
            return fail(QStringLiteral("not a size: \"%1\"").arg(sizeText));
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        if (!QDir().mkpath(folder) || !render(svg, size).save(folder + QLatin1Char('/') + name, "png"))
            return fail(QStringLiteral("cannot write into \"%1\"").arg(folder));
    }
    return 0;
}
